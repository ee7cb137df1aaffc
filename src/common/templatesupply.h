#pragma once

#include <QStringList>

class InstallPaths;

// Supplies the installation folder with the workbook templates and the program's page that come with the
// program: each file of sourceDir (*.xls, *.html) that is missing in the template folder, or is an empty
// workbook template there, is copied there; any other file already there, perhaps edited by the user, is
// never replaced. Returns the names copied.
QStringList supplyMissingTemplates(const QString& sourceDir, const InstallPaths& paths);
