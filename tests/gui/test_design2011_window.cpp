#include "design2011/design2011controls.h"
#include "support/laptopscreen.h"
#include "support/testprogram.h"
#include "ui/design2011window.h"
#include "ui/widgetfields.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace D = Design2011;

namespace {

// Room a window manager's frame takes: borders and the title bar; and a desktop panel.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 34;
constexpr int kPanelHeight = 40;

const QString kEnvironment2a =
    QStringLiteral("室内潮湿环境；非严寒和非寒冷地区的露天环境；与无侵蚀性的水或土壤直接接触的环境");

// The inputs in reading order, as the engineer fills them in.
const QStringList kInputs = [] {
    using namespace Design2011;
    QStringList names{grade, sigmaFromStatistics, sigma, cementKind, cementClass, gammaC, fceMeasured};
    names << maxSize << slump << waterReduction << admixtureDosage << flyAshPercent << flyAshGrade << gammaF;
    names << slagPercent << slagGrade << gammaS << environment << airEntrained << structure << pumped;
    names << densityMethod << assumedDensity << densityCement << densityFlyAsh << densitySlag << densitySand;
    names << densityStone << airContent << wbOverride << sandRatioOverride << trialVolume << reportName;
    return names;
}();

const QStringList kResults = [] {
    using namespace Design2011;
    QStringList names{sigmaUsed, targetStrength, fce, fb, wbCalculated, wbMax, wb, waterTable, water};
    names << binder << flyAsh << slag << cement << admixture << sandRatioTable << sandRatio << sand << stone;
    names << density << mixLine << proportion;
    return names;
}();
const QStringList kChecks = {D::checkWb, D::checkGrade, D::checkBinder, D::checkMineral, D::checkPump};

struct Program : TestProgram {
    // The window as the engineer opens it: from the menu.
    Design2011Window* open() {
        main->findChild<QAction*>(D::menuCommand)->trigger();
        return dynamic_cast<Design2011Window*>(windows->window(D::window));
    }
};

template <typename T> T* control(QWidget* window, const QString& name) {
    return window->findChild<T*>(name, Qt::FindChildrenRecursively);
}

QString text(QWidget* window, const QString& name) {
    QWidget* widget = control<QWidget>(window, name);
    return widget ? controlText(widget) : QStringLiteral("(no control %1)").arg(name);
}

// A person's choice from a list, typing into a field (replacing its text) and a click on a box.
void choose(QWidget* window, const QString& name, const QString& item) {
    auto* list = control<QComboBox>(window, name);
    QVERIFY2(list, qPrintable(name));
    const int index = list->findText(item);
    QVERIFY2(index >= 0, qPrintable(name + u' ' + item));
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void type(QWidget* window, const QString& name, const QString& typed) {
    auto* edit = control<QLineEdit>(window, name);
    QVERIFY2(edit, qPrintable(name));
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, typed);
}

void tick(QWidget* window, const QString& name) {
    auto* box = control<QCheckBox>(window, name);
    QVERIFY2(box, qPrintable(name));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
}

// The caption the engineer reads for a control: its own text, or the label that names it.
QString caption(QWidget* window, QWidget* control) {
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy() == control)
            return label->text();
    }
    return QString();
}

} // namespace

class TestDesign2011Window : public QObject {
    Q_OBJECT

private slots:
    void menuOpensOneWindow();
    void controlsOfTheirKinds_data();
    void controlsOfTheirKinds();
    void resultsChecksAndTrialTableStartEmpty();
    void sigmaFollowsGrade_data();
    void sigmaFollowsGrade();
    void sigmaFromStatisticsIsTyped();
    void gammaCFollowsCementClass_data();
    void gammaCFollowsCementClass();
    void gammaFFollowsTypedDosage_data();
    void gammaFFollowsTypedDosage();
    void gammaSFollowsDosageAndGrade_data();
    void gammaSFollowsDosageAndGrade();
    void trialVolumeFollowsMaxSize();
    void environmentTextFollowsCategory_data();
    void environmentTextFollowsCategory();
    void methodEnablesItsFields();
    void calculateWritesOrRefuses();
    void everyInputButReportNameDropsTheCalculation_data();
    void everyInputButReportNameDropsTheCalculation();
    void sheetCommandsFollowTheCalculation();
    void highStrengthTakesNoSigma();
    void tabOrderFollowsReading();
    void fitsTheSmallScreenCentred();
};

// Right after 配合比调整 on the menu bar; chosen twice, one window; closed and chosen again, a fresh one.
void TestDesign2011Window::menuOpensOneWindow() {
    Program program;
    QStringList names;
    for (QAction* action : program.main->menuBar()->actions())
        names << action->objectName();
    QCOMPARE(names, (QStringList{"file", "abc", "tz", "jgj2011", "trial2011", "kf", "help"}));
    QCOMPARE(program.main->findChild<QAction*>(D::menuCommand)->text(), QStringLiteral("JGJ 55-2011设计"));

    Design2011Window* first = program.open();
    QVERIFY(first);
    QCOMPARE(first->objectName(), QStringLiteral("design2011"));
    QCOMPARE(first->windowTitle(), QStringLiteral("普通混凝土配合比设计（JGJ 55-2011）"));
    QVERIFY(first->isWindow());
    QCOMPARE(first->windowModality(), Qt::NonModal);
    type(first, D::slump, QStringLiteral("120"));
    QCOMPARE(program.open(), first);
    int shown = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        shown += widget->objectName() == D::window && widget->isVisible();
    QCOMPARE(shown, 1);
    QCOMPARE(text(first, D::slump), QStringLiteral("120"));
    QVERIFY(program.main->isVisible());

    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!program.windows->window(D::window));
    QCOMPARE(text(program.open(), D::slump), QStringLiteral("180"));
    QVERIFY(program.prompter.lines().isEmpty());
}

void TestDesign2011Window::controlsOfTheirKinds_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind"); // line, list, box, label, button
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("initial"); // a box: on or off
    QTest::addColumn<QStringList>("items");

    const auto line = [](const char* name, const char* caption, const char* initial) {
        QTest::newRow(name) << QString(name) << "line" << QString(caption) << QString(initial)
                            << QStringList();
    };
    const auto list = [](const char* name, const char* caption, const char* initial,
                         const QStringList& items) {
        QTest::newRow(name) << QString(name) << "list" << QString(caption) << QString(initial) << items;
    };
    const auto box = [](const char* name, const char* caption, const char* initial) {
        QTest::newRow(name) << QString(name) << "box" << QString(caption) << QString(initial)
                            << QStringList();
    };
    list("grade", "强度等级", "C30",
         {"C10", "C15", "C20", "C25", "C30", "C35", "C40", "C45", "C50", "C55", "C60", "C65", "C70", "C75",
          "C80", "C85", "C90", "C95", "C100"});
    box("sigmaFromStatistics", "按统计资料确定σ", "off");
    line("sigma", "强度标准差σ (MPa)", "5.0");
    list("cementKind", "水泥品种", "普通硅酸盐水泥", {"普通硅酸盐水泥", "硅酸盐水泥"});
    list("cementClass", "水泥强度等级", "42.5", {"32.5", "42.5", "52.5"});
    line("gammaC", "富余系数γc", "1.16");
    line("fceMeasured", "水泥28d实测强度 (MPa)", "");
    list("maxSize", "碎石最大公称粒径 (mm)", "25", {"16", "20", "25", "31.5", "40"});
    line("slump", "坍落度 (mm)", "180");
    line("waterReduction", "外加剂减水率β (%)", "25");
    line("admixtureDosage", "外加剂掺量βa (%)", "2.0");
    line("flyAshPercent", "粉煤灰掺量βf (%)", "15");
    list("flyAshGrade", "粉煤灰等级", "Ⅱ级", {"Ⅰ级", "Ⅱ级"});
    line("gammaF", "粉煤灰影响系数γf", "0.90");
    line("slagPercent", "粒化高炉矿渣粉掺量βk (%)", "15");
    list("slagGrade", "矿渣粉等级", "S95", {"S75", "S95", "S105"});
    line("gammaS", "矿渣粉影响系数γs", "1.00");
    list("environment", "环境类别（GB 50010）", "二a", {"一", "二a", "二b", "三a", "三b"});
    box("airEntrained", "使用引气剂", "off");
    list("structure", "结构类别", "钢筋混凝土", {"素混凝土", "钢筋混凝土", "预应力混凝土"});
    box("pumped", "泵送混凝土", "on");
    list("densityMethod", "计算方法", "质量法", {"质量法", "体积法"});
    line("assumedDensity", "假定表观密度 (kg/m³)", "2400");
    line("densityCement", "水泥密度 (kg/m³)", "3100");
    line("densityFlyAsh", "粉煤灰密度 (kg/m³)", "2200");
    line("densitySlag", "矿渣粉密度 (kg/m³)", "2900");
    line("densitySand", "砂表观密度 (kg/m³)", "2650");
    line("densityStone", "碎石表观密度 (kg/m³)", "2700");
    line("airContent", "含气量α (%)", "1");
    line("wbOverride", "采用水胶比（可选）", "");
    line("sandRatioOverride", "采用砂率 %（可选）", "");
    line("trialVolume", "试配体积 (L)", "20");
    QTest::newRow("reportName") << "reportName"
                                << "line"
                                << "计算书文件名"
                                << "JGJ55-2011-" + QDate::currentDate().toString(QStringLiteral("yyyy-M-d"))
                                << QStringList();

    QTest::newRow("environmentText") << "environmentText"
                                     << "label" << QString() << kEnvironment2a << QStringList();
    QTest::newRow("gammaFRange") << "gammaFRange"
                                 << "label" << QString() << "表5.1.3：0.80～0.90" << QStringList();
    QTest::newRow("gammaSRange") << "gammaSRange"
                                 << "label" << QString() << "表5.1.3：0.98～1.00" << QStringList();
    QTest::newRow("reportStatus") << "reportStatus"
                                  << "label" << QString() << QString() << QStringList();
    QTest::newRow("note") << "note"
                          << "label" << QString()
                          << "本窗口按《普通混凝土配合比设计规程》JGJ 55-2011计算初步配合比（碎石混凝土），"
                             "结果须经试配、调整后方可使用。"
                          << QStringList();
    QTest::newRow("calculate") << "calculate"
                               << "button"
                               << "计算" << QString() << QStringList();
    QTest::newRow("saveReport") << "saveReport"
                                << "button"
                                << "保存计算书" << QString() << QStringList();
    QTest::newRow("openReport") << "openReport"
                                << "button"
                                << "查看计算书" << QString() << QStringList();
}

// Each control is one widget of its kind, with its caption, items and initial text; only sigma (its box off)
// is read-only among the fields, and no list takes typed text.
void TestDesign2011Window::controlsOfTheirKinds() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QString, initial);
    QFETCH(QStringList, items);
    Program program;
    QWidget* window = program.open();
    const QList<QWidget*> found = window->findChildren<QWidget*>(name);
    QCOMPARE(found.size(), 1);
    QWidget* widget = found.first();
    if (kind == "line") {
        auto* edit = qobject_cast<QLineEdit*>(widget);
        QVERIFY(edit);
        QCOMPARE(edit->text(), initial);
        QCOMPARE(edit->isReadOnly(), name == D::sigma);
    } else if (kind == "list") {
        auto* list = qobject_cast<QComboBox*>(widget);
        QVERIFY(list);
        QVERIFY(!list->isEditable());
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->itemText(i);
        QCOMPARE(shown, items);
        QCOMPARE(list->currentText(), initial);
    } else if (kind == "box") {
        auto* box = qobject_cast<QCheckBox*>(widget);
        QVERIFY(box);
        QCOMPARE(box->isChecked() ? QStringLiteral("on") : QStringLiteral("off"), initial);
    } else if (kind == "label") {
        auto* label = qobject_cast<QLabel*>(widget);
        QVERIFY(label);
        QCOMPARE(label->text(), initial);
    } else {
        QVERIFY(qobject_cast<QPushButton*>(widget));
    }
    if (!caption.isEmpty())
        QCOMPARE(::caption(window, widget), caption);
}

void TestDesign2011Window::resultsChecksAndTrialTableStartEmpty() {
    Program program;
    QWidget* window = program.open();
    for (const QString& name : kResults + kChecks) {
        auto* edit = control<QLineEdit>(window, name);
        QVERIFY2(edit, qPrintable(name));
        QVERIFY2(edit->isReadOnly(), qPrintable(name));
        QVERIFY2(edit->text().isEmpty(), qPrintable(name));
    }
    auto* table = control<QTableWidget>(window, D::trialTable);
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 16);
    QCOMPARE(table->columnCount(), 3);
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row)
        rows << table->verticalHeaderItem(row)->text();
    QCOMPARE(rows.mid(0, 9),
             (QStringList{"水胶比", "砂率 %", "水泥", "粉煤灰", "矿渣粉", "砂", "碎石", "水", "外加剂"}));
    for (int row = 9; row < 16; ++row)
        QVERIFY2(rows[row].contains(rows[row - 7]), qPrintable(rows[row]));
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("水胶比−0.05"));
    QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("设计配合比"));
    QCOMPARE(table->horizontalHeaderItem(2)->text(), QStringLiteral("水胶比+0.05"));
    for (int row = 0; row < 16; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QTableWidgetItem* cell = table->item(row, column);
            QVERIFY(!cell || cell->text().isEmpty());
            QVERIFY(!cell || !(cell->flags() & Qt::ItemIsEditable));
        }
    }
}

void TestDesign2011Window::sigmaFollowsGrade_data() {
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("sigma");
    QTest::newRow("C10") << "C10"
                         << "4.0";
    QTest::newRow("C20") << "C20"
                         << "4.0";
    QTest::newRow("C25") << "C25"
                         << "5.0";
    QTest::newRow("C45") << "C45"
                         << "5.0";
    QTest::newRow("C50") << "C50"
                         << "6.0";
    QTest::newRow("C55") << "C55"
                         << "6.0";
}

void TestDesign2011Window::sigmaFollowsGrade() {
    QFETCH(QString, grade);
    QFETCH(QString, sigma);
    Program program;
    QWidget* window = program.open();
    choose(window, D::grade, grade);
    QCOMPARE(text(window, D::sigma), sigma);
}

// The box on keeps the shown σ and lets it be typed, through grade changes; off, the table's σ again.
void TestDesign2011Window::sigmaFromStatisticsIsTyped() {
    Program program;
    QWidget* window = program.open();
    auto* sigma = control<QLineEdit>(window, D::sigma);
    tick(window, D::sigmaFromStatistics);
    QVERIFY(control<QCheckBox>(window, D::sigmaFromStatistics)->isChecked());
    QCOMPARE(sigma->text(), QStringLiteral("5.0"));
    QVERIFY(!sigma->isReadOnly());
    type(window, D::sigma, QStringLiteral("3.5"));
    choose(window, D::grade, QStringLiteral("C50"));
    QCOMPARE(sigma->text(), QStringLiteral("3.5"));
    tick(window, D::sigmaFromStatistics);
    QCOMPARE(sigma->text(), QStringLiteral("6.0"));
    QVERIFY(sigma->isReadOnly());
}

void TestDesign2011Window::gammaCFollowsCementClass_data() {
    QTest::addColumn<QString>("cementClass");
    QTest::addColumn<QString>("gammaC");
    QTest::newRow("32.5") << "32.5"
                          << "1.12";
    QTest::newRow("52.5") << "52.5"
                          << "1.10";
}

void TestDesign2011Window::gammaCFollowsCementClass() {
    QFETCH(QString, cementClass);
    QFETCH(QString, gammaC);
    Program program;
    QWidget* window = program.open();
    type(window, D::gammaC, QStringLiteral("1.2"));
    choose(window, D::cementClass, cementClass);
    QCOMPARE(text(window, D::gammaC), gammaC);
}

void TestDesign2011Window::gammaFFollowsTypedDosage_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("gammaF");
    QTest::addColumn<QString>("range");
    QTest::newRow("15 %") << "15"
                          << "0.90"
                          << "表5.1.3：0.80～0.90";
    QTest::newRow("between rows") << "25"
                                  << "0.80"
                                  << "表5.1.3：0.70～0.80";
    QTest::newRow("last row") << "40"
                              << "0.65"
                              << "表5.1.3：0.55～0.65";
    QTest::newRow("none") << "0"
                          << "1.00"
                          << "表5.1.3：1.00～1.00";
    QTest::newRow("beyond the table") << "45"
                                      << ""
                                      << "表5.1.3：应经试验确定";
    // Texts that are no dosage change nothing; the initial 15 % stays.
    QTest::newRow("negative") << "-3"
                              << "0.90"
                              << "表5.1.3：0.80～0.90";
    QTest::newRow("letters") << "abc"
                             << "0.90"
                             << "表5.1.3：0.80～0.90";
    QTest::newRow("a percent sign after 30") << "30%"
                                             << "0.75"
                                             << "表5.1.3：0.65～0.75";
}

// Typed key by key, as the engineer types: the coefficient follows every keystroke.
void TestDesign2011Window::gammaFFollowsTypedDosage() {
    QFETCH(QString, typed);
    QFETCH(QString, gammaF);
    QFETCH(QString, range);
    Program program;
    QWidget* window = program.open();
    type(window, D::flyAshPercent, typed);
    QCOMPARE(text(window, D::gammaF), gammaF);
    QCOMPARE(text(window, D::gammaFRange), range);
}

void TestDesign2011Window::gammaSFollowsDosageAndGrade_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("gammaS");
    QTest::addColumn<QString>("range");
    QTest::newRow("S75 at 15 %: lower") << "15"
                                        << "S75"
                                        << "0.98"
                                        << "表5.1.3：0.98～1.00";
    QTest::newRow("S95 at 15 %: upper") << "15"
                                        << "S95"
                                        << "1.00"
                                        << "表5.1.3：0.98～1.00";
    QTest::newRow("S105 at 15 %: upper + 0.05") << "15"
                                                << "S105"
                                                << "1.05"
                                                << "表5.1.3：0.98～1.00";
    QTest::newRow("S105 at 40 %") << "40"
                                  << "S105"
                                  << "0.95"
                                  << "表5.1.3：0.80～0.90";
    QTest::newRow("S75 at 50 %") << "50"
                                 << "S75"
                                 << "0.70"
                                 << "表5.1.3：0.70～0.85";
    QTest::newRow("S75 at 0 %") << "0"
                                << "S75"
                                << "1.00"
                                << "表5.1.3：1.00～1.00";
    QTest::newRow("S105 at 0 %") << "0"
                                 << "S105"
                                 << "1.00"
                                 << "表5.1.3：1.00～1.00";
    QTest::newRow("beyond the table") << "60"
                                      << "S105"
                                      << ""
                                      << "表5.1.3：应经试验确定";
    QTest::newRow("letters change nothing") << "x"
                                            << "S95"
                                            << "1.00"
                                            << "表5.1.3：0.98～1.00";
}

// Both orders: the grade chosen after the dosage is typed, and the dosage typed after the grade is chosen.
void TestDesign2011Window::gammaSFollowsDosageAndGrade() {
    QFETCH(QString, typed);
    QFETCH(QString, grade);
    QFETCH(QString, gammaS);
    QFETCH(QString, range);
    for (const bool gradeFirst : {false, true}) {
        Program program;
        QWidget* window = program.open();
        if (gradeFirst)
            choose(window, D::slagGrade, grade);
        type(window, D::slagPercent, typed);
        if (!gradeFirst)
            choose(window, D::slagGrade, grade);
        QCOMPARE(text(window, D::gammaS), gammaS);
        QCOMPARE(text(window, D::gammaSRange), range);
    }
}

void TestDesign2011Window::trialVolumeFollowsMaxSize() {
    Program program;
    QWidget* window = program.open();
    choose(window, D::maxSize, QStringLiteral("40"));
    QCOMPARE(text(window, D::trialVolume), QStringLiteral("25"));
    choose(window, D::maxSize, QStringLiteral("31.5"));
    QCOMPARE(text(window, D::trialVolume), QStringLiteral("20"));
}

void TestDesign2011Window::environmentTextFollowsCategory_data() {
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("description");
    QTest::newRow("一") << "一"
                        << "室内干燥环境；无侵蚀性静水浸没环境";
    QTest::newRow("二b") << "二b"
                         << "干湿交替环境；水位频繁变动环境；严寒和寒冷地区的露天环境";
    QTest::newRow("三a") << "三a"
                         << "严寒和寒冷地区冬季水位变动区环境；受除冰盐影响环境；海风环境";
    QTest::newRow("三b") << "三b"
                         << "盐渍土环境；受除冰盐作用环境；海岸环境";
}

void TestDesign2011Window::environmentTextFollowsCategory() {
    QFETCH(QString, category);
    QFETCH(QString, description);
    Program program;
    QWidget* window = program.open();
    choose(window, D::environment, category);
    QCOMPARE(text(window, D::environmentText), description);
    choose(window, D::environment, QStringLiteral("二a"));
    QCOMPARE(text(window, D::environmentText), kEnvironment2a);
}

// 体积法 enables its six fields and disables the assumed density, captions with them; texts stay.
void TestDesign2011Window::methodEnablesItsFields() {
    Program program;
    QWidget* window = program.open();
    const auto enabled = [window](const QString& name) {
        QWidget* field = control<QWidget>(window, name);
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->buddy() == field && label->isEnabled() != field->isEnabled())
                return QStringLiteral("caption differs");
        }
        return field->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled");
    };
    for (const bool volume : {false, true, false}) {
        choose(window, D::densityMethod, volume ? QStringLiteral("体积法") : QStringLiteral("质量法"));
        const QString on = QStringLiteral("enabled");
        const QString off = QStringLiteral("disabled");
        QCOMPARE(enabled(D::assumedDensity), volume ? off : on);
        for (const QString& name : {D::densityCement, D::densityFlyAsh, D::densitySlag, D::densitySand,
                                    D::densityStone, D::airContent})
            QCOMPARE(enabled(name), volume ? on : off);
        QCOMPARE(text(window, D::assumedDensity), QStringLiteral("2400"));
        QCOMPARE(text(window, D::densityStone), QStringLiteral("2700"));
    }
}

// 计算 writes the results, the checks in their colours and the trial table; a refusal shows its box and
// keeps every result.
void TestDesign2011Window::calculateWritesOrRefuses() {
    Program program;
    QWidget* window = program.open();
    QTest::mouseClick(control<QPushButton>(window, D::calculate), Qt::LeftButton);
    QCOMPARE(text(window, D::sigmaUsed), QStringLiteral("5.0"));
    QCOMPARE(text(window, D::wb), QStringLiteral("0.55"));
    QCOMPARE(text(window, D::sand), QStringLiteral("801"));
    QCOMPARE(control<QTableWidget>(window, D::trialTable)->item(0, 1)->text(), QStringLiteral("0.55"));
    QCOMPARE(control<QTableWidget>(window, D::trialTable)->item(15, 0)->text(), QStringLiteral("0.140"));
    for (const QString& name : kChecks)
        QVERIFY2(!isRedText(control<QLineEdit>(window, name)), qPrintable(name));

    choose(window, D::grade, QStringLiteral("C20"));
    choose(window, D::environment, QStringLiteral("三a"));
    QTest::mouseClick(control<QPushButton>(window, D::calculate), Qt::LeftButton);
    QVERIFY(isRedText(control<QLineEdit>(window, D::checkGrade)));
    QVERIFY(!isRedText(control<QLineEdit>(window, D::checkBinder)));
    const QString wb = text(window, D::wb);

    type(window, D::slump, QStringLiteral("abc"));
    program.prompter.queueAnswer(MessageButton::Ok);
    QTest::mouseClick(control<QPushButton>(window, D::calculate), Qt::LeftButton);
    QCOMPARE(program.prompter.lines().last(),
             QStringLiteral("MSGBOX icon=stop buttons=Ok title=\"普通混凝土配合比设计\" "
                            "text=\"“坍落度 (mm)”应为 10～250 之间的数值。\" -> OK"));
    // The typed text emptied the results, which no longer follow the inputs; the refusal changed nothing.
    QVERIFY(!wb.isEmpty());
    QCOMPARE(text(window, D::wb), QString());
    QCOMPARE(text(window, D::checkGrade), QString());
    QVERIFY(!dynamic_cast<Design2011Window*>(window)->form().hasCalculation());
}

void TestDesign2011Window::everyInputButReportNameDropsTheCalculation_data() {
    QTest::addColumn<QString>("name");
    for (const QString& name : kInputs)
        QTest::newRow(qPrintable(name)) << name;
}

// After a calculation, any change of an input means the fields no longer hold its results; the report name
// is no input of the calculation.
void TestDesign2011Window::everyInputButReportNameDropsTheCalculation() {
    QFETCH(QString, name);
    Program program;
    auto* window = program.open();
    QTest::mouseClick(control<QPushButton>(window, D::calculate), Qt::LeftButton);
    QVERIFY(window->form().hasCalculation());
    QWidget* input = control<QWidget>(window, name);
    if (auto* list = qobject_cast<QComboBox*>(input))
        choose(window, name, list->itemText((list->currentIndex() + 1) % list->count()));
    else if (auto* box = qobject_cast<QCheckBox*>(input))
        box->click();
    else
        qobject_cast<QLineEdit*>(input)->setText(QStringLiteral("7"));
    QCOMPARE(window->form().hasCalculation(), name == D::reportName);
}

// 保存计算书 needs a calculation of the present inputs (the report name is none of them); 查看计算书 opens
// the sheet saved last.
void TestDesign2011Window::sheetCommandsFollowTheCalculation() {
    Program program;
    QWidget* window = program.open();
    QDir(program.paths().root()).mkpath(QStringLiteral("mb"));
    QFile sheetTemplate(program.paths().root() + QStringLiteral("mb/") + Design2011Report::templateName());
    QVERIFY(sheetTemplate.open(QIODevice::WriteOnly));
    sheetTemplate.close();
    const auto click = [window](const QString& name) {
        QTest::mouseClick(control<QPushButton>(window, name), Qt::LeftButton);
    };
    const auto refused = [&program](const QString& text) {
        return program.prompter.lines().last() ==
               QStringLiteral("MSGBOX icon=stop buttons=Ok title=\"普通混凝土配合比设计\" text=\"%1\" -> OK")
                   .arg(text);
    };
    const QString first = text(window, D::reportName);

    program.prompter.queueAnswer(MessageButton::Ok);
    click(D::saveReport);
    QVERIFY(refused(QStringLiteral("请先点击“计算”。")));
    program.prompter.queueAnswer(MessageButton::Ok);
    click(D::openReport);
    QVERIFY(refused(QStringLiteral("请先保存计算书。")));

    click(D::calculate);
    click(D::saveReport);
    QCOMPARE(text(window, D::reportStatus), QStringLiteral("已保存：%1.xls、%1.pdf").arg(first));
    type(window, D::reportName, QStringLiteral("other"));
    click(D::saveReport);
    QCOMPARE(text(window, D::reportStatus), QStringLiteral("已保存：other.xls、other.pdf"));

    type(window, D::slump, QStringLiteral("170"));
    type(window, D::reportName, QStringLiteral("third"));
    program.prompter.queueAnswer(MessageButton::Ok);
    click(D::saveReport);
    QVERIFY(refused(QStringLiteral("请先点击“计算”。")));
    click(D::openReport);
    QCOMPARE(program.launcher.lines().last(),
             QStringLiteral("OPENURL ") +
                 QUrl::fromLocalFile(program.paths().root() + QStringLiteral("other.pdf")).toString());
    QCOMPARE(program.prompter.pendingAnswers(), 0);
}

// Tab goes through the inputs in reading order, then 计算, the results, the table, the checks and the sheet.
// C60 and above: σ is emptied and disabled with its box; a lower grade gives them back.
void TestDesign2011Window::highStrengthTakesNoSigma() {
    Program program;
    QWidget* window = program.open();
    choose(window, D::grade, QStringLiteral("C60"));
    QCOMPARE(text(window, D::sigma), QString());
    QVERIFY(!control<QLineEdit>(window, D::sigma)->isEnabled());
    QVERIFY(!control<QCheckBox>(window, D::sigmaFromStatistics)->isEnabled());
    choose(window, D::grade, QStringLiteral("C40"));
    QCOMPARE(text(window, D::sigma), QStringLiteral("5.0"));
    QVERIFY(control<QLineEdit>(window, D::sigma)->isEnabled());
    QVERIFY(control<QCheckBox>(window, D::sigmaFromStatistics)->isEnabled());
}

void TestDesign2011Window::tabOrderFollowsReading() {
    Program program;
    QWidget* window = program.open();
    QStringList expected = kInputs.mid(0, kInputs.size() - 1);
    expected << D::calculate << kResults.mid(0, kResults.size() - 2) << D::trialTable
             << kResults.mid(kResults.size() - 2) << kChecks << D::reportName << D::saveReport
             << D::openReport;
    QStringList chain;
    QWidget* widget = control<QWidget>(window, D::grade);
    do {
        if (expected.contains(widget->objectName()))
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != control<QWidget>(window, D::grade));
    QCOMPARE(chain, expected);
}

// At 1366×768, frame and a panel taken off, the window shows every control whole, without scrolling; it
// opens at its natural size, centred.
void TestDesign2011Window::fitsTheSmallScreenCentred() {
    Program program;
    QWidget* window = program.open();
    const QRect area = window->screen()->availableGeometry();
    QCOMPARE(area.size(), QSize(1366, 768));
    const QSize room = area.size() - QSize(kFrameWidth, kFrameHeight + kPanelHeight);
    QVERIFY2(window->minimumSizeHint().width() <= room.width() &&
                 window->minimumSizeHint().height() <= room.height(),
             qPrintable(QStringLiteral("%1x%2")
                            .arg(window->minimumSizeHint().width())
                            .arg(window->minimumSizeHint().height())));
    QCOMPARE(window->size(), window->sizeHint());
    // Centred as far as the frame, known only once the window shows, lets it be.
    const QRect frame = window->frameGeometry();
    QVERIFY(area.contains(frame));
    QVERIFY(qAbs(frame.center().x() - area.center().x()) <= frame.width() - window->width() + 1);
    QVERIFY(qAbs(frame.center().y() - area.center().y()) <= frame.height() - window->height() + 1);
    QVERIFY(frame.top() - area.top() >= kFrameHeight);

    QTest::mouseClick(control<QPushButton>(window, D::calculate), Qt::LeftButton);
    window->resize(window->minimumSizeHint());
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCoreApplication::processEvents();
    for (const QScrollBar* bar : window->findChildren<QScrollBar*>())
        QVERIFY(!bar->isVisible());
    const QRect inside = window->rect();
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->objectName().isEmpty() || !widget->isVisibleTo(window) ||
            widget->objectName().startsWith("qt_"))
            continue;
        const QRect placed(widget->mapTo(window, QPoint(0, 0)), widget->size());
        QVERIFY2(inside.contains(placed), qPrintable(widget->objectName()));
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            const bool fits = label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                                : label->fontMetrics().horizontalAdvance(label->text()) <=
                                                      label->contentsRect().width();
            QVERIFY2(fits, qPrintable(widget->objectName() + QStringLiteral(" is clipped")));
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            QVERIFY2(button->sizeHint().width() <= button->width(),
                     qPrintable(widget->objectName() + QStringLiteral(" is clipped")));
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && !edit->text().isEmpty()) {
            QVERIFY2(edit->fontMetrics().horizontalAdvance(edit->text()) <= edit->width() - 8,
                     qPrintable(widget->objectName() + QStringLiteral(" cuts its text")));
        }
    }
    auto* table = control<QTableWidget>(window, D::trialTable);
    QVERIFY(table->verticalHeader()->length() <= table->viewport()->height());
    QVERIFY(table->horizontalHeader()->length() <= table->viewport()->width());
}

int main(int argc, char** argv) { return runOnLaptopScreen<TestDesign2011Window>(argc, argv); }

#include "test_design2011_window.moc"
