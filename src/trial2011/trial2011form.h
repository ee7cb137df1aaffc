#pragma once

#include "trial2011/trial2011controls.h"
#include "trial2011/trialsteps2011.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

class Fields;
class Prompter;

// What a step's strength chart shows: the three mixes' points, the regression line over their range, the
// target strength and the chosen binder-water ratio.
struct TrialChart2011 {
    std::array<double, 3> bw{};
    std::array<double, 3> strength{};
    double slope = 0.0;
    double intercept = 0.0;
    double correlation = 0.0;
    double targetStrength = 0.0;
    std::optional<double> bwChosen; // while bwChosen reads as a number
};

// The commands of the JGJ 55-2011 trial mixing and adjustment window over its fields: the initial texts, the
// hand-over of a design, the five steps, and the rule that results always follow the inputs. Each step reads
// its inputs strictly, runs its pure function and writes all its results, or shows the refusal and writes
// nothing. The typed results of the steps that ran are kept for the later steps, the chart and the record.
class Trial2011Form {
public:
    Trial2011Form(Fields& fields, Prompter& prompter);

    // The initial texts; every result empty, no step run, nothing changed.
    void load(const QDate& today);
    // The initial texts, then the design window's inputs and results (texts as they stand, numbers trimmed):
    // `design` are the fields of design2011 after a calculation.
    void handOver(const Fields& design, const QDate& today);

    // A field was changed (typed, chosen, ticked, refilled): the results of its step and of every later step
    // are emptied; admixtureDosage refills trialAdmixtureDosage. Ignored while the form writes its own
    // inputs.
    void fieldChanged(const QString& name);

    // The steps; true when the step wrote its results.
    bool trialMix();
    bool regress();
    bool adjust();
    bool siteMix();

    // Whether the step's results are shown (a step ran and none of its inputs changed since).
    bool hasResults(Trial2011::Step step) const;
    // Whether a field changed since the window was loaded, handed over, saved or reopened.
    bool modified() const { return m_modified; }
    void markSaved() { m_modified = false; }
    bool volumeMethod() const;
    // The chart of step 3; nothing while step 3 has no results.
    std::optional<TrialChart2011> chart() const;

    // The typed results, for the record; nullptr for a step without results.
    const TrialMix2011* mix() const { return m_mix ? &*m_mix : nullptr; }
    const Regression2011* regression() const { return m_regression ? &*m_regression : nullptr; }

    // Every field's text (boxes "on"/"off") and every check's colour ("colour." + name: "red" or "normal"),
    // in a fixed order: what a record keeps.
    QList<QPair<QString, QString>> storedTexts() const;
    // Gives the window back from stored texts: every input, and the steps whose results they hold, run again
    // from those inputs. False, with no field changed, when the texts are not complete or their results are
    // not those of their inputs (a damaged or foreign record).
    bool restore(const QList<QPair<QString, QString>>& texts);

private:
    // A step run without asking: its refusal's message, or nothing when it wrote its results.
    std::optional<QString> run(Trial2011::Step step);
    // The step as a click runs it: its refusal shown.
    bool runShown(Trial2011::Step step);
    void refuse(const QString& message);
    // Empties the results of the step and of every later step.
    void emptyFrom(Trial2011::Step step);
    // A field changed: the window's fields are no longer those saved or reopened.
    void setModified();
    // Sets an input without the changes it would cause.
    void setQuietly(const QString& name, const QString& text);

    Fields& m_fields;
    Prompter& m_prompter;
    bool m_quiet = false;
    bool m_modified = false;
    std::optional<TrialInputs2011> m_inputs;
    std::optional<TrialMix2011> m_mix;
    std::optional<Regression2011> m_regression;
    std::optional<DesignMix2011> m_design;
    std::optional<SiteMix2011> m_site;
};
