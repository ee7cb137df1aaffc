#include "adjust/form8.h"
#include "common/launcher.h"
#include "common/scriptedprompter.h"
#include "design/form1.h"
#include "design2011/design2011controls.h"
#include "info/infocontrols.h"
#include "report/recordingspreadsheet.h"
#include "ui/chartwindow.h"
#include "ui/mainwindow.h"
#include "ui/windowmanager.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>
#include <stdexcept>

namespace {

// A launcher that fails in ways the commands do not expect: a standard exception and a foreign one.
class BrokenLauncher : public Launcher {
public:
    bool openUrl(const QString&) override { throw 42; }
    bool start(const QString&) override { throw std::runtime_error("launcher gone"); }
};

template <typename T> T* child(QWidget* window, const QString& name) {
    T* found = window->findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// What makes one real bound command throw, and sets it off through its control.
using Provoke = std::function<void(WindowManager&)>;

} // namespace

Q_DECLARE_METATYPE(Provoke)

// An exception escaping a command bound to a control, under a plain QApplication (nothing above the binding
// catches): reported at the binding, the hidden instances ended, the stop box shown, and the program goes on
// with its next event.
class InternalErrorTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_log.clear();
        m_prompter = std::make_unique<ScriptedPrompter>();
        m_spreadsheets =
            std::make_unique<RecordingSpreadsheetFactory>([this](const QString& line) { m_log << line; });
        m_windows = std::make_unique<WindowManager>(
            AppContext{*m_prompter, m_launcher, *m_spreadsheets, InstallPaths(m_root.path())});
        QVERIFY(QTest::qWaitForWindowExposed(m_windows->showMain()));
    }

    void cleanup() {
        for (QWidget* window : QApplication::topLevelWidgets())
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_windows.reset();
    }

    void escapingExceptionIsReported_data() {
        QTest::addColumn<Provoke>("provoke");
        QTest::addColumn<QString>("what");

        QTest::newRow("button") << Provoke([](WindowManager& windows) {
            MainWindow* main = windows.mainWindow();
            delete child<QLineEdit>(main, Form1::fileName);
            QTest::mouseClick(child<QAbstractButton>(main, Form1::saveAutomaticButton), Qt::LeftButton);
        }) << QStringLiteral("no control Text28 in Form1");
        QTest::newRow("menu command") << Provoke([](WindowManager& windows) {
            child<QAction>(windows.mainWindow(), QStringLiteral("help"))->trigger();
        }) << QStringLiteral("launcher gone");
        QTest::newRow("label click") << Provoke([](WindowManager& windows) {
            MainWindow* main = windows.mainWindow();
            delete child<QLineEdit>(main, Form1::stepwiseWater);
            QTest::mouseClick(child<QLabel>(main, Form1::importWaterLabel), Qt::LeftButton);
        }) << QStringLiteral("no control Text21 in Form1");
        QTest::newRow("field double-click") << Provoke([](WindowManager& windows) {
            MainWindow* main = windows.mainWindow();
            delete child<QLineEdit>(main, Form1::stepwiseWater);
            QTest::mouseDClick(child<QLineEdit>(main, Form1::referenceWater), Qt::LeftButton);
        }) << QStringLiteral("no control Text21 in Form1");
        QTest::newRow("focus leaving a list") << Provoke([](WindowManager& windows) {
            MainWindow* main = windows.mainWindow();
            delete child<QLineEdit>(main, Form1::sigma);
            auto* grades = child<QComboBox>(main, Form1::gradeRange);
            grades->setFocus();
            QTRY_VERIFY(grades->hasFocus() || grades->lineEdit()->hasFocus());
            child<QLineEdit>(main, Form1::gradeStrength)->setFocus();
        }) << QStringLiteral("no control Text29 in Form1");
        QTest::newRow("picture click, foreign exception") << Provoke([](WindowManager& windows) {
            QTest::mouseClick(child<QWidget>(windows.mainWindow(), Form1::banner), Qt::LeftButton);
        }) << QStringLiteral("unknown exception");
        QTest::newRow("list change in another window") << Provoke([](WindowManager& windows) {
            QWidget* design = windows.open(Design2011::window);
            delete child<QLineEdit>(design, Design2011::gammaC);
            auto* classes = child<QComboBox>(design, Design2011::cementClass);
            classes->setCurrentIndex(classes->currentIndex() == 0 ? 1 : 0);
        }) << QStringLiteral("no control gammaC in design2011");
        QTest::newRow("link in an information window") << Provoke([](WindowManager& windows) {
            QTest::mouseClick(child<QLabel>(windows.open(Form7::window), Form7::link), Qt::LeftButton);
        }) << QStringLiteral("unknown exception");
        QTest::newRow("chart window button") << Provoke([](WindowManager& windows) {
            // The save dialog finds no answer queued: the test prompter throws.
            QTest::mouseClick(child<QAbstractButton>(windows.openChart(), Form8::savePictureButton),
                              Qt::LeftButton);
        }) << QStringLiteral("dialog without a queued answer: FILEDIALOG save");
    }

    void escapingExceptionIsReported() {
        QFETCH(Provoke, provoke);
        QFETCH(QString, what);
        const auto hidden = m_spreadsheets->start(false);
        auto handedOver = m_spreadsheets->start(true);
        handedOver->handOver();

        m_prompter->queueAnswer(MessageButton::Ok);
        provoke(*m_windows);
        QCOMPARE(m_prompter->messages().size(), 1);
        const MessageBoxRequest box = m_prompter->messages()[0];
        QVERIFY2(box.text.startsWith(QStringLiteral("程序内部错误：") + what), qPrintable(box.text));
        QCOMPARE(box.icon, MessageIcon::Stop);
        QCOMPARE(box.buttons, MessageButtons::Ok);
        // Only the hidden instance was ended; the user's workbook stays.
        QCOMPARE(m_log.count(QStringLiteral("XLS end")), 1);
        QCOMPARE(m_spreadsheets->running(), 1);

        // The program goes on: the main window's next command runs, and asks nothing.
        MainWindow* main = m_windows->mainWindow();
        QVERIFY(main && main->isVisible());
        child<QLineEdit>(main, Form1::referenceSandRatio)->setText(QStringLiteral("36"));
        QTest::mouseClick(child<QLabel>(main, Form1::importSandRatioLabel), Qt::LeftButton);
        QCOMPARE(child<QLineEdit>(main, Form1::stepwiseSandRatio)->text(), QStringLiteral("36"));
        QCOMPARE(m_prompter->messages().size(), 1);
    }

private:
    QTemporaryDir m_root;
    QStringList m_log;
    BrokenLauncher m_launcher;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<RecordingSpreadsheetFactory> m_spreadsheets;
    std::unique_ptr<WindowManager> m_windows;
};

QTEST_MAIN(InternalErrorTest)
#include "test_internal_error.moc"
