#pragma once

#include "design2011/mixdesign2011.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

class Fields;
class Prompter;

// A calculation the fields show: the inputs as read and everything that followed from them.
struct Design2011Calculation {
    MixInputs2011 inputs;
    MixResult2011 result;
};

// The commands of the JGJ 55-2011 design window over its fields: the initial texts, the values that follow
// other inputs, and 计算, which reads every input strictly and writes all results at once or, refused, none.
class Design2011Form {
public:
    Design2011Form(Fields& fields, Prompter& prompter);

    // The initial texts of every input (those of MixInputs2011's defaults); the results, checks and trial
    // table empty.
    void load(const QDate& today);
    // Sets inputs (name and text, boxes "on"/"off") in the order given, as a person would, with the refills
    // of each; a value given for a refilled field stands when it comes after its source. The results are
    // then empty.
    void setInputs(const QList<QPair<QString, QString>>& texts);

    // 计算: shows the refusal's message box and changes no field, or writes every result, check and trial
    // cell. True when it wrote them.
    bool calculate();

    // The calculation the fields show: one succeeded and no input has changed since (the report name is no
    // such input); nullptr otherwise.
    const Design2011Calculation* calculation() const { return m_calculation ? &*m_calculation : nullptr; }
    bool hasCalculation() const { return m_calculation.has_value(); }
    // An input of the calculation changed (typed, chosen, ticked, refilled): every result, check, trial cell
    // and the report's status are emptied.
    void inputChanged();

    // The values that follow other inputs, each called when its source changes.
    void gradeChanged();       // sigma from the table while it is not from statistics
    void sigmaSourceChanged(); // the box turned off refills sigma; turned on keeps it
    void cementClassChanged(); // gammaC
    void flyAshChanged();      // gammaF and gammaFRange from flyAshPercent
    void slagChanged();        // gammaS and gammaSRange from slagPercent and slagGrade
    void maxSizeChanged();     // trialVolume
    void environmentChanged(); // environmentText

    // Whether sigma is typed by the engineer (editable) and whether the volume method's fields are read.
    bool sigmaEditable() const;
    // Whether σ takes part at all: not for the high-strength grades (C60 and above).
    bool sigmaUsed() const;
    bool volumeMethod() const;

private:
    void refuse(const QString& message);

    void emptyResults();

    Fields& m_fields;
    Prompter& m_prompter;
    std::optional<Design2011Calculation> m_calculation;
};
