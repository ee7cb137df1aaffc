#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtTest>

// The whole content of a file; empty where it cannot be read.
inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the whole file; the test fails where it cannot be opened.
inline void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}
