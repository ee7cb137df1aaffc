#pragma once

#include "adjust/mixadjustment.h"
#include "adjust/tiaozheng.h"

#include <QMap>

// The adjustment window's step commands by button name.
using AdjustCommand = void (MixAdjustment::*)();

inline const QMap<QString, AdjustCommand>& adjustCommands() {
    static const QMap<QString, AdjustCommand> map = {
        {Tiaozheng::trialBatchButton, &MixAdjustment::trialBatch},
        {Tiaozheng::workabilityButton, &MixAdjustment::workability},
        {Tiaozheng::strengthGroupsButton, &MixAdjustment::strengthGroups},
        {Tiaozheng::regressionButton, &MixAdjustment::regression},
        {Tiaozheng::takeParametersButton, &MixAdjustment::takeParameters},
        {Tiaozheng::correctWaterCementButton, &MixAdjustment::correctWaterCement},
        {Tiaozheng::absoluteVolumeButton, &MixAdjustment::absoluteVolume},
        {Tiaozheng::densityCorrectionButton, &MixAdjustment::densityCorrection},
        {Tiaozheng::keepUncorrectedButton, &MixAdjustment::keepUncorrected},
        {Tiaozheng::siteMixButton, &MixAdjustment::siteMix}};
    return map;
}
