#include "design2011/design2011controls.h"
#include "support/laptopscreen.h"
#include "support/testprogram.h"
#include "trial2011/trial2011controls.h"
#include "ui/design2011window.h"
#include "ui/trial2011window.h"
#include "ui/trialchartview.h"
#include "ui/widgetfields.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace T = Trial2011;
namespace D = Design2011;

namespace {

constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 34;
constexpr int kPanelHeight = 40;

template <typename T> T* control(QWidget* window, const QString& name) {
    return window->findChild<T*>(name, Qt::FindChildrenRecursively);
}

QString text(QWidget* window, const QString& name) {
    QWidget* widget = control<QWidget>(window, name);
    return widget ? controlText(widget) : QStringLiteral("(no control %1)").arg(name);
}

void type(QWidget* window, const QString& name, const QString& typed) {
    auto* edit = control<QLineEdit>(window, name);
    QVERIFY2(edit, qPrintable(name));
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, typed);
}

void click(QWidget* window, const QString& name) {
    auto* button = control<QPushButton>(window, name);
    QVERIFY2(button, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

struct Program : TestProgram {
    // The design window's initial design, calculated and handed over with 试配调整.
    Trial2011Window* handedOver() {
        main->findChild<QAction*>(D::menuCommand)->trigger();
        QWidget* design = windows->window(D::window);
        click(design, D::calculate);
        click(design, D::startTrial);
        return dynamic_cast<Trial2011Window*>(windows->window(T::window));
    }
    // The worked example, step by step as the engineer clicks through it.
    Trial2011Window* worked() {
        Trial2011Window* window = handedOver();
        click(window, T::trialMix);
        type(window, T::strengthA, QStringLiteral("45.1"));
        type(window, T::strengthB, QStringLiteral("39.6"));
        type(window, T::strengthC, QStringLiteral("34.2"));
        click(window, T::regress);
        type(window, T::measuredDensity, QStringLiteral("2390"));
        click(window, T::adjust);
        type(window, T::sandMoisture, QStringLiteral("3.5"));
        type(window, T::stoneMoisture, QStringLiteral("0.8"));
        click(window, T::siteMix);
        return window;
    }
};

} // namespace

class TestTrial2011Window : public QObject {
    Q_OBJECT

private slots:
    void opensFromMenuAndButton();
    void workedExampleThroughTheWindow();
    void closingAsksOnlyForUnsavedWork();
    void tabOrderFollowsReading();
    void everyTabFitsTheSmallScreen();
};

// The menu opens the window with its initial texts and brings the open one forward unchanged; 试配调整
// refuses without a calculation.
void TestTrial2011Window::opensFromMenuAndButton() {
    Program program;
    program.main->findChild<QAction*>(T::menuCommand)->trigger();
    QWidget* window = program.windows->window(T::window);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("混凝土配合比试配与调整（JGJ 55-2011）"));
    QCOMPARE(text(window, T::targetStrength), QString());
    QCOMPARE(text(window, T::trialAdmixtureDosage), QStringLiteral("2.0"));
    type(window, T::cementSource, QStringLiteral("P.O 42.5"));
    program.main->findChild<QAction*>(T::menuCommand)->trigger();
    QCOMPARE(program.windows->window(T::window), window);
    QCOMPARE(text(window, T::cementSource), QStringLiteral("P.O 42.5"));

    program.main->findChild<QAction*>(D::menuCommand)->trigger();
    QWidget* design = program.windows->window(D::window);
    program.prompter.queueAnswer(MessageButton::Ok);
    click(design, D::startTrial);
    QCOMPARE(program.prompter.messages().last().text, QStringLiteral("请先点击“计算”。"));
    QCOMPARE(text(window, T::cementSource), QStringLiteral("P.O 42.5"));
}

void TestTrial2011Window::workedExampleThroughTheWindow() {
    Program program;
    Trial2011Window* window = program.worked();
    QCOMPARE(text(window, T::bwChosen), QStringLiteral("1.79"));
    QCOMPARE(control<QTableWidget>(window, T::mixTable)->item(3, 0)->text(), QStringLiteral("244"));
    QCOMPARE(text(window, T::siteWater), QStringLiteral("138"));
    QVERIFY(isRedText(control<QLineEdit>(window, T::checkWb)));
    QVERIFY(!isRedText(control<QLineEdit>(window, T::checkChosen)));
    QVERIFY(control<TrialChartView>(window, T::strengthChart)->chart().has_value());
    // The chosen ratio typed anew empties steps 4 and 5 and moves the chart's mark.
    type(window, T::bwChosen, QStringLiteral("1.85"));
    QCOMPARE(text(window, T::finalWb), QString());
    QCOMPARE(*control<TrialChartView>(window, T::strengthChart)->chart()->crossing, 1.85);
    type(window, T::strengthA, QStringLiteral("45"));
    QVERIFY(!control<TrialChartView>(window, T::strengthChart)->chart().has_value());
}

void TestTrial2011Window::closingAsksOnlyForUnsavedWork() {
    Program program;
    Trial2011Window* window = program.handedOver();
    QVERIFY(window->close()); // as handed over: nothing to lose
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!program.windows->window(T::window));
    window = program.handedOver();
    click(window, T::trialMix);
    program.prompter.queueAnswer(MessageButton::No);
    QVERIFY(!window->close());
    QCOMPARE(program.prompter.messages().last().text,
             QStringLiteral("试配数据尚未保存，关闭窗口将丢弃这些数据。是否关闭？"));
    QCOMPARE(text(window, T::calcWb), QStringLiteral("0.55"));
    program.prompter.queueAnswer(MessageButton::Yes);
    QVERIFY(window->close());
}

// The inputs of each step before its button, the steps in order, the record's row last.
void TestTrial2011Window::tabOrderFollowsReading() {
    Program program;
    Trial2011Window* window = program.handedOver();
    const QStringList expected = {T::grade,         T::targetStrength, T::calcWater,      T::designName,
                                  T::measuredSlump, T::trialMix,       T::testAge,        T::strengthA,
                                  T::strengthC,     T::regress,        T::bwChosen,       T::measuredDensity,
                                  T::adjust,        T::sandMoisture,   T::admixtureWater, T::siteMix,
                                  T::recordName,    T::saveRecord,     T::openRecord,     T::viewRecord};
    QStringList chain;
    QWidget* widget = control<QWidget>(window, T::grade);
    do {
        if (expected.contains(widget->objectName()))
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != control<QWidget>(window, T::grade));
    QCOMPARE(chain, expected);
}

// At 1366×768, frame and a panel taken off, every tab shows its controls whole, without scrolling, with the
// worked example's texts in them.
void TestTrial2011Window::everyTabFitsTheSmallScreen() {
    Program program;
    Trial2011Window* window = program.worked();
    const QRect area = window->screen()->availableGeometry();
    const QSize room = area.size() - QSize(kFrameWidth, kFrameHeight + kPanelHeight);
    QVERIFY2(window->width() <= room.width() && window->height() <= room.height(),
             qPrintable(QStringLiteral("%1x%2").arg(window->width()).arg(window->height())));
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto* tabs = control<QTabWidget>(window, QStringLiteral("steps"));
    QCOMPARE(tabs->count(), 5);
    const QStringList titles = {"1、计算配合比", "2、试拌与工作性调整", "3、强度试验", "4、确定设计配合比",
                                "5、施工配合比"};
    for (int tab = 0; tab < tabs->count(); ++tab) {
        QCOMPARE(tabs->tabText(tab), titles[tab]);
        tabs->setCurrentIndex(tab);
        QCoreApplication::processEvents();
        for (const QScrollBar* bar : window->findChildren<QScrollBar*>())
            QVERIFY(!bar->isVisible());
        const QRect inside = window->rect();
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            if (widget->objectName().isEmpty() || !widget->isVisible() ||
                widget->objectName().startsWith("qt_"))
                continue;
            const QRect placed(widget->mapTo(window, QPoint(0, 0)), widget->size());
            QVERIFY2(inside.contains(placed), qPrintable(widget->objectName()));
            if (auto* label = qobject_cast<QLabel*>(widget); label && !label->wordWrap())
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <=
                             label->contentsRect().width(),
                         qPrintable(widget->objectName() + QStringLiteral(" is clipped")));
            else if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && !edit->text().isEmpty())
                QVERIFY2(edit->fontMetrics().horizontalAdvance(edit->text()) <= edit->width() - 8,
                         qPrintable(widget->objectName() + QStringLiteral(" cuts its text")));
        }
    }
    auto* table = control<QTableWidget>(window, T::mixTable);
    QVERIFY(table->verticalHeader()->length() <= table->viewport()->height());
}

int main(int argc, char** argv) { return runOnLaptopScreen<TestTrial2011Window>(argc, argv); }

#include "test_trial2011_window.moc"
