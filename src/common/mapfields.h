#pragma once

#include "common/fields.h"

#include <QMap>
#include <QStringList>

// Fields over a plain map, for tests of the commands: only the names given at construction exist.
class MapFields : public Fields {
public:
    explicit MapFields(const QStringList& names);

    QString text(const QString& name) const override;
    void setText(const QString& name, const QString& text) override;
    void setCheckColour(const QString& name, CheckColour colour) override;
    void setHighlight(const QString& name, bool on) override;
    // A box is checked when its text is "on".
    bool isChecked(const QString& name) const override;
    void setChecked(const QString& name, bool on) override;

    CheckColour colour(const QString& name) const;
    bool highlighted(const QString& name) const;
    // Names in the order their texts were written, repeats included.
    const QStringList& writes() const { return m_writes; }
    void clearWrites() { m_writes.clear(); }

private:
    void require(const QString& name) const;

    QMap<QString, QString> m_texts;
    QMap<QString, CheckColour> m_colours;
    QMap<QString, bool> m_highlights;
    QStringList m_writes;
};
