#pragma once

#include <QStringList>
#include <QWidget>

// A table of the standard drawn for the user's reference: a title line, a header row and body rows in a grid.
class ReferenceTable : public QWidget {
public:
    ReferenceTable(const QString& title, const QList<QStringList>& rows, QWidget* parent = nullptr);

    const QString& title() const { return m_title; }
    const QList<QStringList>& rows() const { return m_rows; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_title;
    QList<QStringList> m_rows; // first row is the header
};
