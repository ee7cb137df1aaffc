#pragma once

#include "common/fields.h"

class QTableWidgetItem;
class QWidget;

// Fields over the real controls of one window, found by objectName under the window: line edits, text edits,
// lists (their shown text; setting a text selects that item where the list is not editable), labels (their
// caption), check boxes and table cells (TABLE.ROW.COLUMN). An unknown name throws std::logic_error.
class WidgetFields : public Fields {
public:
    explicit WidgetFields(QWidget* window);

    QString text(const QString& name) const override;
    void setText(const QString& name, const QString& text) override;
    void setCheckColour(const QString& name, CheckColour colour) override;
    void setHighlight(const QString& name, bool on) override;
    bool isChecked(const QString& name) const override;
    void setChecked(const QString& name, bool on) override;

private:
    QWidget* control(const QString& name) const;
    // The cell of a table addressed as TABLE.ROW.COLUMN (from 1), created empty when it has no item yet;
    // nullptr for a name of another form.
    QTableWidgetItem* cell(const QString& name) const;

    QWidget* m_window;
};

// Reading the state the Fields calls leave on a widget (for the script runner and GUI tests).
bool isRedText(const QWidget* widget);
bool isHighlighted(const QWidget* widget);
// The text a control shows: a field's text, a list's shown text, a label's caption, a button's caption.
QString controlText(const QWidget* widget, bool* known = nullptr);
