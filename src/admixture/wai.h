#pragma once

#include "common/controls.h"

// The controls of the admixture water window wai by their role. Every control name of the window is
// written here and nowhere else.
namespace Wai {

// The window itself.
inline const QString window = QStringLiteral("wai");
// Water content without admixture.
inline const QString baseWater = QStringLiteral("Text1");
// Water reduction rate in percent.
inline const QString reductionRate = QStringLiteral("Text2");
// Water content with the admixture.
inline const QString result = QStringLiteral("Text3");
// The fixed note.
inline const QString note = QStringLiteral("Text5");
inline const QString computeButton = QStringLiteral("Command1");
inline const QString sendBackButton = QStringLiteral("Command2");
inline const QString baseWaterLabel = QStringLiteral("Label1");
inline const QString reductionRateLabel = QStringLiteral("Label2");
inline const QString resultLabel = QStringLiteral("Label3");

// Every named control of the window with its kind.
const QList<Control>& controls();

} // namespace Wai
