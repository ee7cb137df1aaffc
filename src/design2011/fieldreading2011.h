#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class Fields;

// The strict reading of the 2011 windows' fields: a number field refuses a text that is not a number or a
// number outside its range, naming the field's caption and the range.

// A number field, its caption in the refusal and its range.
struct NumberField {
    QString name;
    QString caption;
    double low;
    double high;
};

// Thrown by the readings below with the refusal's message.
struct FieldRefused {
    QString message;
};

// "“CAPTION”应为 LO～HI 之间的数值。"
QString rangeRefusal(const NumberField& field);
double readNumber(const Fields& fields, const NumberField& field);
// Nothing for an empty (or blank) field.
std::optional<double> readOptional(const Fields& fields, const NumberField& field);
bool isEmptyText(const Fields& fields, const QString& name);
// The index of the list's text among its items; a text that is no item is a programming error.
int listIndex(const Fields& fields, const QString& name, const QStringList& items);
