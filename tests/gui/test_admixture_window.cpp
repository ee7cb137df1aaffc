#include "support/testprogram.h"
#include "ui/admixturewindow.h"
#include "ui/mainwindow.h"
#include "ui/windowmanager.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

struct Program : TestProgram {
    QWidget* wai() const { return windows->window("wai"); }
    QString waiText(const char* name) const { return wai()->findChild<QLineEdit*>(name)->text(); }
    void setWai(const char* name, const QString& text) { wai()->findChild<QLineEdit*>(name)->setText(text); }
    void click(QWidget* window, const char* name) {
        auto* button = window->findChild<QPushButton*>(name);
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
};

int shownWai() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += widget->objectName() == "wai" && widget->isVisible();
    return count;
}

} // namespace

class TestAdmixtureWindow : public QObject {
    Q_OBJECT

private slots:
    void roundTripIntoMainWindow();
    void pressAgainRefillsOnlyText1();
    void reopenStartsFresh();
    void sendBackWithoutMainWindow();
    void layoutAndTabOrder();
};

// 185 at 15 %: 157.25 in Text3 and, sent back, in the main window's Text21.
void TestAdmixtureWindow::roundTripIntoMainWindow() {
    Program program;
    program.main->fields().setText("Text26", "185");
    program.main->fields().setText("Text21", "195");
    program.click(program.main, "Command14");
    QVERIFY(program.wai());
    QCOMPARE(program.wai()->windowTitle(), QStringLiteral("计算掺外加剂用水量"));
    QCOMPARE(program.waiText("Text1"), QStringLiteral("185"));
    program.setWai("Text2", "15");
    program.prompter.queueAnswer(MessageButton::Yes);
    program.click(program.wai(), "Command1");
    QCOMPARE(program.waiText("Text3"), QStringLiteral("157.25"));
    QCOMPARE(program.main->fields().text("Text21"), QStringLiteral("195"));
    program.click(program.wai(), "Command2");
    QCOMPARE(program.main->fields().text("Text21"), QStringLiteral("157.25"));
    QCOMPARE(shownWai(), 1);
    QCOMPARE(program.prompter.lines(),
             QStringList{"MSGBOX icon=question buttons=YesNo title=\"普通混凝土配合比设计\" "
                         "text=\"您填入的数据正确吗？\" -> Yes"});
}

void TestAdmixtureWindow::pressAgainRefillsOnlyText1() {
    Program program;
    program.main->fields().setText("Text26", "185");
    program.click(program.main, "Command14");
    QWidget* first = program.wai();
    program.setWai("Text1", "typed");
    program.setWai("Text2", "12");
    program.setWai("Text3", "171.6");
    program.main->fields().setText("Text26", "");
    program.click(program.main, "Command14");
    QCOMPARE(program.wai(), first);
    QCOMPARE(shownWai(), 1);
    QCOMPARE(program.waiText("Text1"), QString());
    QCOMPARE(program.waiText("Text2"), QStringLiteral("12"));
    QCOMPARE(program.waiText("Text3"), QStringLiteral("171.6"));
}

void TestAdmixtureWindow::reopenStartsFresh() {
    Program program;
    program.main->fields().setText("Text26", "195");
    program.click(program.main, "Command14");
    program.setWai("Text2", "12");
    program.setWai("Text3", "171.6");
    program.wai()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!program.wai());
    program.main->fields().setText("Text26", "205");
    program.click(program.main, "Command14");
    QCOMPARE(program.waiText("Text1"), QStringLiteral("205"));
    QCOMPARE(program.waiText("Text2"), QString());
    QCOMPARE(program.waiText("Text3"), QString());
    QVERIFY(program.wai()->findChild<QPlainTextEdit*>("Text5")->toPlainText().endsWith(
        QStringLiteral("写在设计书备注里。\n")));
}

// With the main window closed by 退出, sending back has nowhere to go: nothing happens, nothing breaks.
void TestAdmixtureWindow::sendBackWithoutMainWindow() {
    Program program;
    program.click(program.main, "Command14");
    program.setWai("Text3", "157.25");
    program.main->findChild<QAction*>("exit")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!program.windows->window("Form1"));
    program.click(program.wai(), "Command2");
    QCOMPARE(program.waiText("Text3"), QStringLiteral("157.25"));
    QVERIFY(program.prompter.lines().isEmpty());
}

// Tab runs Text1, Text2, 计算, Text3, 导回用水量, note; the buttons sit side by side under the fields, and
// every caption has the room its lines need.
void TestAdmixtureWindow::layoutAndTabOrder() {
    Program program;
    program.click(program.main, "Command14");
    QWidget* wai = program.wai();
    QStringList chain;
    QWidget* widget = wai->findChild<QWidget*>("Text1");
    for (int i = 0; i < 6; ++i) {
        chain.append(widget->objectName());
        do
            widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus || widget->objectName().isEmpty());
    }
    QCOMPARE(chain, (QStringList{"Text1", "Text2", "Command1", "Text3", "Command2", "Text5"}));

    const auto geometry = [wai](const char* name) { return wai->findChild<QWidget*>(name)->geometry(); };
    QCOMPARE(geometry("Command1").top(), geometry("Command2").top());
    QVERIFY(geometry("Command2").right() < geometry("Command1").left());
    QVERIFY(geometry("Text3").bottom() < geometry("Command1").top());
    QVERIFY(geometry("Command1").bottom() < geometry("Text5").top());
    QVERIFY(geometry("Text5").bottom() < wai->height());
    for (const char* name : {"Label1", "Label2", "Label3"}) {
        auto* label = wai->findChild<QLabel*>(name);
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
        QVERIFY2(label->geometry().right() < geometry("Text1").left(), name);
    }

    const QRect area = wai->screen()->availableGeometry();
    if (area.width() >= 656 + wai->width() && area.height() >= 432 + wai->height())
        QCOMPARE(wai->pos(), area.topLeft() + QPoint(656, 432));
    else
        QVERIFY(area.contains(QRect(wai->pos(), wai->size())));
}

QTEST_MAIN(TestAdmixtureWindow)
#include "test_admixture_window.moc"
