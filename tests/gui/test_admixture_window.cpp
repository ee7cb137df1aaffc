#include "admixture/wai.h"
#include "design/form1.h"
#include "report/reportexport.h"
#include "support/testprogram.h"
#include "ui/admixturewindow.h"
#include "ui/mainwindow.h"
#include "ui/windowmanager.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

struct Program : TestProgram {
    QWidget* wai() const { return windows->window("wai"); }
    QString waiText(const QString& name) const { return wai()->findChild<QLineEdit*>(name)->text(); }
    void setWai(const QString& name, const QString& text) {
        wai()->findChild<QLineEdit*>(name)->setText(text);
    }
    void click(QWidget* window, const QString& name) {
        auto* button = window->findChild<QPushButton*>(name);
        QVERIFY2(button, qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }
};

int shownWai() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += widget->objectName() == "wai" && widget->isVisible();
    return count;
}

} // namespace

class TestAdmixtureWindow : public QObject {
    Q_OBJECT

private slots:
    void roundTripIntoMainWindow();
    void reportTellsTheWatersSource();
    void pressAgainRefillsOnlyText1();
    void reopenStartsFresh();
    void sendBackWithoutMainWindow();
    void layoutAndTabOrder();
};

// 185 at 15 %: 157.25 in Text3 and, sent back, in the main window's Text21.
void TestAdmixtureWindow::roundTripIntoMainWindow() {
    Program program;
    program.main->fields().setText(Form1::referenceWater, "185");
    program.main->fields().setText(Form1::stepwiseWater, "195");
    program.click(program.main, Form1::admixtureButton);
    QVERIFY(program.wai());
    QCOMPARE(program.wai()->windowTitle(), QStringLiteral("计算掺外加剂用水量"));
    QCOMPARE(program.waiText(Wai::baseWater), QStringLiteral("185"));
    program.setWai(Wai::reductionRate, "15");
    program.prompter.queueAnswer(MessageButton::Yes);
    program.click(program.wai(), Wai::computeButton);
    QCOMPARE(program.waiText(Wai::result), QStringLiteral("157.25"));
    QCOMPARE(program.main->fields().text(Form1::stepwiseWater), QStringLiteral("195"));
    program.click(program.wai(), Wai::sendBackButton);
    QCOMPARE(program.main->fields().text(Form1::stepwiseWater), QStringLiteral("157.25"));
    QCOMPARE(shownWai(), 1);
    QCOMPARE(program.prompter.lines(),
             QStringList{"MSGBOX icon=question buttons=YesNo title=\"普通混凝土配合比设计\" "
                         "text=\"您填入的数据正确吗？\" -> Yes"});
}

// The water sent back is remembered by the main window itself, so that its stepwise report says the water
// came from the admixture window, until other water is typed or the table's water imported.
void TestAdmixtureWindow::reportTellsTheWatersSource() {
    Program program;
    program.main->fields().setText(Form1::referenceWater, "185");
    program.click(program.main, Form1::admixtureButton);
    program.setWai(Wai::reductionRate, "15");
    program.prompter.queueAnswer(MessageButton::Yes);
    program.click(program.wai(), Wai::computeButton);
    program.click(program.wai(), Wai::sendBackButton);
    const auto waterLine = [&program] {
        QString line;
        RecordingSpreadsheetFactory spreadsheets([&line](const QString& text) {
            if (text.startsWith(QStringLiteral("XLS cell 39 7 ")))
                line = text.mid(14);
        });
        Fields& fields = program.main->fields();
        fields.setText(Form1::fileName, QStringLiteral("A1"));
        fields.setText(Form1::stepwiseCement, QStringLiteral("283"));
        ReportExport(fields, program.prompter, spreadsheets, program.paths()).showStepwiseReport();
        spreadsheets.endAll();
        return line;
    };
    QDir(program.paths().root()).mkpath(QStringLiteral("mb"));
    QFile(program.paths().root() + QStringLiteral("/mb/phm.xls")).open(QIODevice::WriteOnly);
    const QString from = QStringLiteral("text \"用水量取自掺外加剂用水量计算\"");
    const QString other = QStringLiteral("text \"用水量未取自掺外加剂用水量计算\"");
    QCOMPARE(waterLine(), from);
    auto* water = program.main->findChild<QLineEdit*>(Form1::stepwiseWater);
    water->setText(QStringLiteral("160"));
    QCOMPARE(waterLine(), other);
    water->setText(QStringLiteral("157.25"));
    QCOMPARE(waterLine(), from);
    program.main->Label36_Click();
    QCOMPARE(water->text(), QStringLiteral("185"));
    QCOMPARE(waterLine(), other);
    QVERIFY(program.main->findChild<QLineEdit*>(Form1::sentAdmixtureWater)->isHidden());
}

void TestAdmixtureWindow::pressAgainRefillsOnlyText1() {
    Program program;
    program.main->fields().setText(Form1::referenceWater, "185");
    program.click(program.main, Form1::admixtureButton);
    QWidget* first = program.wai();
    program.setWai(Wai::baseWater, "typed");
    program.setWai(Wai::reductionRate, "12");
    program.setWai(Wai::result, "171.6");
    program.main->fields().setText(Form1::referenceWater, "");
    program.click(program.main, Form1::admixtureButton);
    QCOMPARE(program.wai(), first);
    QCOMPARE(shownWai(), 1);
    QCOMPARE(program.waiText(Wai::baseWater), QString());
    QCOMPARE(program.waiText(Wai::reductionRate), QStringLiteral("12"));
    QCOMPARE(program.waiText(Wai::result), QStringLiteral("171.6"));
}

void TestAdmixtureWindow::reopenStartsFresh() {
    Program program;
    program.main->fields().setText(Form1::referenceWater, "195");
    program.click(program.main, Form1::admixtureButton);
    program.setWai(Wai::reductionRate, "12");
    program.setWai(Wai::result, "171.6");
    program.wai()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!program.wai());
    program.main->fields().setText(Form1::referenceWater, "205");
    program.click(program.main, Form1::admixtureButton);
    QCOMPARE(program.waiText(Wai::baseWater), QStringLiteral("205"));
    QCOMPARE(program.waiText(Wai::reductionRate), QString());
    QCOMPARE(program.waiText(Wai::result), QString());
    QVERIFY(program.wai()->findChild<QPlainTextEdit*>(Wai::note)->toPlainText().endsWith(
        QStringLiteral("写在设计书备注里。\n")));
}

// With the main window closed by 退出, sending back has nowhere to go: nothing happens, nothing breaks.
void TestAdmixtureWindow::sendBackWithoutMainWindow() {
    Program program;
    program.click(program.main, Form1::admixtureButton);
    program.setWai(Wai::result, "157.25");
    program.main->findChild<QAction*>("exit")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!program.windows->window("Form1"));
    program.click(program.wai(), Wai::sendBackButton);
    QCOMPARE(program.waiText(Wai::result), QStringLiteral("157.25"));
    QVERIFY(program.prompter.lines().isEmpty());
}

// Tab runs Text1, Text2, 计算, Text3, 导回用水量, note; the buttons sit side by side under the fields, and
// every caption has the room its lines need.
void TestAdmixtureWindow::layoutAndTabOrder() {
    Program program;
    program.click(program.main, Form1::admixtureButton);
    QWidget* wai = program.wai();
    QStringList chain;
    QWidget* widget = wai->findChild<QWidget*>(Wai::baseWater);
    for (int i = 0; i < 6; ++i) {
        chain.append(widget->objectName());
        do
            widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus || widget->objectName().isEmpty());
    }
    QCOMPARE(chain, (QStringList{Wai::baseWater, Wai::reductionRate, Wai::computeButton, Wai::result,
                                 Wai::sendBackButton, Wai::note}));

    const auto geometry = [wai](const QString& name) { return wai->findChild<QWidget*>(name)->geometry(); };
    QCOMPARE(geometry(Wai::computeButton).top(), geometry(Wai::sendBackButton).top());
    QVERIFY(geometry(Wai::sendBackButton).right() < geometry(Wai::computeButton).left());
    QVERIFY(geometry(Wai::result).bottom() < geometry(Wai::computeButton).top());
    QVERIFY(geometry(Wai::computeButton).bottom() < geometry(Wai::note).top());
    QVERIFY(geometry(Wai::note).bottom() < wai->height());
    for (const QString& name : {Wai::baseWaterLabel, Wai::reductionRateLabel, Wai::resultLabel}) {
        auto* label = wai->findChild<QLabel*>(name);
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(name));
        QVERIFY2(label->geometry().right() < geometry(Wai::baseWater).left(), qPrintable(name));
    }

    const QRect area = wai->screen()->availableGeometry();
    if (area.width() >= 656 + wai->width() && area.height() >= 432 + wai->height())
        QCOMPARE(wai->pos(), area.topLeft() + QPoint(656, 432));
    else
        QVERIFY(area.contains(QRect(wai->pos(), wai->size())));
}

QTEST_MAIN(TestAdmixtureWindow)
#include "test_admixture_window.moc"
