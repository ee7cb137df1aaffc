#pragma once

#include "common/fields.h"

class QWidget;

// Fields over the real controls of one window, found by objectName under the window: line edits, text edits,
// editable lists (their shown text) and labels (their caption). An unknown name throws std::logic_error.
class WidgetFields : public Fields {
public:
    explicit WidgetFields(QWidget* window);

    QString text(const QString& name) const override;
    void setText(const QString& name, const QString& text) override;
    void setCheckColour(const QString& name, CheckColour colour) override;
    void setHighlight(const QString& name, bool on) override;

private:
    QWidget* control(const QString& name) const;

    QWidget* m_window;
};

// Reading the state the Fields calls leave on a widget (for the script runner and GUI tests).
bool isRedText(const QWidget* widget);
bool isHighlighted(const QWidget* widget);
// The text a control shows: a field's text, a list's shown text, a label's caption, a button's caption.
QString controlText(const QWidget* widget, bool* known = nullptr);
