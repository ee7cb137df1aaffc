#include "ui/widgetfields.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTableWidget>
#include <QTextEdit>
#include <stdexcept>

namespace {

const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);

QWidget* colourTarget(QWidget* widget) {
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
        return combo->lineEdit();
    return widget;
}

} // namespace

WidgetFields::WidgetFields(QWidget* window) : m_window(window) {}

QWidget* WidgetFields::control(const QString& name) const {
    auto* widget = m_window->findChild<QWidget*>(name);
    if (!widget)
        throw std::logic_error("no control " + name.toStdString() + " in " +
                               m_window->objectName().toStdString());
    return widget;
}

QTableWidgetItem* WidgetFields::cell(const QString& name) const {
    const QStringList parts = name.split(u'.');
    if (parts.size() != 3)
        return nullptr;
    auto* table = qobject_cast<QTableWidget*>(control(parts[0]));
    bool rowOk = false;
    bool columnOk = false;
    const int row = parts[1].toInt(&rowOk) - 1;
    const int column = parts[2].toInt(&columnOk) - 1;
    if (!table || !rowOk || !columnOk || row < 0 || column < 0 || row >= table->rowCount() ||
        column >= table->columnCount())
        throw std::logic_error("no table cell " + name.toStdString() + " in " +
                               m_window->objectName().toStdString());
    QTableWidgetItem* item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        table->setItem(row, column, item);
    }
    return item;
}

QString WidgetFields::text(const QString& name) const {
    if (QTableWidgetItem* item = cell(name))
        return item->text();
    bool known = false;
    const QString text = controlText(control(name), &known);
    if (!known)
        throw std::logic_error("control " + name.toStdString() + " has no text");
    return text;
}

void WidgetFields::setText(const QString& name, const QString& text) {
    if (QTableWidgetItem* item = cell(name)) {
        item->setText(text);
        return;
    }
    QWidget* widget = control(name);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(text);
        edit->setCursorPosition(0);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->isEditable())
        combo->setEditText(text);
    else if (combo) {
        const int index = combo->findText(text, Qt::MatchExactly);
        if (index < 0)
            throw std::logic_error("list " + name.toStdString() + " has no item " + text.toStdString());
        combo->setCurrentIndex(index);
    } else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
        plain->setPlainText(text);
    else if (auto* rich = qobject_cast<QTextEdit*>(widget))
        rich->setPlainText(text);
    else
        throw std::logic_error("control " + name.toStdString() + " takes no text");
}

void WidgetFields::setCheckColour(const QString& name, CheckColour colour) {
    QWidget* widget = colourTarget(control(name));
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text,
                     colour == CheckColour::Red ? kRed : QApplication::palette().color(QPalette::Text));
    widget->setPalette(palette);
}

void WidgetFields::setHighlight(const QString& name, bool on) {
    QWidget* widget = colourTarget(control(name));
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, on ? kYellow : QApplication::palette().color(QPalette::Base));
    widget->setPalette(palette);
}

bool WidgetFields::isChecked(const QString& name) const {
    auto* box = qobject_cast<QAbstractButton*>(control(name));
    if (!box || !box->isCheckable())
        throw std::logic_error("control " + name.toStdString() + " is no check box");
    return box->isChecked();
}

void WidgetFields::setChecked(const QString& name, bool on) {
    auto* box = qobject_cast<QAbstractButton*>(control(name));
    if (!box || !box->isCheckable())
        throw std::logic_error("control " + name.toStdString() + " is no check box");
    box->setChecked(on);
}

bool isRedText(const QWidget* widget) {
    if (auto* combo = qobject_cast<const QComboBox*>(widget); combo && combo->lineEdit())
        widget = combo->lineEdit();
    return widget->palette().color(QPalette::Text) == kRed;
}

bool isHighlighted(const QWidget* widget) {
    if (auto* combo = qobject_cast<const QComboBox*>(widget); combo && combo->lineEdit())
        widget = combo->lineEdit();
    return widget->palette().color(QPalette::Base) == kYellow;
}

QString controlText(const QWidget* widget, bool* known) {
    if (known)
        *known = true;
    if (auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->currentText();
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(widget))
        return plain->toPlainText();
    if (auto* rich = qobject_cast<const QTextEdit*>(widget))
        return rich->toPlainText();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* status = qobject_cast<const QStatusBar*>(widget))
        return status->currentMessage();
    if (known)
        *known = false;
    return {};
}
