#pragma once

#include "adjust/stepprotocol.h"

#include <QDate>
#include <QStringList>

class Fields;
class Prompter;

// The commands of the adjustment window over its fields: the six steps that lead from a preliminary mix to
// the laboratory and the site mix, the load state and the worked example. Each step reads the field texts it
// needs when it runs and writes each result as soon as it is computed, behind the step protocol.
class MixAdjustment {
public:
    MixAdjustment(Fields& fields, Prompter& prompter);

    // The input and result fields of steps 1 to 6 that loading and the worked example empty.
    static QStringList stepFields();
    // Every control the commands touch: the step fields, the two paste rows and the file name with its date
    // tag.
    static QStringList controlNames();

    // Field texts when the window opens on the given day.
    void load(const QDate& today);

    void trialBatch();         // step 2: trial batch quantities
    void workability();        // step 3: paste adjustment and the adjusted base mix
    void strengthGroups();     // step 4: the three water-cement ratio groups
    void regression();         // step 4: reference ratios from the least-squares line
    void takeParameters();     // step 5 "得到参数": parameters from earlier steps
    void correctWaterCement(); // step 5 "计算修正": corrected water and cement
    void absoluteVolume();     // step 5 "计算": sand and stone by absolute volume, inputs read strictly
    void densityCorrection();  // step 5 "修正计算": laboratory mix corrected by the measured density
    void keepUncorrected();    // step 5 "不修正": laboratory mix as computed
    void siteMix();            // step 6: site mix from the aggregates' moisture
    void workedExample();      // "演示示例": fills in the worked example, asks nothing, computes nothing

private:
    double value(const QString& name) const;
    void write(const QString& name, double v, const char16_t* pattern);
    void writeGeneral(const QString& name, double v);
    void copy(const QString& from, const QString& to);
    void emptyStepFields();
    // The ratios of three quantities to the cement, the cement's own ratio first: names are cement, then
    // pairs.
    void writeRatios(const QString& cementField, const QString& cementRatioField,
                     const QList<QPair<QString, QString>>& quantityToRatio);

    Fields& m_fields;
    StepProtocol m_protocol;
};
