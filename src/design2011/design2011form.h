#pragma once

#include <QDate>
#include <QString>

class Fields;
class Prompter;

// The commands of the JGJ 55-2011 design window over its fields: the initial texts, the values that follow
// other inputs, and 计算, which reads every input strictly and writes all results at once or, refused, none.
class Design2011Form {
public:
    Design2011Form(Fields& fields, Prompter& prompter);

    // The initial texts of every input; the results, checks and trial table empty.
    void load(const QDate& today);

    // 计算: shows the refusal's message box and changes no field, or writes every result, check and trial
    // cell. True when it wrote them.
    bool calculate();

    // Whether the fields hold the results of the present inputs: a calculation succeeded and no input has
    // changed since (the report name is no such input).
    bool hasCalculation() const { return m_calculated; }
    // An input of the calculation changed (typed, chosen, ticked).
    void inputChanged() { m_calculated = false; }

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
    bool volumeMethod() const;

private:
    void refuse(const QString& message);

    Fields& m_fields;
    Prompter& m_prompter;
    bool m_calculated = false;
};
