#include "common/mapfields.h"

#include <stdexcept>

MapFields::MapFields(const QStringList& names) {
    for (const QString& name : names) {
        m_texts.insert(name, QString());
        m_colours.insert(name, CheckColour::Normal);
        m_highlights.insert(name, false);
    }
}

void MapFields::require(const QString& name) const {
    if (!m_texts.contains(name))
        throw std::logic_error("unknown control " + name.toStdString());
}

QString MapFields::text(const QString& name) const {
    require(name);
    return m_texts.value(name);
}

void MapFields::setText(const QString& name, const QString& text) {
    require(name);
    m_texts[name] = text;
    m_writes.append(name);
}

void MapFields::setCheckColour(const QString& name, CheckColour colour) {
    require(name);
    m_colours[name] = colour;
}

void MapFields::setHighlight(const QString& name, bool on) {
    require(name);
    m_highlights[name] = on;
}

bool MapFields::isChecked(const QString& name) const { return text(name) == QStringLiteral("on"); }

void MapFields::setChecked(const QString& name, bool on) {
    setText(name, on ? QStringLiteral("on") : QStringLiteral("off"));
}

CheckColour MapFields::colour(const QString& name) const {
    require(name);
    return m_colours.value(name);
}

bool MapFields::highlighted(const QString& name) const {
    require(name);
    return m_highlights.value(name);
}
