#include "tools/scriptrunner.h"

#include "common/scriptedprompter.h"
#include "common/transcript.h"
#include "report/spreadsheetfaults.h"
#include "report/spreadsheetlifecycle.h"
#include "tools/personfocus.h"
#include "ui/chartwindow.h"
#include "ui/internalerror.h"
#include "ui/widgetfields.h"
#include "ui/windowmanager.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTextEdit>
#include <QThread>
#include <algorithm>
#include <exception>

namespace {

// Control names in the order a person reads them: Text2 before Text10.
bool controlNameLess(const QString& a, const QString& b) {
    auto split = [](const QString& name) {
        qsizetype i = name.size();
        while (i > 0 && name[i - 1].isDigit())
            --i;
        return std::make_pair(name.left(i), i < name.size() ? name.mid(i).toLongLong() : -1);
    };
    return split(a) < split(b);
}

void sendMouse(QWidget* widget, QEvent::Type type) {
    const QPointF centre(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent event(type, centre, widget->mapToGlobal(centre), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

QString boxText(const QCheckBox* box) {
    return box->isChecked() ? QStringLiteral("on") : QStringLiteral("off");
}

// A person's choice of an item from a list that takes no typed text: the same signals as a choice from its
// drop-down.
void chooseItem(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
    emit list->textActivated(list->itemText(index));
}

MessageButton parseButton(const QString& word, bool* ok) {
    *ok = true;
    if (word == QStringLiteral("Yes"))
        return MessageButton::Yes;
    if (word == QStringLiteral("No"))
        return MessageButton::No;
    if (word == QStringLiteral("OK"))
        return MessageButton::Ok;
    if (word == QStringLiteral("Cancel"))
        return MessageButton::Cancel;
    *ok = false;
    return MessageButton::Cancel;
}

} // namespace

ScriptRunner::ScriptRunner(WindowManager& windows, ScriptedPrompter& prompter,
                           SpreadsheetLifecycle& spreadsheets, SpreadsheetFaults& faults, Sink sink,
                           InternalError& internalError)
    : m_windows(windows), m_prompter(prompter), m_spreadsheets(spreadsheets), m_faults(faults),
      m_sink(std::move(sink)), m_internalError(internalError) {}

int ScriptRunner::runFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_sink(QStringLiteral("ERROR cannot read %1").arg(path));
        return 2;
    }
    return runText(QString::fromUtf8(file.readAll()));
}

int ScriptRunner::runText(const QString& script) {
    QStringList lines = script.split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    m_lineNumber = 0;
    for (const QString& line : lines) {
        ++m_lineNumber;
        try {
            // ${ROOT} stands for the installation folder, with its trailing "/".
            runLine(QString(line).replace(QStringLiteral("${ROOT}"), m_windows.context().paths.root()));
        } catch (const BadLine& bad) {
            m_sink(QStringLiteral("ERROR line %1: %2").arg(m_lineNumber).arg(bad.why));
            return 2;
        } catch (const std::exception& e) {
            // A command's programming error: reported as the program reports it, and the script goes on.
            m_internalError.report(QString::fromUtf8(e.what()));
        }
        settle();
    }
    if (m_prompter.pendingAnswers() > 0) {
        m_sink(QStringLiteral("FAIL end: %1 queued answer(s) were never asked for")
                   .arg(m_prompter.pendingAnswers()));
        m_failed = true;
    }
    return m_failed ? 1 : 0;
}

void ScriptRunner::settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void ScriptRunner::fail(const QString& what) {
    m_sink(QStringLiteral("FAIL line %1: %2").arg(m_lineNumber).arg(what));
    m_failed = true;
}

QWidget* ScriptRunner::window(const QString& name) const {
    QWidget* w = m_windows.window(name);
    if (!w || !w->isVisible())
        throw BadLine{QStringLiteral("window %1 is not open").arg(name)};
    return w;
}

QWidget* ScriptRunner::control(const QString& target) const {
    const qsizetype dot = target.indexOf(u'.');
    if (dot <= 0 || dot == target.size() - 1)
        throw BadLine{QStringLiteral("%1 is not WINDOW.CONTROL").arg(target)};
    QWidget* w = window(target.left(dot));
    const QString name = target.mid(dot + 1);
    auto* c = w->findChild<QWidget*>(name);
    if (!c)
        throw BadLine{QStringLiteral("no control %1").arg(target)};
    return c;
}

void ScriptRunner::runLine(const QString& line) {
    if (line.trimmed().isEmpty() || line.trimmed().startsWith(u'#'))
        return;
    const qsizetype firstSpace = line.indexOf(u' ');
    const QString verb = firstSpace < 0 ? line : line.left(firstSpace);
    const QString rest = firstSpace < 0 ? QString() : line.mid(firstSpace + 1);
    // For "verb TARGET TEXT": TEXT is everything after exactly one space following TARGET.
    const qsizetype secondSpace = rest.indexOf(u' ');
    const QString target = secondSpace < 0 ? rest : rest.left(secondSpace);
    const QString text = secondSpace < 0 ? QString() : rest.mid(secondSpace + 1);
    const auto needTarget = [&] {
        if (target.isEmpty())
            throw BadLine{verb + QStringLiteral(" needs a target")};
    };
    if (runOfficeLine(verb, rest))
        return;

    if (verb == QStringLiteral("set")) {
        needTarget();
        QWidget* c = control(target);
        focusByClick(c);
        if (auto* edit = qobject_cast<QLineEdit*>(c))
            edit->setText(text);
        else if (auto* combo = qobject_cast<QComboBox*>(c); combo && combo->isEditable())
            combo->setEditText(text);
        else if (combo) {
            const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (index < 0)
                throw BadLine{QStringLiteral("%1 has no item \"%2\"").arg(target, escapeText(text))};
            chooseItem(combo, index);
        } else if (auto* box = qobject_cast<QCheckBox*>(c)) {
            if (text != QStringLiteral("on") && text != QStringLiteral("off"))
                throw BadLine{QStringLiteral("%1 takes on or off").arg(target)};
            if (boxText(box) != text)
                box->click();
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(c))
            plain->setPlainText(text);
        else if (auto* rich = qobject_cast<QTextEdit*>(c))
            rich->setPlainText(text);
        else
            throw BadLine{target + QStringLiteral(" takes no typed text")};
    } else if (verb == QStringLiteral("click")) {
        needTarget();
        QWidget* c = control(target);
        focusByClick(c);
        if (auto* button = qobject_cast<QAbstractButton*>(c)) {
            button->click();
        } else {
            sendMouse(c, QEvent::MouseButtonPress);
            sendMouse(c, QEvent::MouseButtonRelease);
        }
    } else if (verb == QStringLiteral("dblclick")) {
        needTarget();
        QWidget* c = control(target);
        focusByClick(c);
        sendMouse(c, QEvent::MouseButtonDblClick);
        sendMouse(c, QEvent::MouseButtonRelease);
    } else if (verb == QStringLiteral("leave")) {
        needTarget();
        focusNextByTab(control(target));
    } else if (verb == QStringLiteral("menu")) {
        needTarget();
        const qsizetype dot = target.indexOf(u'.');
        if (dot <= 0)
            throw BadLine{QStringLiteral("%1 is not WINDOW.MENU").arg(target)};
        QWidget* w = window(target.left(dot));
        auto* action = w->findChild<QAction*>(target.mid(dot + 1));
        if (!action)
            throw BadLine{QStringLiteral("no menu command %1").arg(target)};
        action->trigger();
    } else if (verb == QStringLiteral("close")) {
        needTarget();
        window(target)->close();
    } else if (verb == QStringLiteral("answer")) {
        bool ok = false;
        const MessageButton button = parseButton(rest, &ok);
        if (!ok)
            throw BadLine{QStringLiteral("unknown button %1").arg(rest)};
        m_prompter.queueAnswer(button);
    } else if (verb == QStringLiteral("input")) {
        m_prompter.queueInput(rest);
    } else if (verb == QStringLiteral("input-cancel")) {
        m_prompter.queueInput(std::nullopt);
    } else if (verb == QStringLiteral("file")) {
        m_prompter.queueFile(rest);
    } else if (verb == QStringLiteral("file-cancel")) {
        m_prompter.queueFile(std::nullopt);
    } else if (verb == QStringLiteral("expect")) {
        needTarget();
        const QString actual = shownText(target);
        const QString expected = unescapeText(text);
        if (actual != expected)
            fail(QStringLiteral("expect %1 \"%2\" but was \"%3\"")
                     .arg(target, escapeText(expected), escapeText(actual)));
    } else if (verb == QStringLiteral("expect-colour")) {
        needTarget();
        if (text != QStringLiteral("red") && text != QStringLiteral("normal"))
            throw BadLine{QStringLiteral("colour must be red or normal")};
        const QString actual = isRedText(control(target)) ? QStringLiteral("red") : QStringLiteral("normal");
        if (actual != text)
            fail(QStringLiteral("expect-colour %1 %2 but was %3").arg(target, text, actual));
    } else if (verb == QStringLiteral("expect-background")) {
        needTarget();
        if (text != QStringLiteral("yellow") && text != QStringLiteral("normal"))
            throw BadLine{QStringLiteral("background must be yellow or normal")};
        const QString actual =
            isHighlighted(control(target)) ? QStringLiteral("yellow") : QStringLiteral("normal");
        if (actual != text)
            fail(QStringLiteral("expect-background %1 %2 but was %3").arg(target, text, actual));
    } else if (verb == QStringLiteral("expect-open")) {
        needTarget();
        if (text != QStringLiteral("yes") && text != QStringLiteral("no"))
            throw BadLine{QStringLiteral("expect-open takes yes or no")};
        QWidget* w = m_windows.window(target);
        const QString actual = (w && w->isVisible()) ? QStringLiteral("yes") : QStringLiteral("no");
        if (actual != text)
            fail(QStringLiteral("expect-open %1 %2 but was %3").arg(target, text, actual));
    } else if (verb == QStringLiteral("user-save")) {
        m_spreadsheets.saveHandedOver();
    } else if (verb == QStringLiteral("screenshot")) {
        needTarget();
        if (text.isEmpty())
            throw BadLine{QStringLiteral("screenshot needs a file")};
        if (!window(target)->grab().save(text, "PNG"))
            fail(QStringLiteral("cannot save %1").arg(text));
    } else if (verb == QStringLiteral("dump")) {
        needTarget();
        dump(target);
    } else {
        throw BadLine{QStringLiteral("unknown action %1").arg(verb)};
    }
}

std::optional<QString> ScriptRunner::cellText(const QString& target) const {
    const QStringList parts = target.split(u'.');
    if (parts.size() != 4)
        return std::nullopt;
    auto* table = window(parts[0])->findChild<QTableWidget*>(parts[1]);
    if (!table)
        return std::nullopt;
    bool rowOk = false;
    bool columnOk = false;
    const int row = parts[2].toInt(&rowOk) - 1;
    const int column = parts[3].toInt(&columnOk) - 1;
    if (!rowOk || !columnOk || row < 0 || column < 0 || row >= table->rowCount() ||
        column >= table->columnCount())
        throw BadLine{QStringLiteral("no cell %1").arg(target)};
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

QString ScriptRunner::shownText(const QString& target) const {
    if (const std::optional<QString> cell = cellText(target))
        return *cell;
    QWidget* c = control(target);
    if (auto* box = qobject_cast<QCheckBox*>(c))
        return boxText(box);
    bool known = false;
    const QString text = controlText(c, &known);
    if (!known)
        throw BadLine{target + QStringLiteral(" shows no text")};
    return text;
}

bool ScriptRunner::runOfficeLine(const QString& verb, const QString& rest) {
    if (verb == QStringLiteral("user-close")) {
        m_spreadsheets.closeHandedOver();
    } else if (verb == QStringLiteral("expect-offices")) {
        bool ok = false;
        const int expected = rest.trimmed().toInt(&ok);
        if (!ok || expected < 0)
            throw BadLine{QStringLiteral("expect-offices takes a count")};
        // Ended offices may take a moment to go; none appears by waiting.
        const QDeadlineTimer deadline(10000);
        int actual = m_spreadsheets.running();
        while (actual > expected && !deadline.hasExpired()) {
            QThread::msleep(100);
            QCoreApplication::processEvents();
            actual = m_spreadsheets.running();
        }
        if (actual != expected)
            fail(QStringLiteral("expect-offices %1 but %2 run").arg(expected).arg(actual));
    } else if (verb == QStringLiteral("pause")) {
        // The person takes a moment (reads, types elsewhere): the program's event loop runs meanwhile.
        bool ok = false;
        const int ms = rest.trimmed().toInt(&ok);
        if (!ok || ms < 0 || ms > 600000)
            throw BadLine{QStringLiteral("pause takes milliseconds, at most 600000")};
        const QDeadlineTimer deadline(ms);
        while (!deadline.hasExpired()) {
            QCoreApplication::processEvents();
            QThread::msleep(std::min<qint64>(10, deadline.remainingTime()));
        }
    } else if (verb == QStringLiteral("office-fault")) {
        if (rest == QStringLiteral("kill"))
            m_faults.injectFault(StartFault::Kill);
        else if (rest == QStringLiteral("stop"))
            m_faults.injectFault(StartFault::Stop);
        else
            throw BadLine{QStringLiteral("office-fault takes kill or stop")};
    } else {
        return false;
    }
    return true;
}

void ScriptRunner::dump(const QString& windowName) {
    QWidget* w = window(windowName);
    // The chart window has no fields: it tells what it draws.
    if (auto* chart = dynamic_cast<ChartWindow*>(w)) {
        for (const QString& line : chart->chart().describe())
            m_sink(windowName + u'.' + escapeText(line));
        return;
    }
    QList<QWidget*> controls;
    for (QWidget* c : w->findChildren<QWidget*>()) {
        const bool shown = qobject_cast<QLineEdit*>(c) || qobject_cast<QComboBox*>(c) ||
                           qobject_cast<QLabel*>(c) || qobject_cast<QPlainTextEdit*>(c) ||
                           qobject_cast<QTextEdit*>(c) || qobject_cast<QCheckBox*>(c) ||
                           qobject_cast<QTableWidget*>(c);
        // A list's own line edit is part of the list; unnamed widgets are decoration.
        if (shown && !c->objectName().isEmpty() && !qobject_cast<QComboBox*>(c->parentWidget()))
            controls.append(c);
    }
    std::sort(controls.begin(), controls.end(),
              [](QWidget* a, QWidget* b) { return controlNameLess(a->objectName(), b->objectName()); });
    const auto print = [&](const QString& name, const QString& text) {
        m_sink(QStringLiteral("%1.%2=%3").arg(windowName, name, escapeText(text)));
    };
    for (QWidget* c : controls) {
        if (auto* table = qobject_cast<QTableWidget*>(c)) {
            // Every cell, row by row, named TABLE.ROW.COLUMN from 1.
            for (int row = 0; row < table->rowCount(); ++row) {
                for (int column = 0; column < table->columnCount(); ++column) {
                    const QTableWidgetItem* item = table->item(row, column);
                    print(QStringLiteral("%1.%2.%3").arg(c->objectName()).arg(row + 1).arg(column + 1),
                          item ? item->text() : QString());
                }
            }
        } else if (auto* box = qobject_cast<QCheckBox*>(c)) {
            print(c->objectName(), boxText(box));
        } else {
            print(c->objectName(), controlText(c));
        }
    }
}
