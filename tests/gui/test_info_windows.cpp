#include "design/form1.h"
#include "info/infocontrols.h"
#include "info/infotexts.h"
#include "info/links.h"
#include "support/testprogram.h"
#include "ui/mainwindow.h"
#include "ui/windowmanager.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

// A running program over a fresh installation folder, answering and recording instead of showing.
struct Program : TestProgram {
    Program() { QDir().mkpath(root.path() + "/mb"); }
    void menu(const char* name) {
        auto* action = main->findChild<QAction*>(QString::fromLatin1(name));
        QVERIFY2(action, name);
        action->trigger();
    }
};

// The shown top-level windows of that name.
int shown(const QString& name) {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += widget->objectName() == name && widget->isVisible();
    return count;
}

void deleteClosed() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

} // namespace

class TestInfoWindows : public QObject {
    Q_OBJECT

private slots:
    void menuOpensOnce_data();
    void menuOpensOnce();
    void exitClosesOnlyMain();
    void exitAsLastWindowEndsProgram();
    void helpFallsBackToUsageHelp();
    void helpProgramStartedNoWindow();
    void linksOpenInstalledPage();
    void textsShownWhole_data();
    void textsShownWhole();
    void centredOnScreen_data();
    void centredOnScreen();
};

void TestInfoWindows::menuOpensOnce_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("title");
    QTest::newRow("重要声明") << "about"
                              << "Form2"
                              << "重要声明";
    QTest::newRow("安装协议") << "xie"
                              << "Form5"
                              << "安装协议";
    QTest::newRow("客服信息") << "kf"
                              << "Form7"
                              << "客服信息";
    QTest::newRow("配合比调整") << "tz"
                                << "tiaozheng" << QString();
}

// Choosing a command twice leaves one window, modeless beside the main window that stays open.
void TestInfoWindows::menuOpensOnce() {
    QFETCH(QString, action);
    QFETCH(QString, window);
    QFETCH(QString, title);
    Program program;
    program.menu(action.toLatin1());
    QWidget* first = program.windows->window(window);
    QVERIFY(first);
    program.menu(action.toLatin1());
    QCOMPARE(program.windows->window(window), first);
    QCOMPARE(shown(window), 1);
    QVERIFY(first->isWindow());
    QCOMPARE(first->windowModality(), Qt::NonModal);
    if (!title.isEmpty())
        QCOMPARE(first->windowTitle(), title);
    QVERIFY(program.main->isVisible());
    QVERIFY(program.prompter.lines().isEmpty());
    QVERIFY(program.launcher.lines().isEmpty());

    // Closed and chosen again: a fresh window.
    first->close();
    deleteClosed();
    QVERIFY(!program.windows->window(window));
    program.menu(action.toLatin1());
    QCOMPARE(shown(window), 1);
}

void TestInfoWindows::exitClosesOnlyMain() {
    Program program;
    program.menu("about");
    program.menu("help");
    QTest::mouseClick(program.main->findChild<QWidget*>(Form1::admixtureButton), Qt::LeftButton);
    QCOMPARE(shown("wai"), 1);
    program.menu("exit");
    deleteClosed();
    QVERIFY(!program.windows->window("Form1"));
    QCOMPARE(shown("Form1"), 0);
    QCOMPARE(shown("Form2"), 1);
    QCOMPARE(shown("Form6"), 1);
    QCOMPARE(shown("wai"), 1);
}

// 退出 with no other window open ends the program's event loop, as the title bar's close button does.
void TestInfoWindows::exitAsLastWindowEndsProgram() {
    for (const bool byMenu : {true, false}) {
        Program program;
        bool timedOut = false;
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&timedOut] {
            timedOut = true;
            QCoreApplication::quit();
        });
        guard.start(3000);
        QTimer::singleShot(0, program.main, [&program, byMenu] {
            if (byMenu)
                program.menu("exit");
            else
                program.main->close();
        });
        QCoreApplication::exec();
        QVERIFY2(!timedOut, byMenu ? "退出" : "close button");
    }
}

void TestInfoWindows::helpFallsBackToUsageHelp() {
    Program program;
    program.menu("help");
    program.menu("help");
    QCOMPARE(shown("Form6"), 1);
    QCOMPARE(program.windows->window("Form6")->windowTitle(), QStringLiteral("使用帮助"));
    const QString failed = "START " + program.paths().helpProgram() + " -> failed";
    QCOMPARE(program.launcher.lines(), (QStringList{failed, failed}));
    QVERIFY(program.prompter.lines().isEmpty());
}

void TestInfoWindows::helpProgramStartedNoWindow() {
    Program program;
    QFile help(program.paths().helpProgram());
    QVERIFY(help.open(QIODevice::WriteOnly));
    help.write("#!/bin/sh\n");
    help.close();
    QVERIFY(help.setPermissions(help.permissions() | QFile::ExeOwner));
    program.menu("help");
    QVERIFY(!program.windows->window("Form6"));
    QCOMPARE(shown("Form6"), 0);
    QCOMPARE(program.launcher.lines(), QStringList{"START " + program.paths().helpProgram() + " -> started"});
}

// Picture3 on the main window and Label3 on Form7 both open the page installed with the templates.
void TestInfoWindows::linksOpenInstalledPage() {
    Program program;
    const QString page = "OPENURL file://" + program.paths().templatePath("zeb.html");
    QTest::mouseClick(program.main->findChild<QWidget*>(Form1::banner), Qt::LeftButton);
    QCOMPARE(program.launcher.lines(), QStringList{page});
    program.menu("kf");
    auto* link = program.windows->window("Form7")->findChild<QLabel*>(Form7::link);
    QVERIFY(link);
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(program.launcher.lines(), (QStringList{page, page}));
    QVERIFY(program.prompter.lines().isEmpty());
}

// Each field holds its whole text, read-only, with the line breaks as written.
void TestInfoWindows::textsShownWhole_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("text");
    QTest::newRow("Form2") << "about"
                           << "Form2" << statementText();
    QTest::newRow("Form5") << "xie"
                           << "Form5" << agreementText();
    QTest::newRow("Form6") << "help"
                           << "Form6" << usageHelpText();
}

void TestInfoWindows::textsShownWhole() {
    QFETCH(QString, action);
    QFETCH(QString, window);
    QFETCH(QString, text);
    Program program;
    program.menu(action.toLatin1());
    auto* field = program.windows->window(window)->findChild<QPlainTextEdit*>(Form2::text);
    QVERIFY(field);
    QCOMPARE(field->toPlainText(), text);
    QVERIFY(field->isReadOnly());
}

void TestInfoWindows::centredOnScreen_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("window");
    QTest::newRow("Form2") << "about"
                           << "Form2";
    QTest::newRow("Form5") << "xie"
                           << "Form5";
    QTest::newRow("Form6") << "help"
                           << "Form6";
    QTest::newRow("Form7") << "kf"
                           << "Form7";
}

// In the middle of the screen where it fits, never beyond its top left corner where it does not.
void TestInfoWindows::centredOnScreen() {
    QFETCH(QString, action);
    QFETCH(QString, window);
    Program program;
    program.menu(action.toLatin1());
    QWidget* info = program.windows->window(window);
    const QRect area = info->screen()->availableGeometry();
    const QRect placed(info->pos(), info->size());
    QVERIFY(placed.left() >= area.left() && placed.top() >= area.top());
    if (placed.width() <= area.width())
        QVERIFY(qAbs(placed.center().x() - area.center().x()) <= 1);
    if (placed.height() <= area.height())
        QVERIFY(qAbs(placed.center().y() - area.center().y()) <= 1);
}

QTEST_MAIN(TestInfoWindows)
#include "test_info_windows.moc"
