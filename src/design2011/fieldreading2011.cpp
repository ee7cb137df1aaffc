#include "design2011/fieldreading2011.h"

#include "common/failure.h"
#include "common/fields.h"
#include "common/numbers.h"

#include <stdexcept>

QString rangeRefusal(const NumberField& field) {
    return QStringLiteral("“%1”应为 %2～%3 之间的数值。")
        .arg(field.caption, generalForm(field.low), generalForm(field.high));
}

double readNumber(const Fields& fields, const NumberField& field) {
    try {
        const double v = readStrictWide(fields.text(field.name));
        if (v >= field.low && v <= field.high)
            return v;
    } catch (const CalcFailure&) {
    }
    throw FieldRefused{rangeRefusal(field)};
}

std::optional<double> readOptional(const Fields& fields, const NumberField& field) {
    if (isEmptyText(fields, field.name))
        return std::nullopt;
    return readNumber(fields, field);
}

bool isEmptyText(const Fields& fields, const QString& name) { return fields.text(name).trimmed().isEmpty(); }

int listIndex(const Fields& fields, const QString& name, const QStringList& items) {
    const int index = static_cast<int>(items.indexOf(fields.text(name)));
    if (index < 0)
        throw std::logic_error("list " + name.toStdString() + " shows no item of its own");
    return index;
}
