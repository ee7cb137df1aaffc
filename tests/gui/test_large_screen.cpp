#include "support/testprogram.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QtTest>

// The windows of fixed layout maximised on a 1920x1080 screen (the offscreen platform given that screen): the
// controls keep their places among themselves, and the whole of them stands in the middle of the window.
namespace {

// The controls' bounding box in the coordinates of `area`, the part of the window that shows the content.
QRect contentIn(QWidget* canvas, QWidget* area) {
    QRect box;
    for (QWidget* control : canvas->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!control->isHidden())
            box |= QRect(control->mapTo(area, QPoint(0, 0)), control->size());
    return box;
}

} // namespace

class TestLargeScreen : public QObject {
    Q_OBJECT

private:
    // The canvas of the controls stands in the middle of the area, which leaves room at the content's left,
    // in place of the top-left corner.
    static void checkCentred(QWidget* canvas, QWidget* area) {
        const QRect placed(canvas->mapTo(area, QPoint(0, 0)), canvas->size());
        const int left = placed.left();
        const int right = area->width() - 1 - placed.right();
        const int top = placed.top();
        const int bottom = area->height() - 1 - placed.bottom();
        QVERIFY2(std::abs(left - right) <= 1 && std::abs(top - bottom) <= 1,
                 qPrintable(QStringLiteral("left %1, right %2, top %3, bottom %4")
                                .arg(left)
                                .arg(right)
                                .arg(top)
                                .arg(bottom)));
        QVERIFY(contentIn(canvas, area).left() > 200);
        QVERIFY(contentIn(canvas, area).top() > 100);
    }

private slots:
    void screenIsLarge() { QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1920, 1080)); }

    void mainWindowCentred() {
        TestProgram program;
        QVERIFY(QTest::qWaitForWindowExposed(program.main));
        QTRY_VERIFY(program.main->width() > 1900);
        auto* canvas = program.main->findChild<QWidget*>(QStringLiteral("canvas"));
        QVERIFY(canvas);
        // Where the controls stand on their canvas, as before.
        QCOMPARE(program.main->findChild<QWidget*>(QStringLiteral("Text7"))->pos(), QPoint(466, 100));
        checkCentred(canvas, program.main->centralWidget());
    }

    void adjustWindowCentred() {
        TestProgram program;
        QWidget* window = program.windows->open(QStringLiteral("tiaozheng"));
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTRY_VERIFY(window->width() > 1900);
        auto* scroll = window->findChild<QScrollArea*>();
        QVERIFY(scroll);
        checkCentred(scroll->widget(), scroll->viewport());
    }
};

// The offscreen platform with one screen of 1920x1080 at 96 dpi, set before the application starts.
int main(int argc, char** argv) {
    QTemporaryDir config;
    const QString path = config.filePath(QStringLiteral("screen.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(R"({"screens": [{"name": "large", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
                   R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") <= 0)
        return 1;
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(path));
    QApplication application(argc, argv);
    TestLargeScreen test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_large_screen.moc"
