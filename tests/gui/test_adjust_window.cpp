#include "adjust/tiaozheng.h"
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
            m_yellowWhileAsked.append(isHighlighted(m_window->findChild<QWidget*>(Tiaozheng::trialVolume)));
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
    template <typename T = QWidget> T* control(QWidget* window, const QString& name) {
        T* widget = window->findChild<T*>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QString text(QWidget* window, const QString& name) { return controlText(control(window, name)); }

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
    QCOMPARE(text(window, Tiaozheng::fileName), QStringLiteral("---TZ(2026-12-7)"));
    QCOMPARE(text(window, Tiaozheng::dateTag), QStringLiteral("TZ(2026-12-7)"));
    QCOMPARE(text(window, Tiaozheng::pastePercent), QStringLiteral("0"));
    QCOMPARE(text(window, Tiaozheng::parameterPastePercent), QStringLiteral("0"));
    for (const QString& name : QStringList{Tiaozheng::pasteChange, Tiaozheng::parameterPasteChange}) {
        auto* list = control<QComboBox>(window, name);
        QVERIFY(list->isEditable());
        QCOMPARE(list->currentText(), QStringLiteral("不变"));
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->itemText(1), QStringLiteral("增加"));
        QCOMPARE(list->itemText(2), QStringLiteral("减少"));
    }
    for (const QString& name : MixAdjustment::stepFields()) {
        // A missing control would read as empty: it must exist first.
        const QWidget* field = window->findChild<QLineEdit*>(name);
        QVERIFY2(field, qPrintable(name));
        QVERIFY2(controlText(field).isEmpty(), qPrintable(name));
    }
    QVERIFY(control(window, Tiaozheng::chosenPath)->isHidden());
    QVERIFY(control(window, Tiaozheng::chosenStem)->isHidden());
    QCOMPARE(text(window, Tiaozheng::saveHintLabel), QStringLiteral("文件保存在（\"~/zeb/XXXX.xls\"）"));
    QCOMPARE(text(window, Tiaozheng::importWorkbookButton), QStringLiteral("从EXCEL文件中导入数据"));
    QCOMPARE(m_windows->open(QStringLiteral("tiaozheng")), window);
}

void TestAdjustWindow::placesControls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("twips");

    QTest::newRow("step1Frame") << Tiaozheng::step1Frame << QString() << QRect(240, 120, 2295, 4335);
    QTest::newRow("baseMixFrame") << Tiaozheng::baseMixFrame << Tiaozheng::step3Frame
                                  << QRect(2160, 1560, 2175, 2175);
    QTest::newRow("step4Frame") << Tiaozheng::step4Frame << QString() << QRect(10200, 120, 4815, 5775);
    QTest::newRow("labMixFrame") << Tiaozheng::labMixFrame << Tiaozheng::correctionFrame
                                 << QRect(120, 1320, 4575, 2175);
    QTest::newRow("siteMixFrame") << Tiaozheng::siteMixFrame << Tiaozheng::step6Frame
                                  << QRect(240, 600, 5535, 2295);
    QTest::newRow("fileFrame") << Tiaozheng::fileFrame << QString() << QRect(9000, 9120, 6015, 1575);
    QTest::newRow(qPrintable(Tiaozheng::mixCement))
        << Tiaozheng::mixCement << Tiaozheng::step1Frame << QRect(1320, 720, 735, 375);
    QTest::newRow(qPrintable(Tiaozheng::trialStone))
        << Tiaozheng::trialStone << Tiaozheng::step2Frame << QRect(1680, 3240, 735, 375);
    QTest::newRow(qPrintable(Tiaozheng::pasteChange))
        << Tiaozheng::pasteChange << Tiaozheng::step3Frame << QRect(1320, 360, 855, 300);
    QTest::newRow(qPrintable(Tiaozheng::baseWaterRatio))
        << Tiaozheng::baseWaterRatio << Tiaozheng::baseMixFrame << QRect(1200, 1680, 735, 375);
    QTest::newRow(qPrintable(Tiaozheng::ratioSpread))
        << Tiaozheng::ratioSpread << Tiaozheng::step4Frame << QRect(1800, 840, 615, 375);
    QTest::newRow(qPrintable(Tiaozheng::cementWaterC))
        << Tiaozheng::cementWaterC << Tiaozheng::step4Frame << QRect(3720, 2040, 735, 375);
    QTest::newRow(qPrintable(Tiaozheng::referenceWaterCement))
        << Tiaozheng::referenceWaterCement << Tiaozheng::regressionFrame << QRect(1920, 1200, 735, 375);
    QTest::newRow(qPrintable(Tiaozheng::chartButton))
        << Tiaozheng::chartButton << Tiaozheng::regressionFrame << QRect(2715, 1200, 585, 360);
    QTest::newRow(qPrintable(Tiaozheng::parameterPasteChange))
        << Tiaozheng::parameterPasteChange << Tiaozheng::parameterFrame << QRect(2880, 720, 855, 300);
    QTest::newRow(qPrintable(Tiaozheng::parameterCementWater))
        << Tiaozheng::parameterCementWater << Tiaozheng::parameterFrame << QRect(2880, 1560, 855, 375);
    QTest::newRow(qPrintable(Tiaozheng::volumeStone))
        << Tiaozheng::volumeStone << Tiaozheng::step5Frame << QRect(2640, 4800, 735, 375);
    QTest::newRow(qPrintable(Tiaozheng::densityFactor))
        << Tiaozheng::densityFactor << Tiaozheng::correctionFrame << QRect(3600, 840, 855, 375);
    QTest::newRow(qPrintable(Tiaozheng::labWaterRatio))
        << Tiaozheng::labWaterRatio << Tiaozheng::labMixFrame << QRect(3480, 1680, 855, 375);
    QTest::newRow(qPrintable(Tiaozheng::stoneMoisture))
        << Tiaozheng::stoneMoisture << Tiaozheng::step6Frame << QRect(3600, 240, 1095, 375);
    QTest::newRow(qPrintable(Tiaozheng::siteWaterRatio))
        << Tiaozheng::siteWaterRatio << Tiaozheng::siteMixFrame << QRect(3360, 1800, 1095, 375);
    QTest::newRow(qPrintable(Tiaozheng::workedExampleButton))
        << Tiaozheng::workedExampleButton << Tiaozheng::step1Frame << QRect(480, 2760, 1335, 360);
    QTest::newRow(qPrintable(Tiaozheng::keepUncorrectedButton))
        << Tiaozheng::keepUncorrectedButton << Tiaozheng::correctionFrame << QRect(3600, 360, 855, 360);
    QTest::newRow(qPrintable(Tiaozheng::importWorkbookButton))
        << Tiaozheng::importWorkbookButton << Tiaozheng::fileFrame << QRect(1920, 1080, 2055, 375);
    QTest::newRow(qPrintable(Tiaozheng::fileName))
        << Tiaozheng::fileName << Tiaozheng::fileFrame << QRect(3480, 240, 2415, 390);
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
    for (const QString& name :
         QStringList{Tiaozheng::trialCement, Tiaozheng::trialStone, Tiaozheng::adjustedCement,
                     Tiaozheng::baseWaterRatio, Tiaozheng::ratioA, Tiaozheng::cementC, Tiaozheng::volumeSand,
                     Tiaozheng::volumeStone, Tiaozheng::labCement, Tiaozheng::labWater,
                     Tiaozheng::parameterCementWater})
        QTest::newRow(qPrintable(name)) << name << true;
    for (const QString& name : QStringList{
             Tiaozheng::mixCement, Tiaozheng::trialVolume, Tiaozheng::pastePercent, Tiaozheng::groupRatio,
             Tiaozheng::strengthA, Tiaozheng::targetStrength, Tiaozheng::referenceCementWater,
             Tiaozheng::correctedWater, Tiaozheng::computedDensity, Tiaozheng::densityFactor,
             Tiaozheng::labSand, Tiaozheng::labCementRatio, Tiaozheng::siteCement, Tiaozheng::siteWaterRatio,
             Tiaozheng::parameterWater, Tiaozheng::fileName})
        QTest::newRow(qPrintable(name)) << name << false;
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
    QTest::mouseClick(control<QPushButton>(window, Tiaozheng::workedExampleButton), Qt::LeftButton);
    QCOMPARE(text(window, Tiaozheng::strengthB), QStringLiteral("39.2"));
    QCOMPARE(text(window, Tiaozheng::pasteChange), QStringLiteral("增加"));

    m_prompter->queueAnswer(MessageButton::No);
    QTest::mouseClick(control<QPushButton>(window, Tiaozheng::trialBatchButton), Qt::LeftButton);
    QCOMPARE(text(window, Tiaozheng::trialCement), QString());
    m_prompter->queueAnswer(MessageButton::Yes);
    QTest::mouseClick(control<QPushButton>(window, Tiaozheng::trialBatchButton), Qt::LeftButton);
    QCOMPARE(text(window, Tiaozheng::trialCement), QStringLiteral("5.145"));
    QCOMPARE(text(window, Tiaozheng::trialStone), QStringLiteral("18.765"));
    QCOMPARE(m_prompter->m_yellowWhileAsked, QList<bool>({true, true}));
    QVERIFY(!isHighlighted(control(window, Tiaozheng::trialVolume)));

    m_prompter->queueAnswer(MessageButton::Yes);
    QTest::mouseClick(control<QPushButton>(window, Tiaozheng::workabilityButton), Qt::LeftButton);
    QCOMPARE(text(window, Tiaozheng::adjustedCement), QStringLiteral("5.402"));
    QCOMPARE(text(window, Tiaozheng::baseWaterRatio), QStringLiteral("0.54"));
    QVERIFY(!isHighlighted(control(window, Tiaozheng::pasteChange)));

    // Sand and stone not computed: the density correction fails once.
    m_prompter->queueAnswer(MessageButton::Yes);
    m_prompter->queueAnswer(MessageButton::Ok);
    QTest::mouseClick(control<QPushButton>(window, Tiaozheng::densityCorrectionButton), Qt::LeftButton);
    QCOMPARE(m_prompter->messages().size(), 5);
    QCOMPARE(m_prompter->messages().last().title, QStringLiteral("重要提示"));
    QVERIFY(!isHighlighted(control(window, Tiaozheng::measuredDensity)));
}

void TestAdjustWindow::closingDiscardsTheTexts() {
    QWidget* window = openWindow();
    QTest::mouseClick(control<QPushButton>(window, Tiaozheng::workedExampleButton), Qt::LeftButton);
    control<QComboBox>(window, Tiaozheng::parameterPasteChange)->setEditText(QStringLiteral("减少"));
    QVERIFY(window->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_windows->window(QStringLiteral("tiaozheng")));

    QWidget* again = openWindow();
    QCOMPARE(text(again, Tiaozheng::mixCement), QString());
    QCOMPARE(text(again, Tiaozheng::pasteChange), QStringLiteral("不变"));
    QCOMPARE(text(again, Tiaozheng::parameterPasteChange), QStringLiteral("不变"));
    QCOMPARE(text(again, Tiaozheng::pastePercent), QStringLiteral("0"));
}

// With MIX_ADJUST_SCREENSHOT=path, the whole content after the worked example is saved there for a look.
void TestAdjustWindow::screenshot() {
    const QString path = qEnvironmentVariable("MIX_ADJUST_SCREENSHOT");
    if (path.isEmpty())
        QSKIP("no screenshot asked for");
    QWidget* window = openWindow();
    QTest::mouseClick(control<QPushButton>(window, Tiaozheng::workedExampleButton), Qt::LeftButton);
    QWidget* canvas = window->findChild<QScrollArea*>()->widget();
    QVERIFY(canvas->grab().save(path));
}

QTEST_MAIN(TestAdjustWindow)
#include "test_adjust_window.moc"
