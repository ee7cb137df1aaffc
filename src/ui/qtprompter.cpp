#include "ui/qtprompter.h"

#include "ui/busycursor.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace {

// "excel file(*.xls)|*.xls|" -> "excel file(*.xls)": each description names its patterns already.
QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|', Qt::SkipEmptyParts);
    QStringList descriptions;
    for (int i = 0; i < parts.size(); i += 2)
        descriptions.append(parts[i]);
    return descriptions.join(QStringLiteral(";;"));
}

QString displayText(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

} // namespace

MessageButton QtPrompter::message(const MessageBoxRequest& request) {
    const DialogCursor cursor;
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(titleOrApp(request.title));
    box.setText(displayText(request.text));
    box.setTextFormat(Qt::PlainText);
    switch (request.icon) {
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Stop:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    const bool yesNo = request.buttons == MessageButtons::YesNo;
    QPushButton* first = box.addButton(yesNo ? QMessageBox::Yes : QMessageBox::Ok);
    if (request.buttons == MessageButtons::Ok) {
        box.setDefaultButton(first);
        box.setEscapeButton(first);
        box.exec();
        return MessageButton::Ok;
    }
    QPushButton* second = box.addButton(yesNo ? QMessageBox::No : QMessageBox::Cancel);
    const bool firstIsDefault =
        request.defaultButton == MessageButton::Yes || request.defaultButton == MessageButton::Ok;
    box.setDefaultButton(firstIsDefault ? first : second);
    box.setEscapeButton(second);
    box.exec();
    const bool tookFirst = box.clickedButton() == first;
    if (yesNo)
        return tookFirst ? MessageButton::Yes : MessageButton::No;
    return tookFirst ? MessageButton::Ok : MessageButton::Cancel;
}

std::optional<QString> QtPrompter::input(const InputBoxRequest& request) {
    const DialogCursor cursor;
    bool ok = false;
    const QString text =
        QInputDialog::getText(QApplication::activeWindow(), titleOrApp(request.title),
                              displayText(request.prompt), QLineEdit::Normal, request.proposal, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

void QtPrompter::beep() { QApplication::beep(); }

std::optional<QString> QtPrompter::openFile(const FileDialogRequest& request) {
    const DialogCursor cursor;
    const QString path = QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(),
                                                      request.startFolder, qtFilter(request.filter));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtPrompter::saveFile(const FileSaveRequest& request) {
    const DialogCursor cursor;
    const QString path =
        QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(),
                                     QDir(request.folder).filePath(request.name), qtFilter(request.filter));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}
