#pragma once

#include "common/controls.h"

// The controls of the information windows by their role. Every control name of these windows is written
// here and nowhere else.

// The statement window.
namespace Form2 {
inline const QString window = QStringLiteral("Form2");
inline const QString heading = QStringLiteral("Label1");
inline const QString text = QStringLiteral("Text1");
const QList<Control>& controls();
} // namespace Form2

// The installation agreement window.
namespace Form5 {
inline const QString window = QStringLiteral("Form5");
inline const QString text = QStringLiteral("Text1");
const QList<Control>& controls();
} // namespace Form5

// The usage help window.
namespace Form6 {
inline const QString window = QStringLiteral("Form6");
inline const QString text = QStringLiteral("Text1");
const QList<Control>& controls();
} // namespace Form6

// The customer service window, its labels from top to bottom.
namespace Form7 {
inline const QString window = QStringLiteral("Form7");
inline const QString title = QStringLiteral("Label4");
inline const QString edition = QStringLiteral("Label25");
inline const QString greeting = QStringLiteral("Label28");
inline const QString message = QStringLiteral("Label1");
inline const QString thanks = QStringLiteral("Label2");
inline const QString phone = QStringLiteral("Label5");
inline const QString mail = QStringLiteral("Label6");
inline const QString qq = QStringLiteral("Label8");
// Click: the program's page.
inline const QString link = QStringLiteral("Label3");
const QList<Control>& controls();
} // namespace Form7
