#pragma once

#include <QString>

class InstallPaths;
class Launcher;
class Prompter;

// The PDF of a saved report, root/<name>.pdf, opened with the desktop's viewer through the launcher. Where
// the file is gone, or the desktop cannot open it, a stop box says so ("无法打开“NAME.pdf”：…").
//
// A view command of a JGJ 55-2011 window ("查看计算书", "查看试配记录") refuses first while nothing was saved
// ("请先保存计算书。", "请先保存试配记录。"), then calls ReportPdf::open with the name its save returned.
class ReportPdf {
public:
    // True when the viewer was asked to show it.
    static bool open(Launcher& launcher, Prompter& prompter, const InstallPaths& paths, const QString& name);

    static QString goneMessage(const QString& name);
    static QString noViewerMessage(const QString& name);
};
