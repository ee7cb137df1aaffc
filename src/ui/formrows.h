#pragma once

class QTableWidget;
class QWidget;

// Layout helpers of the 2011 windows' forms.

// A field and the labels that name it (their buddy) are enabled together.
void setRowEnabled(QWidget* field, bool on);

// Every row of a result table shows at once: no scrolling, read-only cells with numbers to the right. Rows
// are `rowPadding` pixels taller than the font; each column at least `minimumColumn` wide.
void fitResultTable(QTableWidget* table, int rowPadding, int minimumColumn = 0);
