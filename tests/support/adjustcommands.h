#pragma once

#include "adjust/mixadjustment.h"

#include <QMap>

// The adjustment window's step commands by button name.
using AdjustCommand = void (MixAdjustment::*)();

inline const QMap<QString, AdjustCommand>& adjustCommands() {
    static const QMap<QString, AdjustCommand> map = {
        {"Command2", &MixAdjustment::command2},   {"Command1", &MixAdjustment::command1},
        {"Command3", &MixAdjustment::command3},   {"Command7", &MixAdjustment::command7},
        {"Command8", &MixAdjustment::command8},   {"Command9", &MixAdjustment::command9},
        {"Command4", &MixAdjustment::command4},   {"Command5", &MixAdjustment::command5},
        {"Command15", &MixAdjustment::command15}, {"Command6", &MixAdjustment::command6}};
    return map;
}
