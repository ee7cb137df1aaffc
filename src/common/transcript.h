#pragma once

#include <QString>

// Escapes a text for one transcript line: \r, \n, \" and \\ (the script runner's output and expectations).
QString escapeText(const QString& text);
// The reverse of escapeText for \n, \r, \" and \\; any other backslash stays as it is.
QString unescapeText(const QString& text);
