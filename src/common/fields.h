#pragma once

#include <QString>

enum class CheckColour { Normal, Red };

// The texts of one window's controls by control name: fields, editable lists (their shown text) and labels
// (their caption), non-editable lists (the selected item; setting a text selects that item), the cells of a
// table (named TABLE.ROW.COLUMN, from 1) and check boxes. Commands read and write only through this, so they
// run the same over real widgets and in tests. An unknown control name is a programming error and is reported
// loudly.
class Fields {
public:
    virtual ~Fields() = default;
    virtual QString text(const QString& name) const = 0;
    virtual void setText(const QString& name, const QString& text) = 0;
    // Text colour of a check field: red for a failed check, the system's text colour for a passed one.
    virtual void setCheckColour(const QString& name, CheckColour colour) = 0;
    // Background of a field: yellow while a step asks about its inputs, the system's background otherwise.
    virtual void setHighlight(const QString& name, bool on) = 0;
    // State of a check box.
    virtual bool isChecked(const QString& name) const = 0;
    virtual void setChecked(const QString& name, bool on) = 0;
};
