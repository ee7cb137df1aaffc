#pragma once

#include <QDebug>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

// What the independent reader (python3-xlrd through office/xlscheck.py) finds in a workbook, with the cells
// of the sheet of that index; empty when it cannot read it. Debian's python3 is preferred: another python on
// the path may lack xlrd.
inline QJsonObject readWorkbook(const QString& path, int sheet = 0) {
    const QString python = QFile::exists(QStringLiteral("/usr/bin/python3"))
                               ? QStringLiteral("/usr/bin/python3")
                               : QStringLiteral("python3");
    QProcess checker;
    checker.start(python,
                  {QStringLiteral(TEST_SOURCE_DIR "/office/xlscheck.py"), path, QString::number(sheet)});
    if (!checker.waitForFinished(60000) || checker.exitCode() != 0) {
        qWarning() << checker.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(checker.readAllStandardOutput()).object();
}
