#include "ui/formrows.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

#include <algorithm>

void setRowEnabled(QWidget* field, bool on) {
    field->setEnabled(on);
    for (QLabel* label : field->window()->findChildren<QLabel*>()) {
        if (label->buddy() == field)
            label->setEnabled(on);
    }
}

void fitResultTable(QTableWidget* table, int rowPadding, int minimumColumn) {
    QHeaderView* rows = table->verticalHeader();
    QHeaderView* columns = table->horizontalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(table->fontMetrics().height() + rowPadding);
    columns->setSectionResizeMode(QHeaderView::Stretch);
    int columnWidth = minimumColumn;
    for (int column = 0; column < table->columnCount(); ++column)
        columnWidth = std::max(columnWidth, columns->sectionSizeHint(column));
    const int frame = 2 * table->frameWidth();
    table->setMinimumSize(rows->sizeHint().width() + table->columnCount() * columnWidth + frame,
                          columns->sizeHint().height() + table->rowCount() * rows->defaultSectionSize() +
                              frame);
    table->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            auto* cell = new QTableWidgetItem;
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(row, column, cell);
        }
    }
}
