#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// A poppler tool's output for a PDF file (pdfinfo, pdftotext, pdffonts): an independent reader of the
// office's PDF. Empty when the tool fails.
inline QString poppler(const QString& tool, const QString& pdf) {
    QProcess process;
    const QStringList arguments =
        tool == QStringLiteral("pdftotext") ? QStringList{pdf, QStringLiteral("-")} : QStringList{pdf};
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A value of pdfinfo's report ("Pages", "Page size"), empty when it has none.
inline QString pdfInfo(const QString& pdf, const QString& key) {
    for (const QString& line : poppler(QStringLiteral("pdfinfo"), pdf).split(u'\n'))
        if (line.startsWith(key + u':'))
            return line.mid(key.size() + 1).trimmed();
    return {};
}

inline int pdfPages(const QString& pdf) { return pdfInfo(pdf, QStringLiteral("Pages")).toInt(); }
