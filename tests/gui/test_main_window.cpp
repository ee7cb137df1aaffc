#include "common/scriptedprompter.h"
#include "design/form1.h"
#include "report/recordingspreadsheet.h"
#include "ui/mainwindow.h"
#include "ui/windowmanager.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QLineEdit* edit(QWidget* w, const QString& name) { return w->findChild<QLineEdit*>(name); }

// Records the cursor the program shows while a command starts an office.
class CursorRecordingFactory : public RecordingSpreadsheetFactory {
public:
    CursorRecordingFactory() : RecordingSpreadsheetFactory([](const QString&) {}) {}
    std::unique_ptr<Spreadsheet> start(bool visible) override {
        const QCursor* cursor = QApplication::overrideCursor();
        shapes.append(cursor ? cursor->shape() : Qt::ArrowCursor);
        return RecordingSpreadsheetFactory::start(visible);
    }
    QList<Qt::CursorShape> shapes;
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void opensWithInitialTexts();
    void realFocusLossSetsDefaultSigma();
    void realDoubleClickImportsReference();
    void checkColoursFollowTheResult();
    void controlsNeitherOverlapNorClip();
    void menuOrder();
    void exportsShowBusyCursorAndWhereTheyWent();

private:
    QTemporaryDir m_root;
    ScriptedPrompter m_prompter;
    RecordingLauncher m_launcher;
    CursorRecordingFactory m_spreadsheets;
    std::unique_ptr<WindowManager> m_windows;
    MainWindow* m_main = nullptr;
};

void TestMainWindow::init() {
    m_windows = std::make_unique<WindowManager>(AppContext{m_prompter, m_launcher, m_spreadsheets,
                                                           InstallPaths(m_root.path()),
                                                           [] { return QDate(2005, 6, 12); }});
    m_main = m_windows->showMain();
    QVERIFY(QTest::qWaitForWindowExposed(m_main));
}

void TestMainWindow::cleanup() {
    m_main->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_windows.reset();
}

void TestMainWindow::opensWithInitialTexts() {
    QCOMPARE(m_main->objectName(), QStringLiteral("Form1"));
    QVERIFY(m_main->windowState() & Qt::WindowMaximized);
    Fields& f = m_main->fields();
    QCOMPARE(f.text(Form1::dateTag), QStringLiteral("PB(2005-6-12)"));
    QCOMPARE(f.text(Form1::fileName), QStringLiteral("-PB(2005-6-12)"));
    QCOMPARE(f.text(Form1::saveHintLabel), QStringLiteral("保存在（\"~/zeb/XXXX.xls\"）"));
    QCOMPARE(f.text(Form1::environment), QStringLiteral("干燥环境"));
    auto* combo7 = m_main->findChild<QComboBox*>(Form1::environment);
    QCOMPARE(combo7->count(), 4);
    QCOMPARE(combo7->itemText(3), QStringLiteral("有冻害和除冰剂的潮湿环境"));
    QVERIFY(combo7->isEditable());
    const QList<std::pair<QString, const char*>> captions = {
        {Form1::automaticButton, "全自动计算"},     {Form1::waterStepButton, "确定用水量"},
        {Form1::sandRatioStepButton, "确定砂率"},   {Form1::completeButton, "完成计算"},
        {Form1::saveAutomaticButton, "文件保存为"}, {Form1::saveStepwiseButton, "文件保存为"},
        {Form1::showAutomaticButton, "导入EXCEL"},  {Form1::showStepwiseButton, "导入EXCEL"},
        {Form1::admixtureButton, "掺外加剂用水量"}};
    for (const auto& [name, caption] : captions)
        QCOMPARE(m_main->findChild<QAbstractButton*>(name)->text(), QString::fromUtf8(caption));
}

void TestMainWindow::realFocusLossSetsDefaultSigma() {
    auto* combo = m_main->findChild<QComboBox*>(Form1::gradeRange);
    combo->setFocus();
    QTRY_VERIFY(combo->hasFocus() || combo->lineEdit()->hasFocus());
    combo->setCurrentIndex(0);
    edit(m_main, Form1::gradeStrength)->setFocus();
    QTRY_COMPARE(edit(m_main, Form1::sigma)->text(), QStringLiteral("4"));
}

void TestMainWindow::realDoubleClickImportsReference() {
    edit(m_main, Form1::referenceWater)->setText(QStringLiteral("185"));
    QTest::mouseDClick(edit(m_main, Form1::referenceWater), Qt::LeftButton);
    QCOMPARE(edit(m_main, Form1::stepwiseWater)->text(), QStringLiteral("185"));
    // A double-click on the date label completes the file name once, not once per click.
    QTest::mouseDClick(m_main->findChild<QLabel*>(Form1::dateTag), Qt::LeftButton);
    QCOMPARE(edit(m_main, Form1::fileName)->text(), QStringLiteral("-PB(2005-6-12)-PB(2005-6-12)"));
    QTest::mouseClick(m_main->findChild<QLabel*>(Form1::completeNameLabel), Qt::LeftButton);
    QCOMPARE(edit(m_main, Form1::fileName)->text(),
             QStringLiteral("-PB(2005-6-12)-PB(2005-6-12)-PB(2005-6-12)"));
}

void TestMainWindow::checkColoursFollowTheResult() {
    edit(m_main, Form1::sigma)->setText(QStringLiteral("1"));
    m_prompter.queueAnswer(MessageButton::Yes);
    m_main->findChild<QAbstractButton*>(Form1::automaticButton)->click();
    QVERIFY(isRedText(edit(m_main, Form1::sigmaCheck)));
    QVERIFY(!isRedText(edit(m_main, Form1::ratioCheck)));
    edit(m_main, Form1::sigma)->setText(QStringLiteral("5"));
    m_prompter.queueAnswer(MessageButton::Yes);
    m_main->findChild<QAbstractButton*>(Form1::automaticButton)->click();
    QVERIFY(!isRedText(edit(m_main, Form1::sigmaCheck)));
}

// Every named control lies inside the window at 1366x768, no two overlap, and every caption fits its label;
// hidden fields are never on screen.
void TestMainWindow::controlsNeitherOverlapNorClip() {
    QWidget* canvas = m_main->findChild<QWidget*>(QStringLiteral("canvas"));
    QList<QWidget*> controls;
    for (QWidget* c : canvas->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!c->isHidden())
            controls.append(c);
    QVERIFY(controls.size() > 80);
    const QRect screen(0, 0, 1366, 768 - m_main->menuBar()->sizeHint().height() - 40);
    for (QWidget* c : controls) {
        QVERIFY2(screen.contains(c->geometry()), qPrintable(c->objectName() + controlText(c)));
        if (auto* label = qobject_cast<QLabel*>(c); label && !label->text().isEmpty()) {
            const int needed = label->fontMetrics().horizontalAdvance(label->text());
            QVERIFY2(needed <= label->width(),
                     qPrintable(label->objectName() + QStringLiteral(" is clipped")));
        }
        if (auto* button = qobject_cast<QAbstractButton*>(c)) {
            const int needed = button->fontMetrics().horizontalAdvance(button->text()) + 12;
            QVERIFY2(needed <= button->width(),
                     qPrintable(button->objectName() + QStringLiteral(" is clipped")));
        }
    }
    for (int i = 0; i < controls.size(); ++i) {
        for (int j = i + 1; j < controls.size(); ++j) {
            const bool overlap = controls[i]->geometry().intersects(controls[j]->geometry());
            QVERIFY2(!overlap, qPrintable(controls[i]->objectName() + controlText(controls[i]) +
                                          QStringLiteral(" overlaps ") + controls[j]->objectName() +
                                          controlText(controls[j])));
        }
    }
}

void TestMainWindow::menuOrder() {
    QStringList names;
    for (QAction* action : m_main->menuBar()->actions())
        names << action->objectName();
    QCOMPARE(names, (QStringList{"file", "abc", "tz", "jgj2011", "trial2011", "kf", "help"}));
    QAction* help = m_main->findChild<QAction*>(QStringLiteral("help"));
    help->trigger();
    QCOMPARE(m_launcher.lines().last(), QStringLiteral("START %1/mb/zebhelp -> failed").arg(m_root.path()));
}

// An export waits on the office under the busy cursor; a saved report's place shows in the status line until
// the next command; a failed export says nothing there.
void TestMainWindow::exportsShowBusyCursorAndWhereTheyWent() {
    QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("mb")));
    QFile(m_root.filePath(QStringLiteral("mb/phm.xls"))).open(QIODevice::WriteOnly);
    auto click = [this](const QString& name) {
        QTest::mouseClick(m_main->findChild<QAbstractButton*>(name), Qt::LeftButton);
    };
    m_prompter.queueAnswer(MessageButton::Yes);
    click(Form1::automaticButton);
    const QString saved = QStringLiteral("已保存 ~/zeb/-PB(2005-6-12).xls 和 -PB(2005-6-12).pdf");
    for (const QString& command : {Form1::saveAutomaticButton, Form1::showAutomaticButton}) {
        m_spreadsheets.shapes.clear();
        click(command);
        QVERIFY(!m_spreadsheets.shapes.isEmpty());
        for (const Qt::CursorShape shape : m_spreadsheets.shapes)
            QCOMPARE(shape, Qt::WaitCursor);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(m_main->fields().text(Form1::statusLine), saved);
        // Passing over the menus leaves it.
        QStatusTipEvent tip{QString()};
        QCoreApplication::sendEvent(m_main, &tip);
        QCOMPARE(m_main->fields().text(Form1::statusLine), saved);
        m_prompter.queueAnswer(MessageButton::Yes);
        click(Form1::automaticButton);
        QCOMPARE(m_main->fields().text(Form1::statusLine), QString());
    }
    m_spreadsheets.endAll();
    QFile::remove(m_root.filePath(QStringLiteral("mb/phm.xls")));
    m_prompter.queueAnswer(MessageButton::Ok); // the template is named
    click(Form1::saveAutomaticButton);
    QCOMPARE(m_main->fields().text(Form1::statusLine), QString());
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
