#pragma once

#include <QDate>
#include <QString>

// The date as it goes into captions and file names: yyyy-M-d (2026-12-7), never with "/".
QString dateText(const QDate& date);
