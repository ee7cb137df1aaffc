#pragma once

#include "design/form1.h"

#include <QStringList>

// The main design window's fields, lists and date label, for commands run over MapFields.
inline QStringList form1FieldNames() { return Form1::commandControls(); }
