#pragma once

#include "common/mapfields.h"
#include "design/form1.h"

#include <QStringList>

// The main design window's fields, lists and date label, for commands run over MapFields.
inline QStringList form1FieldNames() { return Form1::commandControls(); }

// The fully automatic results of the worked example with its grade and a report name: a report that fills.
inline void fillAutomaticReport(MapFields& fields, const QString& name) {
    const QStringList values = {"38.225", "5", "48.025", "0.53", "185", "349", "0.33", "618", "1248"};
    for (int i = 0; i < values.size(); ++i)
        fields.setText(Form1::automaticColumn()[i], values[i]);
    fields.setText(Form1::gradeStrength, QStringLiteral("30"));
    fields.setText(Form1::fileName, name);
}
