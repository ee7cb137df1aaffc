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
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
            continue;
        // The copy keeps the installed file's permissions; the user's copy must stay editable.
        if (!QFile::copy(source.filePath(name), target))
            continue;
        QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
        copied.append(name);
    }
    return copied;
}
