#pragma once

#include "common/controls.h"

// The controls of the strength chart window Form8 by their role. Every control name of the window is written
// here and nowhere else.
namespace Form8 {

// The window itself.
inline const QString window = QStringLiteral("Form8");
// "保存图片": the chart into a PNG file.
inline const QString savePictureButton = QStringLiteral("Command1");

// Every named control of the window with its kind.
const QList<Control>& controls();

} // namespace Form8
