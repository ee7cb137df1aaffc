#pragma once

#include <QStringList>

// The main design window's fields, lists and date label by control name, for commands run over MapFields.
inline QStringList form1FieldNames() {
    QStringList names;
    for (int i = 1; i <= 30; ++i)
        names << QStringLiteral("Text%1").arg(i);
    for (int i = 1; i <= 8; ++i)
        names << QStringLiteral("Combo%1").arg(i);
    names << QStringLiteral("Label28");
    return names;
}
