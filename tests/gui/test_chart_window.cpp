#include "adjust/form8.h"
#include "adjust/tiaozheng.h"
#include "common/scriptedprompter.h"
#include "report/recordingspreadsheet.h"
#include "ui/chartpainter.h"
#include "ui/chartwindow.h"
#include "ui/windowmanager.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The chart window Form8 opened from the adjustment window's "作图", and its "保存图片".
class TestChartWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void drawsFromTheFieldsOnEachPress();
    void buttonFitsFrame11();
    void savePicture_data();
    void savePicture();
    void picturesForEveryCase_data();
    void picturesForEveryCase();

private:
    QWidget* adjustment() { return m_windows->open(QStringLiteral("tiaozheng")); }
    ChartWindow* chart() { return dynamic_cast<ChartWindow*>(m_windows->window(QStringLiteral("Form8"))); }
    void set(const QString& name, const QString& text) {
        adjustment()->findChild<QLineEdit*>(name)->setText(text);
    }
    void click(QWidget* window, const QString& name) { window->findChild<QPushButton*>(name)->click(); }

    QTemporaryDir m_root;
    ScriptedPrompter* m_prompter = nullptr;
    RecordingLauncher m_launcher;
    RecordingSpreadsheetFactory m_spreadsheets{[](const QString&) {}};
    WindowManager* m_windows = nullptr;
};

void TestChartWindow::init() {
    m_prompter = new ScriptedPrompter;
    m_windows = new WindowManager(AppContext{*m_prompter, m_launcher, m_spreadsheets,
                                             InstallPaths(m_root.path()), [] { return QDate(2026, 12, 7); }});
}

void TestChartWindow::cleanup() {
    for (const char* name : {"Form8", "tiaozheng"})
        delete m_windows->window(QLatin1String(name));
    delete m_windows;
    delete m_prompter;
}

// One instance, redrawn from the fields as they are at each press.
void TestChartWindow::drawsFromTheFieldsOnEachPress() {
    QWidget* window = adjustment();
    click(window, Tiaozheng::workedExampleButton);
    for (const QString& step :
         {Tiaozheng::trialBatchButton, Tiaozheng::workabilityButton, Tiaozheng::strengthGroupsButton}) {
        m_prompter->queueAnswer(MessageButton::Yes);
        click(window, step);
    }
    click(window, Tiaozheng::chartButton);
    ChartWindow* first = chart();
    QVERIFY(first && first->isVisible());
    QCOMPARE(first->windowTitle(), QStringLiteral("强度与灰水比关系图"));
    QCOMPARE(first->chart().crossing.value_or(0), 1.81692);
    QCOMPARE(first->chart().describe().first(), QStringLiteral("points=1.69,34.2;1.85,39.2;2.04,45.3"));

    set(Tiaozheng::targetStrength, QString());
    set(Tiaozheng::strengthC, QStringLiteral("46"));
    click(window, Tiaozheng::chartButton);
    QCOMPARE(chart(), first);
    QVERIFY(!first->chart().target.has_value());
    QCOMPARE(first->chart().points[2].y, 46.0);
    QVERIFY(m_prompter->messages().size() == 3);
}

// In its frame, clear of every other control there.
void TestChartWindow::buttonFitsFrame11() {
    QWidget* frame = adjustment()->findChild<QWidget*>(QStringLiteral("Frame11"));
    auto* button = frame->findChild<QPushButton*>(Tiaozheng::chartButton);
    QVERIFY(button);
    QCOMPARE(button->parentWidget(), frame);
    QCOMPARE(button->text(), QStringLiteral("作图"));
    QVERIFY(frame->rect().contains(button->geometry()));
    for (QWidget* other : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (other != button)
            QVERIFY2(!other->geometry().intersects(button->geometry()), qPrintable(other->objectName()));
    QVERIFY(button->fontMetrics().horizontalAdvance(button->text()) < button->width());
}

void TestChartWindow::savePicture_data() {
    QTest::addColumn<QString>("answer"); // relative to the root; empty: cancelled
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("complaint");
    QTest::newRow("png") << "chart.png"
                         << "chart.png" << false;
    QTest::newRow("suffix added") << "chart"
                                  << "chart.png" << false;
    QTest::newRow("cancelled") << ""
                               << "" << false;
    QTest::newRow("no such folder") << "missing/chart.png"
                                    << "" << true;
}

// "保存图片": the dialog starts in the installation folder; the PNG is the chart at its picture size; a file
// that cannot be written is said so.
void TestChartWindow::savePicture() {
    QFETCH(QString, answer);
    QFETCH(QString, written);
    QFETCH(bool, complaint);
    QWidget* window = adjustment();
    click(window, Tiaozheng::workedExampleButton);
    click(window, Tiaozheng::chartButton);
    QDir root(m_root.path());
    for (const QString& file : root.entryList(QDir::Files))
        root.remove(file);
    m_prompter->queueFile(answer.isEmpty() ? std::nullopt : std::optional<QString>(root.filePath(answer)));
    if (complaint)
        m_prompter->queueAnswer(MessageButton::Ok);
    click(chart(), Form8::savePictureButton);
    QCOMPARE(m_prompter->saveRequests().size(), 1);
    QCOMPARE(m_prompter->saveRequests()[0].folder, m_windows->context().paths.root());
    QCOMPARE(m_prompter->saveRequests()[0].name, QStringLiteral("强度与灰水比关系图.png"));
    QCOMPARE(m_prompter->messages().size(), complaint ? 1 : 0);
    if (complaint)
        QCOMPARE(m_prompter->messages()[0].icon, MessageIcon::Exclamation);
    const QStringList files = root.entryList(QDir::Files);
    QCOMPARE(files, written.isEmpty() ? QStringList{} : QStringList{written});
    if (!written.isEmpty()) {
        const QImage image(root.filePath(written), "PNG");
        QCOMPARE(image.size(), ChartPainter::defaultSize());
    }
}

// Every case the fields can be in paints a picture, line or sentence, never nothing.
void TestChartWindow::picturesForEveryCase_data() {
    QTest::addColumn<QStringList>("fields"); // ratios, strengths, target
    QTest::newRow("line") << QStringList{"1.69", "1.85", "2.04", "34.2", "39.2", "45.3", "38.2"};
    QTest::newRow("crossing far off") << QStringList{"1.69", "1.85", "2.04", "34.2", "39.2", "45.3", "500"};
    QTest::newRow("equal ratios") << QStringList{"1.85", "1.85", "1.85", "34.2", "39.2", "45.3", "38.2"};
    QTest::newRow("empty") << QStringList{"", "", "", "", "", "", ""};
    QTest::newRow("negative ratios") << QStringList{"-0.22", "1.85", "2.04", "34.2", "39.2", "45.3", "1e300"};
}

void TestChartWindow::picturesForEveryCase() {
    QFETCH(QStringList, fields);
    const QString names[] = {Tiaozheng::cementWaterA,  Tiaozheng::cementWaterB, Tiaozheng::cementWaterC,
                             Tiaozheng::strengthA,     Tiaozheng::strengthB,    Tiaozheng::strengthC,
                             Tiaozheng::targetStrength};
    for (int i = 0; i < 7; ++i)
        set(names[i], fields[i]);
    click(adjustment(), Tiaozheng::chartButton);
    const StrengthChart& drawn = chart()->chart();
    QVERIFY(drawn.hasLine != !drawn.message.isEmpty());
    const QImage image = QImage::fromData(ChartPainter(drawn).png(), "PNG");
    QCOMPARE(image.size(), ChartPainter::defaultSize());
    // Not a blank picture: the title, axes and the line or the sentence are on it.
    int dark = 0;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            dark += qGray(image.pixel(x, y)) < 128;
    QVERIFY(dark > 100);
}

QTEST_MAIN(TestChartWindow)
#include "test_chart_window.moc"
