#include "common/scriptedprompter.h"
#include "report/recordingspreadsheet.h"
#include "ui/adjustwindow.h"
#include "ui/widgetfields.h"
#include "ui/windowmanager.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The adjustment window starts no spreadsheet.
// Answers from the queue and notes whether Text5 was yellow while a box was open.
class WatchingPrompter : public ScriptedPrompter {
public:
    MessageButton message(const MessageBoxRequest& request) override {
        if (m_window)
            m_yellowWhileAsked.append(isHighlighted(m_window->findChild<QWidget*>(QStringLiteral("Text5"))));
        return ScriptedPrompter::message(request);
    }
    QWidget* m_window = nullptr;
    QList<bool> m_yellowWhileAsked;
};

} // namespace

class TestAdjustWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensInLoadState();
    void placesControls_data();
    void placesControls();
    void readOnlyFields_data();
    void readOnlyFields();
    void stepsRunFromButtons();
    void closingDiscardsTheTexts();
    void screenshot();

private:
    QWidget* openWindow() { return m_windows->open(QStringLiteral("tiaozheng")); }
    template <typename T = QWidget> T* control(QWidget* window, const char* name) {
        T* widget = window->findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QString text(QWidget* window, const char* name) { return controlText(control(window, name)); }

    QTemporaryDir m_root;
    WatchingPrompter* m_prompter = nullptr;
    RecordingLauncher* m_launcher = nullptr;
    RecordingSpreadsheetFactory m_spreadsheets{[](const QString&) {}};
    WindowManager* m_windows = nullptr;
};

void TestAdjustWindow::init() {
    m_prompter = new WatchingPrompter;
    m_launcher = new RecordingLauncher;
    AppContext context{*m_prompter, *m_launcher, m_spreadsheets, InstallPaths(m_root.path()),
                       [] { return QDate(2026, 12, 7); }};
    m_windows = new WindowManager(context);
}

void TestAdjustWindow::cleanup() {
    if (QWidget* window = m_windows->window(QStringLiteral("tiaozheng")))
        delete window;
    delete m_windows;
    delete m_launcher;
    delete m_prompter;
}

void TestAdjustWindow::opensInLoadState() {
    QWidget* window = openWindow();
    QVERIFY(window);
    QCOMPARE(window->objectName(), QStringLiteral("tiaozheng"));
    QCOMPARE(window->windowTitle(), QStringLiteral("混凝土配合比调整"));
    QVERIFY(window->windowState() & Qt::WindowMaximized);
    QCOMPARE(text(window, "Text75"), QStringLiteral("---TZ(2026-12-7)"));
    QCOMPARE(text(window, "Label76"), QStringLiteral("TZ(2026-12-7)"));
    QCOMPARE(text(window, "Text11"), QStringLiteral("0"));
    QCOMPARE(text(window, "Text70"), QStringLiteral("0"));
    for (const char* name : {"Combo1", "Combo2"}) {
        auto* list = control<QComboBox>(window, name);
        QVERIFY(list->isEditable());
        QCOMPARE(list->currentText(), QStringLiteral("不变"));
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->itemText(1), QStringLiteral("增加"));
        QCOMPARE(list->itemText(2), QStringLiteral("减少"));
    }
    for (const QString& name : MixAdjustment::stepFields())
        QVERIFY2(controlText(window->findChild<QWidget*>(name)).isEmpty(), qPrintable(name));
    QVERIFY(control(window, "Text72")->isHidden());
    QVERIFY(control(window, "Text74")->isHidden());
    QCOMPARE(text(window, "Label75"), QStringLiteral("文件保存在（\"~/zeb/XXXX.xls\"）"));
    QCOMPARE(text(window, "Command12"), QStringLiteral("从EXCEL文件中导入数据"));
    QCOMPARE(m_windows->open(QStringLiteral("tiaozheng")), window);
}

void TestAdjustWindow::placesControls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("twips");

    QTest::newRow("Frame1") << "Frame1"
                            << "" << QRect(240, 120, 2295, 4335);
    QTest::newRow("Frame4") << "Frame4"
                            << "Frame3" << QRect(2160, 1560, 2175, 2175);
    QTest::newRow("Frame5") << "Frame5"
                            << "" << QRect(10200, 120, 4815, 5775);
    QTest::newRow("Frame8") << "Frame8"
                            << "Frame7" << QRect(120, 1320, 4575, 2175);
    QTest::newRow("Frame10") << "Frame10"
                             << "Frame9" << QRect(240, 600, 5535, 2295);
    QTest::newRow("Frame13") << "Frame13"
                             << "" << QRect(9000, 9120, 6015, 1575);
    QTest::newRow("Text1") << "Text1"
                           << "Frame1" << QRect(1320, 720, 735, 375);
    QTest::newRow("Text9") << "Text9"
                           << "Frame2" << QRect(1680, 3240, 735, 375);
    QTest::newRow("Combo1") << "Combo1"
                            << "Frame3" << QRect(1320, 360, 855, 300);
    QTest::newRow("Text19") << "Text19"
                            << "Frame4" << QRect(1200, 1680, 735, 375);
    QTest::newRow("Text21") << "Text21"
                            << "Frame5" << QRect(1800, 840, 615, 375);
    QTest::newRow("Text27") << "Text27"
                            << "Frame5" << QRect(3720, 2040, 735, 375);
    QTest::newRow("Text68") << "Text68"
                            << "Frame11" << QRect(1920, 1200, 735, 375);
    QTest::newRow("Command17") << "Command17"
                               << "Frame11" << QRect(2715, 1200, 585, 360);
    QTest::newRow("Combo2") << "Combo2"
                            << "Frame12" << QRect(2880, 720, 855, 300);
    QTest::newRow("Text73") << "Text73"
                            << "Frame12" << QRect(2880, 1560, 855, 375);
    QTest::newRow("Text44") << "Text44"
                            << "Frame6" << QRect(2640, 4800, 735, 375);
    QTest::newRow("Text48") << "Text48"
                            << "Frame7" << QRect(3600, 840, 855, 375);
    QTest::newRow("Text56") << "Text56"
                            << "Frame8" << QRect(3480, 1680, 855, 375);
    QTest::newRow("Text58") << "Text58"
                            << "Frame9" << QRect(3600, 240, 1095, 375);
    QTest::newRow("Text64") << "Text64"
                            << "Frame10" << QRect(3360, 1800, 1095, 375);
    QTest::newRow("Command16") << "Command16"
                               << "Frame1" << QRect(480, 2760, 1335, 360);
    QTest::newRow("Command15") << "Command15"
                               << "Frame7" << QRect(3600, 360, 855, 360);
    QTest::newRow("Command12") << "Command12"
                               << "Frame13" << QRect(1920, 1080, 2055, 375);
    QTest::newRow("Text75") << "Text75"
                            << "Frame13" << QRect(3480, 240, 2415, 390);
}

// Positions in twips relative to the frame (or the window's content for the top-level frames).
void TestAdjustWindow::placesControls() {
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, twips);

    QWidget* window = openWindow();
    QWidget* widget = window->findChild<QWidget*>(name);
    QVERIFY(widget);
    if (parent.isEmpty())
        QVERIFY(!qobject_cast<QGroupBox*>(widget->parentWidget()));
    else
        QCOMPARE(widget->parentWidget()->objectName(), parent);
    QCOMPARE(widget->geometry(),
             QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
}

void TestAdjustWindow::readOnlyFields_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("readOnly");
    for (const char* name : {"Text6", "Text9", "Text12", "Text19", "Text22", "Text30", "Text43", "Text44",
                             "Text49", "Text50", "Text73"})
        QTest::newRow(name) << name << true;
    for (const char* name : {"Text1", "Text5", "Text11", "Text20", "Text32", "Text35", "Text67", "Text36",
                             "Text46", "Text48", "Text51", "Text53", "Text59", "Text64", "Text69", "Text75"})
        QTest::newRow(name) << name << false;
}

void TestAdjustWindow::readOnlyFields() {
    QFETCH(QString, name);
    QFETCH(bool, readOnly);
    auto* field = openWindow()->findChild<QLineEdit*>(name);
    QVERIFY(field);
    QCOMPARE(field->isReadOnly(), readOnly);
}

void TestAdjustWindow::stepsRunFromButtons() {
    QWidget* window = openWindow();
    m_prompter->m_window = window;
    QTest::mouseClick(control<QPushButton>(window, "Command16"), Qt::LeftButton);
    QCOMPARE(text(window, "Text33"), QStringLiteral("39.2"));
    QCOMPARE(text(window, "Combo1"), QStringLiteral("增加"));

    m_prompter->queueAnswer(MessageButton::No);
    QTest::mouseClick(control<QPushButton>(window, "Command2"), Qt::LeftButton);
    QCOMPARE(text(window, "Text6"), QString());
    m_prompter->queueAnswer(MessageButton::Yes);
    QTest::mouseClick(control<QPushButton>(window, "Command2"), Qt::LeftButton);
    QCOMPARE(text(window, "Text6"), QStringLiteral("5.145"));
    QCOMPARE(text(window, "Text9"), QStringLiteral("18.765"));
    QCOMPARE(m_prompter->m_yellowWhileAsked, QList<bool>({true, true}));
    QVERIFY(!isHighlighted(control(window, "Text5")));

    m_prompter->queueAnswer(MessageButton::Yes);
    QTest::mouseClick(control<QPushButton>(window, "Command1"), Qt::LeftButton);
    QCOMPARE(text(window, "Text12"), QStringLiteral("5.402"));
    QCOMPARE(text(window, "Text19"), QStringLiteral("0.54"));
    QVERIFY(!isHighlighted(control(window, "Combo1")));

    // Sand and stone not computed: the density correction fails once.
    m_prompter->queueAnswer(MessageButton::Yes);
    m_prompter->queueAnswer(MessageButton::Ok);
    QTest::mouseClick(control<QPushButton>(window, "Command5"), Qt::LeftButton);
    QCOMPARE(m_prompter->messages().size(), 5);
    QCOMPARE(m_prompter->messages().last().title, QStringLiteral("重要提示"));
    QVERIFY(!isHighlighted(control(window, "Text47")));
}

void TestAdjustWindow::closingDiscardsTheTexts() {
    QWidget* window = openWindow();
    QTest::mouseClick(control<QPushButton>(window, "Command16"), Qt::LeftButton);
    control<QComboBox>(window, "Combo2")->setEditText(QStringLiteral("减少"));
    QVERIFY(window->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_windows->window(QStringLiteral("tiaozheng")));

    QWidget* again = openWindow();
    QCOMPARE(text(again, "Text1"), QString());
    QCOMPARE(text(again, "Combo1"), QStringLiteral("不变"));
    QCOMPARE(text(again, "Combo2"), QStringLiteral("不变"));
    QCOMPARE(text(again, "Text11"), QStringLiteral("0"));
}

// With MIX_ADJUST_SCREENSHOT=path, the whole content after the worked example is saved there for a look.
void TestAdjustWindow::screenshot() {
    const QString path = qEnvironmentVariable("MIX_ADJUST_SCREENSHOT");
    if (path.isEmpty())
        QSKIP("no screenshot asked for");
    QWidget* window = openWindow();
    QTest::mouseClick(control<QPushButton>(window, "Command16"), Qt::LeftButton);
    QWidget* canvas = window->findChild<QScrollArea*>()->widget();
    QVERIFY(canvas->grab().save(path));
}

QTEST_MAIN(TestAdjustWindow)
#include "test_adjust_window.moc"
