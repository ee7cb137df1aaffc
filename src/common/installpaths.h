#pragma once

#include <QString>

// The installation folder (~/zeb/ for the program, a temporary folder in tests) and the places under it.
class InstallPaths {
public:
    // root: the folder itself; a trailing "/" is added when missing.
    explicit InstallPaths(QString root);

    const QString& root() const { return m_root; }
    // root + "mb/": the templates, the help program and the program's page.
    QString templateDir() const { return m_root + QStringLiteral("mb/"); }
    QString templatePath(const QString& fileName) const { return templateDir() + fileName; }
    // root + name + ".xls": where reports and adjustment workbooks are saved.
    QString workbookPath(const QString& name) const { return m_root + name + QStringLiteral(".xls"); }
    // root + name + ".pdf": the printed form of a saved report.
    QString pdfPath(const QString& name) const { return m_root + name + QStringLiteral(".pdf"); }
    QString helpProgram() const { return templateDir() + QStringLiteral("zebhelp"); }

    // How the folder is named in captions and help texts shown to the user.
    static QString displayRoot() { return QStringLiteral("~/zeb/"); }

private:
    QString m_root;
};

// A name that keeps a workbook inside the installation folder and in sight: no path separator, no leading "."
// (so not "." or "..", and never a hidden file that could pass for one of the program's scratch files).
bool isSafeWorkbookName(const QString& name);
