#include "support/testprogram.h"
#include "ui/chinesestandardtexts.h"
#include "ui/screenplacement.h"

#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

// The program among the other programs of a Chinese desktop: Qt's standard buttons in Chinese, and the
// admixture window at its size and wholly on the screen.
class TestDesktopCitizen : public QObject {
    Q_OBJECT

private slots:
    void standardButtons_data();
    void standardButtons();
    void englishWithoutTranslation();
    void onScreen_data();
    void onScreen();
    void centred_data();
    void centred();
    void admixtureWindowSize();
    void officeWarmsUpOnceShown();
};

void TestDesktopCitizen::standardButtons_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("text");
    QTest::newRow("Yes") << int(QMessageBox::Yes) << "是";
    QTest::newRow("No") << int(QMessageBox::No) << "否";
    QTest::newRow("OK") << int(QMessageBox::Ok) << "确定";
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << "取消";
}

void TestDesktopCitizen::standardButtons() {
    QFETCH(int, button);
    QFETCH(QString, text);
    const ChineseStandardTexts texts;
    QVERIFY2(texts.isLoaded(), "qtbase_zh_CN not found (Debian: qt6-translations-l10n)");
    QMessageBox box;
    QPushButton* shown = box.addButton(QMessageBox::StandardButton(button));
    QVERIFY2(shown->text().startsWith(text), qPrintable(shown->text()));
}

// The translation lives as long as its owner: afterwards the buttons are Qt's English ones again.
void TestDesktopCitizen::englishWithoutTranslation() {
    { const ChineseStandardTexts texts; }
    QMessageBox box;
    QCOMPARE(box.addButton(QMessageBox::Yes)->text(), QStringLiteral("&Yes"));
}

void TestDesktopCitizen::onScreen_data() {
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QPoint>("expected");
    // The admixture window's frame (312x264 client, 4 px borders and a 24 px title bar) at its spot.
    const QSize wai(320, 292);
    QTest::newRow("1920x1080: stays")
        << QRect(QPoint(656, 432), wai) << QRect(0, 0, 1920, 1080) << QPoint(656, 432);
    QTest::newRow("1366x768: stays") << QRect(QPoint(656, 432), wai) << QRect(0, 0, 1366, 768)
                                     << QPoint(656, 432);
    QTest::newRow("1366x768 with a panel: up just enough")
        << QRect(QPoint(656, 432), wai) << QRect(0, 0, 1366, 700) << QPoint(656, 408);
    QTest::newRow("800x600: up and left")
        << QRect(QPoint(656, 432), wai) << QRect(0, 0, 800, 600) << QPoint(480, 308);
    QTest::newRow("panel on top: below it")
        << QRect(QPoint(10, 0), wai) << QRect(0, 30, 800, 600) << QPoint(10, 30);
    QTest::newRow("larger than the screen: top-left")
        << QRect(100, 100, 900, 700) << QRect(0, 0, 800, 600) << QPoint(0, 0);
    QTest::newRow("second screen") << QRect(QPoint(1920 + 1700, 900), wai) << QRect(1920, 0, 1920, 1080)
                                   << QPoint(1920 + 1600, 788);
}

void TestDesktopCitizen::onScreen() {
    QFETCH(QRect, frame);
    QFETCH(QRect, area);
    QFETCH(QPoint, expected);
    QCOMPARE(onScreenPosition(frame, area), expected);
}

void TestDesktopCitizen::centred_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("fits") << QSize(1350, 680) << QRect(0, 0, 1366, 768) << QPoint(8, 44);
    QTest::newRow("panel on top") << QSize(400, 300) << QRect(0, 40, 800, 600) << QPoint(200, 190);
    QTest::newRow("second screen") << QSize(400, 300) << QRect(1920, 0, 1920, 1080) << QPoint(2680, 390);
    QTest::newRow("too wide: left edge") << QSize(1400, 680) << QRect(0, 0, 1366, 768) << QPoint(0, 44);
    QTest::newRow("too high: top edge") << QSize(1350, 800) << QRect(0, 30, 1366, 738) << QPoint(8, 30);
}

void TestDesktopCitizen::centred() {
    QFETCH(QSize, size);
    QFETCH(QRect, area);
    QFETCH(QPoint, expected);
    QCOMPARE(centredPosition(size, area), expected);
}

// 4680x3960 twips of client area, whatever the font; the note scrolls where it needs more room.
void TestDesktopCitizen::admixtureWindowSize() {
    TestProgram program;
    QWidget* wai = program.windows->open(QStringLiteral("wai"));
    QVERIFY(QTest::qWaitForWindowExposed(wai));
    QCOMPARE(wai->size(), QSize(312, 264));
    QVERIFY(wai->screen()->availableGeometry().contains(wai->frameGeometry()));
}

namespace {

// Counts the calls that start an office ahead of need.
class WarmCountingFactory : public RecordingSpreadsheetFactory {
public:
    WarmCountingFactory() : RecordingSpreadsheetFactory([](const QString&) {}) {}
    void keepReady() override { ++warmUps; }
    int warmUps = 0;
};

} // namespace

// The office kept ready is started once the main window has been painted and the program is idle, not
// before the window shows, and only once however many windows open.
void TestDesktopCitizen::officeWarmsUpOnceShown() {
    QTemporaryDir root;
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
    WarmCountingFactory spreadsheets;
    {
        WindowManager windows(AppContext{prompter, launcher, spreadsheets, InstallPaths(root.path())});
        MainWindow* main = windows.showMain();
        QCOMPARE(spreadsheets.warmUps, 0);
        QTRY_COMPARE(spreadsheets.warmUps, 1);
        windows.showMain();
        windows.open(QStringLiteral("tiaozheng"));
        QTest::qWait(100);
        QCOMPARE(spreadsheets.warmUps, 1);
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget != main && !widget->parentWidget())
                delete widget;
        delete main;
    }
}

QTEST_MAIN(TestDesktopCitizen)
#include "test_desktop_citizen.moc"
