#include "common/templatesupply.h"

#include "common/installpaths.h"

#include <QDir>
#include <QFile>

QStringList supplyMissingTemplates(const QString& sourceDir, const InstallPaths& paths) {
    QStringList copied;
    const QDir source(sourceDir);
    const QStringList supplied = {QStringLiteral("*.xls"), QStringLiteral("*.html")};
    const QStringList names = source.entryList(supplied, QDir::Files, QDir::Name);
    if (names.isEmpty() || !QDir().mkpath(paths.templateDir()))
        return copied;
    for (const QString& name : names) {
        const QString target = paths.templatePath(name);
        const QFileInfo present(target);
        // An empty workbook template (a full disk, a copy cut short) is no template: it is supplied again.
        const bool empty = name.endsWith(QStringLiteral(".xls")) && present.isFile() &&
                           !present.isSymLink() && present.size() == 0;
        if (empty)
            QFile::remove(target);
        else if (present.exists() || present.isSymLink())
            continue;
        // The copy keeps the installed file's permissions; the user's copy must stay editable.
        if (!QFile::copy(source.filePath(name), target))
            continue;
        QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
        copied.append(name);
    }
    return copied;
}
