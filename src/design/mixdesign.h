#pragma once

#include <QDate>
#include <QString>

class Fields;
class Prompter;
struct DurabilityLimits;
struct InputBoxRequest;

// The commands of the main design window over its fields: the fully automatic calculation, the three manual
// steps and the window's small actions. Each command reads the field texts it needs when it runs and writes
// each result as soon as it is computed; a failure shows the command's one message and ends it.
class MixDesign {
public:
    MixDesign(Fields& fields, Prompter& prompter);

    // Field texts when the window opens on the given day.
    void load(const QDate& today);

    void automaticDesign();  // 全自动计算
    void waterStep();        // 确定用水量
    void sandRatioStep();    // 确定砂率
    void completeStepwise(); // 完成计算

    void gradeRangeLeft();   // Combo1 lost focus: default standard deviation
    void importWater();      // Label36 click, Text26 double-click
    void importSandRatio();  // Label37 click, Text27 double-click
    void completeFileName(); // Label38 click, Label28 double-click

private:
    void checkSigma(double sigma);
    double targetStrength(double sigma, const QString& targetField);
    double cementStrength();
    double formulaRatio(double fcuo, double fce);
    bool askRatio(double& w, double wmax, const InputBoxRequest& box, const QString& ratioField);
    void ratioWithinMaximum();
    // The opening of the automatic calculation and of the water step: the standard deviation checked and
    // copied, the target and the cement strength, and the formula's water-cement ratio, each written.
    double openingRatio(const QString& sigmaField, const QString& targetField, const QString& strengthField,
                        const QString& ratioField);
    // The limits of the chosen environment and reinforcement.
    DurabilityLimits durability() const;
    // The ratio passes within the maximum; above it the user is asked for one. False when cancelled.
    bool ratioAgainstMaximum(double& w, double wmax, const QString& ratioField);
    // Cement from water and ratio, written to its field and checked against the minimum.
    double cementFromWater(const QString& cementField, double mw, double w, double minCement);
    void writeCheck(const QString& field, bool passed, const QString& passText, const QString& failText);
    void checkMinCement(double mc, double cmin);
    // The fields of one result column that the end of a calculation reads and writes.
    struct MixColumn {
        QString water, cement, sand, stone;
    };
    void completeMix(const MixColumn& column, double sandRatio, double mc, double mw, double w);
    void writeMix(double mc, double mw, double ms, double mg, double w);

    Fields& m_fields;
    Prompter& m_prompter;
};
