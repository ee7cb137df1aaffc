#include "admixture/wai.h"

const QList<Control>& Wai::controls() {
    static const QList<Control> all = {
        {baseWater, ControlKind::Field},      {reductionRate, ControlKind::Field},
        {result, ControlKind::Field},         {note, ControlKind::TextArea},
        {computeButton, ControlKind::Button}, {sendBackButton, ControlKind::Button},
        {baseWaterLabel, ControlKind::Label}, {reductionRateLabel, ControlKind::Label},
        {resultLabel, ControlKind::Label},
    };
    return all;
}
