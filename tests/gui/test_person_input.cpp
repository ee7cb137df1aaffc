#include "design/form1.h"
#include "support/testprogram.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QWheelEvent>
#include <QtTest>

// Focus loss and the mouse wheel as a person meets them in the main window: the grade range's lost-focus
// action (σ follows the grade) runs only when the focus moves on to another control of the window, and the
// wheel changes only the list that has the focus.
class TestPersonInput : public QObject {
    Q_OBJECT

private slots:
    void leavingGradeRange_data();
    void leavingGradeRange();
    void stayingInGradeRange_data();
    void stayingInGradeRange();
    void wheel_data();
    void wheel();
};

namespace {

QLineEdit* field(QWidget* window, const QString& name) { return window->findChild<QLineEdit*>(name); }

// The main window shown and active, the focus in Combo1 with "低于C20" typed and σ still at 5.
QComboBox* focusGradeRange(TestProgram& program) {
    QMainWindow* main = program.main;
    main->activateWindow();
    QApplication::setActiveWindow(main);
    auto* combo = main->findChild<QComboBox*>(Form1::gradeRange);
    combo->setFocus(Qt::MouseFocusReason);
    combo->setEditText(QStringLiteral("低于C20"));
    return combo;
}

// A wheel turn over the list's centre. Returns whether the list took it; one it leaves unaccepted the window
// system's delivery offers to the widgets around the list.
bool turnWheel(QComboBox* combo, int delta) {
    const QPointF centre(combo->width() / 2.0, combo->height() / 2.0);
    QWheelEvent event(centre, combo->mapToGlobal(centre), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(combo, &event);
    return event.isAccepted();
}

} // namespace

void TestPersonInput::leavingGradeRange_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Tab") << "tab";
    QTest::newRow("Shift+Tab") << "backtab";
    QTest::newRow("click into a field") << "click field";
    QTest::newRow("click a command's button") << "click button";
}

void TestPersonInput::leavingGradeRange() {
    QFETCH(QString, how);
    TestProgram program;
    QComboBox* combo = focusGradeRange(program);
    QVERIFY(combo->hasFocus());
    if (how == QLatin1String("tab")) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    } else if (how == QLatin1String("backtab")) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    } else if (how == QLatin1String("click field")) {
        QTest::mouseClick(field(program.main, Form1::cementGrade), Qt::LeftButton);
    } else {
        // 全自动计算 asks first; No ends it with nothing changed but the focus.
        program.prompter.queueAnswer(MessageButton::No);
        QTest::mouseClick(program.main->findChild<QPushButton*>(Form1::automaticButton), Qt::LeftButton);
    }
    QVERIFY(!combo->hasFocus());
    QCOMPARE(field(program.main, Form1::sigma)->text(), QStringLiteral("4"));
}

void TestPersonInput::stayingInGradeRange_data() {
    QTest::addColumn<QString>("what");
    QTest::newRow("own drop-down opens") << "popup";
    QTest::newRow("a menu opens") << "menu";
    QTest::newRow("another window is activated") << "window";
}

void TestPersonInput::stayingInGradeRange() {
    QFETCH(QString, what);
    TestProgram program;
    QComboBox* combo = focusGradeRange(program);
    if (what == QLatin1String("popup")) {
        combo->showPopup();
        QTRY_VERIFY(combo->view()->isVisible());
        combo->hidePopup();
    } else if (what == QLatin1String("menu")) {
        auto* menu = program.main->menuBar()->findChildren<QMenu*>().value(0);
        QVERIFY(menu);
        menu->popup(QPoint(10, 10));
        QTRY_VERIFY(menu->isVisible());
        menu->close();
    } else {
        QWidget* other = program.windows->open(QStringLiteral("Form2"));
        QApplication::setActiveWindow(other);
        QTRY_COMPARE(QApplication::activeWindow(), other);
        QApplication::setActiveWindow(program.main);
    }
    QCoreApplication::processEvents();
    QCOMPARE(field(program.main, Form1::sigma)->text(), QStringLiteral("5"));
    QCOMPARE(combo->currentText(), QStringLiteral("低于C20"));
}

void TestPersonInput::wheel_data() {
    QTest::addColumn<bool>("focused");
    QTest::newRow("list without the focus") << false;
    QTest::newRow("list with the focus") << true;
}

void TestPersonInput::wheel() {
    QFETCH(bool, focused);
    TestProgram program;
    QApplication::setActiveWindow(program.main);
    auto* environment = program.main->findChild<QComboBox*>(Form1::environment);
    field(program.main, Form1::gradeStrength)->setFocus(Qt::MouseFocusReason);
    if (focused)
        environment->setFocus(Qt::MouseFocusReason);
    QCOMPARE(turnWheel(environment, -120), focused);
    QCOMPARE(environment->currentText(),
             focused ? QStringLiteral("潮湿环境无冻害") : QStringLiteral("干燥环境"));
}

QTEST_MAIN(TestPersonInput)
#include "test_person_input.moc"
