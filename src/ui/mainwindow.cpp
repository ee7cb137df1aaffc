#include "ui/mainwindow.h"

#include "adjust/tiaozheng.h"
#include "common/installpaths.h"
#include "common/launcher.h"
#include "design/form1.h"
#include "design/tables.h"
#include "design2011/design2011controls.h"
#include "info/infocontrols.h"
#include "info/links.h"
#include "report/reportexport.h"
#include "trial2011/trial2011controls.h"
#include "ui/admixturewindow.h"
#include "ui/banner.h"
#include "ui/busycursor.h"
#include "ui/commandguard.h"
#include "ui/eventhooks.h"
#include "ui/referencetable.h"
#include "ui/windowmanager.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

namespace {

// Column and row grid of the window, in pixels.
constexpr int kTop = 100;       // first input and result row
constexpr int kRow = 30;        // row pitch
constexpr int kInputLabelX = 8; // input captions
constexpr int kInputX = 138;    // input fields
constexpr int kResultLabelX = 362;
constexpr int kColumn1X = 466;
constexpr int kColumn2X = 562;
constexpr int kColumnW = 92;
constexpr int kStepButtonX = 662;
constexpr int kReferenceX = 772;
constexpr int kPictureX = 1010;

int row(int i) { return kTop + i * kRow; }

} // namespace

MainWindow::MainWindow(WindowManager& windows, QWidget* parent)
    : QMainWindow(parent), m_windows(windows), m_canvas(new QWidget(this)), m_fields(this),
      m_design(m_fields, windows.context().prompter) {
    setObjectName(Form1::window);
    setWindowTitle(QStringLiteral("普通混凝土配合比设计（JGJ 55-2000）"));
    m_canvas->setObjectName(QStringLiteral("canvas"));
    buildControls();
    // The controls keep their places on a canvas of their extent, which stands in the middle of a window
    // larger than it (maximised on a large screen).
    const QRect used = m_canvas->childrenRect();
    m_canvas->setFixedSize(QSize(1356, 560).expandedTo(QSize(used.right() + 1, used.bottom() + 1)));
    auto* centre = new QWidget(this);
    auto* layout = new QGridLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_canvas, 0, 0, Qt::AlignCenter);
    setCentralWidget(centre);
    buildMenus();
    bindControls();
    // Where the last saved report went, until the next command.
    statusBar()->setObjectName(Form1::statusLine);
    m_design.load(windows.context().today());
    setWindowState(Qt::WindowMaximized);
}

QLabel* MainWindow::addLabel(const QString& name, const QString& text, int x, int y, int w, int h) {
    auto* label = new QLabel(text, m_canvas);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(x, y, w, h);
    return label;
}

QLineEdit* MainWindow::addField(const QString& name, const QString& text, int x, int y, int w, int h) {
    auto* field = new QLineEdit(text, m_canvas);
    field->setObjectName(name);
    field->setGeometry(x, y, w, h);
    return field;
}

QComboBox* MainWindow::addCombo(const QString& name, const QStringList& items, const QString& text, int x,
                                int y, int w, int h) {
    auto* combo = new QComboBox(m_canvas);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setEditText(text);
    combo->setGeometry(x, y, w, h);
    return combo;
}

QPushButton* MainWindow::addButton(const QString& name, const QString& caption, int x, int y, int w, int h) {
    auto* button = new QPushButton(caption, m_canvas);
    button->setObjectName(name);
    button->setGeometry(x, y, w, h);
    return button;
}

void MainWindow::buildControls() {
    // Title band.
    QLabel* title = addLabel(Form1::titleLabel, QStringLiteral("普通混凝土配合比设计计算"), 8, 6, 520, 34);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.7);
    titleFont.setBold(true);
    title->setFont(titleFont);
    addLabel(Form1::subtitleLabel,
             QStringLiteral(
                 "碎石混凝土、不掺外加剂，按《普通混凝土配合比设计规程》计算每立方米混凝土的初步配合比"),
             8, 46, 760, 22);
    auto* banner = new Banner(m_canvas);
    banner->setObjectName(Form1::banner);
    banner->setGeometry(792, 8, 213, 66);

    // Inputs.
    addCombo(Form1::gradeRange, gradeRanges(), QStringLiteral("C20-C35"), kInputLabelX, row(0), 100);
    addLabel(Form1::sigmaLabel, QStringLiteral("混凝土强度标准差"), 114, row(0), 112);
    addField(Form1::sigma, QStringLiteral("5"), 228, row(0), 60);
    addLabel(Form1::gradeStrengthLabel, QStringLiteral("试配强度输入数值"), kInputLabelX, row(1), 126);
    addField(Form1::gradeStrength, QStringLiteral("30"), kInputX, row(1), 80);
    addLabel(Form1::gradeStrengthUnit, QStringLiteral("单位：( MPa )"), 224, row(1), 110);
    addLabel(Form1::cementGradeLabel, QStringLiteral("水泥强度"), kInputLabelX, row(2), 126);
    addField(Form1::cementGrade, QStringLiteral("42.5"), kInputX, row(2), 80);
    addLabel(Form1::cementGradeUnit, QStringLiteral("单位：( MPa )"), 224, row(2), 110);
    addLabel(Form1::cementFactorLabel, QStringLiteral("水泥富裕系数"), kInputLabelX, row(3), 126);
    addField(Form1::cementFactor, QStringLiteral("1.13"), kInputX, row(3), 80);
    addLabel(Form1::slumpLabel, QStringLiteral("坍落度"), kInputLabelX, row(4), 126);
    addCombo(Form1::slump, slumpRanges(), QStringLiteral("35-50"), kInputX, row(4), 72);
    addLabel(Form1::stoneSizeLabel, QStringLiteral("碎石最大粒径"), 214, row(4), 84);
    addCombo(Form1::stoneSize, stoneSizes(), QStringLiteral("31.5"), 298, row(4), 58);
    addLabel(Form1::coefficientALabel, QStringLiteral("系数a"), kInputLabelX, row(5), 126);
    addCombo(Form1::coefficientA, {QStringLiteral("0.46")}, QStringLiteral("0.46"), kInputX, row(5), 72);
    addLabel(Form1::coefficientBLabel, QStringLiteral("系数b"), 214, row(5), 84);
    addCombo(Form1::coefficientB, {QStringLiteral("0.07")}, QStringLiteral("0.07"), 298, row(5), 58);
    addLabel(Form1::densityLabel, QStringLiteral("表观密度"), kInputLabelX, row(6), 126);
    addCombo(Form1::density,
             {QStringLiteral("2350"), QStringLiteral("2400"), QStringLiteral("2450"), QStringLiteral("2500")},
             QStringLiteral("2400"), kInputX, row(6), 80);
    addLabel(Form1::environmentLabel, QStringLiteral("砼所处的环境条件"), kInputLabelX, row(7), 126);
    addCombo(Form1::environment, environments(), QStringLiteral("干燥环境"), kInputX, row(7), 218);
    addLabel(Form1::reinforcementLabel, QStringLiteral("是否配筋"), kInputLabelX, row(8), 126);
    addCombo(Form1::reinforcement, reinforcements(), QStringLiteral("素混凝土"), kInputX, row(8), 140);

    // Checks and the proportion line, under the inputs.
    const int checkTop = row(9) + 14;
    addLabel(Form1::sigmaCheckLabel, QStringLiteral("砼强度标准差验证："), kInputLabelX, checkTop, 126);
    addField(Form1::sigmaCheck, QString(), kInputX, checkTop, 218);
    addLabel(Form1::ratioCheckLabel, QStringLiteral("最大水灰比验证："), kInputLabelX, checkTop + kRow, 126);
    addField(Form1::ratioCheck, QString(), kInputX, checkTop + kRow, 218);
    addLabel(Form1::cementCheckLabel, QStringLiteral("最小水泥用量验证："), kInputLabelX, checkTop + 2 * kRow,
             126);
    addField(Form1::cementCheck, QString(), kInputX, checkTop + 2 * kRow, 218);
    addLabel(Form1::proportionLabel, QStringLiteral("水泥混凝土配合比："), kInputLabelX, checkTop + 3 * kRow,
             126);
    addField(Form1::proportion, QString(), kInputX, checkTop + 3 * kRow, 218);
    addLabel(Form1::basisLabel, QStringLiteral("试验依据："), kInputLabelX, checkTop + 4 * kRow + 8, 72);
    addLabel(Form1::basisText, QStringLiteral(" JGJ55-2000 J64-2000"), 80, checkTop + 4 * kRow + 8, 160);

    // The two result columns.
    const QStringList captions = {
        QStringLiteral("试配强度"), QStringLiteral("混凝土强度标准差"), QStringLiteral("水泥实际强度"),
        QStringLiteral("水灰比"),   QStringLiteral("用水量"),           QStringLiteral("水泥用量"),
        QStringLiteral("砂率"),     QStringLiteral("用砂量"),           QStringLiteral("碎石用量")};
    const QStringList rowLabels = Form1::resultRowLabels();
    const QStringList automatic = Form1::automaticColumn();
    const QStringList stepwise = Form1::stepwiseColumn();
    addLabel(QString(), QStringLiteral("全自动计算"), kColumn1X, kTop - 24, kColumnW)
        ->setAlignment(Qt::AlignCenter);
    addLabel(QString(), QStringLiteral("分步计算"), kColumn2X, kTop - 24, kColumnW)
        ->setAlignment(Qt::AlignCenter);
    for (int i = 0; i < 9; ++i) {
        addLabel(rowLabels[i], captions[i], kResultLabelX, row(i), 102);
        addField(automatic[i], QString(), kColumn1X, row(i), kColumnW);
        addField(stepwise[i], QString(), kColumn2X, row(i), kColumnW);
    }
    addButton(Form1::automaticButton, QStringLiteral("全自动计算"), kColumn1X, row(9), kColumnW);
    addButton(Form1::completeButton, QStringLiteral("完成计算"), kColumn2X, row(9), kColumnW);
    addButton(Form1::waterStepButton, QStringLiteral("确定用水量"), kStepButtonX, row(4) - 2, 104);
    addButton(Form1::admixtureButton, QStringLiteral("掺外加剂用水量"), kStepButtonX, row(5) - 2, 104);
    addButton(Form1::sandRatioStepButton, QStringLiteral("确定砂率"), kStepButtonX, row(6) - 2, 104);
    addLabel(Form1::referenceWaterLabel, QStringLiteral("参考用水量："), kReferenceX, row(4), 84);
    addField(Form1::referenceWater, QString(), kReferenceX + 84, row(4), 56);
    addLabel(Form1::importWaterLabel, QStringLiteral("<<<双击导入"), kReferenceX + 144, row(4), 84);
    addLabel(Form1::referenceSandRatioLabel, QStringLiteral("参考砂率："), kReferenceX, row(6), 84);
    addField(Form1::referenceSandRatio, QString(), kReferenceX + 84, row(6), 56);
    addLabel(Form1::importSandRatioLabel, QStringLiteral("<<<双击导入"), kReferenceX + 144, row(6), 84);

    // The mix line under the result columns.
    addField(Form1::mixLine, QString(), kResultLabelX, row(10) + 4, kPictureX - 8 - kResultLabelX);

    // Exports under the columns; file name and date beside them.
    const int exportTop = row(11) + 14;
    addButton(Form1::showAutomaticButton, QStringLiteral("导入EXCEL"), kColumn1X, exportTop, kColumnW);
    addButton(Form1::showStepwiseButton, QStringLiteral("导入EXCEL"), kColumn2X, exportTop, kColumnW);
    addButton(Form1::saveAutomaticButton, QStringLiteral("文件保存为"), kColumn1X, exportTop + 34, kColumnW);
    addButton(Form1::saveStepwiseButton, QStringLiteral("文件保存为"), kColumn2X, exportTop + 34, kColumnW);
    addLabel(Form1::dateLabel, QStringLiteral("日期："), kStepButtonX, exportTop + 2, 44);
    addLabel(Form1::dateTag, QString(), kStepButtonX + 44, exportTop + 2, 130);
    addLabel(Form1::completeNameLabel, QStringLiteral("<<<双击导入"), kStepButtonX + 178, exportTop + 2, 84);
    addField(Form1::fileName, QString(), kStepButtonX, exportTop + 36, 262);
    addField(Form1::sentAdmixtureWater, QString(), kStepButtonX, exportTop + 36, 262)->hide();
    addLabel(Form1::saveHintLabel,
             QStringLiteral("保存在（\"") + InstallPaths::displayRoot() + QStringLiteral("XXXX.xls\"）"),
             kStepButtonX, exportTop + 66, 262);

    // The reference tables of the standard.
    auto* water =
        new ReferenceTable(QStringLiteral("塑性混凝土的用水量（kg/m³）"), waterTableRows(), m_canvas);
    water->setObjectName(Form1::waterTable);
    water->setGeometry(kPictureX, kTop, 343, 180);
    auto* sand =
        new ReferenceTable(QStringLiteral("塑性混凝土的用砂率（%）"), sandRatioTableRows(), m_canvas);
    sand->setObjectName(Form1::sandRatioTable);
    sand->setGeometry(kPictureX, kTop + 200, 340, 180);
}

void MainWindow::buildMenus() {
    const CommandGuard guarded(m_windows.context());
    auto addAction = [this, &guarded](QMenu* menu, const QString& name, const QString& caption,
                                      void (MainWindow::*slot)()) {
        QAction* action = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, &MainWindow::clearStatus);
        connect(action, &QAction::triggered, this, guarded(this, slot));
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件"));
    file->menuAction()->setObjectName(QStringLiteral("file"));
    addAction(file, QStringLiteral("exit"), QStringLiteral("退出"), &MainWindow::exit_Click);
    QMenu* statement = menuBar()->addMenu(QStringLiteral("声明"));
    statement->menuAction()->setObjectName(QStringLiteral("abc"));
    addAction(statement, QStringLiteral("about"), QStringLiteral("重要声明"), &MainWindow::about_Click);
    addAction(statement, QStringLiteral("xie"), QStringLiteral("安装协议"), &MainWindow::xie_Click);
    addAction(nullptr, QStringLiteral("tz"), QStringLiteral("配合比调整"), &MainWindow::tz_Click);
    addAction(nullptr, Design2011::menuCommand, QStringLiteral("JGJ 55-2011设计"),
              &MainWindow::jgj2011_Click);
    addAction(nullptr, Trial2011::menuCommand, QStringLiteral("JGJ 55-2011试配"),
              &MainWindow::trial2011_Click);
    addAction(nullptr, QStringLiteral("kf"), QStringLiteral("客服信息"), &MainWindow::kf_Click);
    addAction(nullptr, QStringLiteral("help"), QStringLiteral("帮助"), &MainWindow::help_Click);
}

void MainWindow::bindControls() {
    const CommandGuard guarded(m_windows.context());
    const auto bindButton = [this, &guarded](const QString& name, void (MainWindow::*slot)()) {
        connect(control<QPushButton>(name), &QPushButton::clicked, this, &MainWindow::clearStatus);
        connect(control<QPushButton>(name), &QPushButton::clicked, this, guarded(this, slot));
    };
    bindButton(Form1::automaticButton, &MainWindow::Command1_Click);
    bindButton(Form1::waterStepButton, &MainWindow::Command3_Click);
    bindButton(Form1::sandRatioStepButton, &MainWindow::Command4_Click);
    bindButton(Form1::completeButton, &MainWindow::Command5_Click);
    bindButton(Form1::saveAutomaticButton, &MainWindow::Command10_Click);
    bindButton(Form1::saveStepwiseButton, &MainWindow::Command11_Click);
    bindButton(Form1::showAutomaticButton, &MainWindow::Command12_Click);
    bindButton(Form1::showStepwiseButton, &MainWindow::Command13_Click);
    bindButton(Form1::admixtureButton, &MainWindow::Command14_Click);
    onFocusOut(control<QComboBox>(Form1::gradeRange), guarded(this, &MainWindow::Combo1_LostFocus));
    onClick(control<QLabel>(Form1::importWaterLabel), guarded(this, &MainWindow::Label36_Click));
    onClick(control<QLabel>(Form1::importSandRatioLabel), guarded(this, &MainWindow::Label37_Click));
    onClick(control<QLabel>(Form1::completeNameLabel), guarded(this, &MainWindow::Label38_Click));
    onDoubleClick(control<QLineEdit>(Form1::referenceWater), guarded(this, &MainWindow::Text26_DblClick));
    onDoubleClick(control<QLineEdit>(Form1::referenceSandRatio), guarded(this, &MainWindow::Text27_DblClick));
    onDoubleClick(control<QLabel>(Form1::dateTag), guarded(this, &MainWindow::Label28_DblClick));
    onClick(findChild<QWidget*>(Form1::banner), guarded(this, &MainWindow::Picture3_Click));
}

void MainWindow::Command1_Click() { m_design.automaticDesign(); }
void MainWindow::Command3_Click() { m_design.waterStep(); }
void MainWindow::Command4_Click() { m_design.sandRatioStep(); }
void MainWindow::Command5_Click() { m_design.completeStepwise(); }

void MainWindow::Command10_Click() { exportReport(&ReportExport::saveAutomaticReport); }
void MainWindow::Command11_Click() { exportReport(&ReportExport::saveStepwiseReport); }
void MainWindow::Command12_Click() { exportReport(&ReportExport::showAutomaticReport); }
void MainWindow::Command13_Click() { exportReport(&ReportExport::showStepwiseReport); }

void MainWindow::exportReport(bool (ReportExport::*command)()) {
    const AppContext& context = m_windows.context();
    const QString name = m_fields.text(Form1::fileName);
    bool saved = false;
    {
        const BusyCursor busy;
        ReportExport exporter(m_fields, context.prompter, context.spreadsheets, context.paths, context.today);
        saved = (exporter.*command)();
    }
    if (saved)
        statusBar()->showMessage(ReportExport::savedStatus(name));
}

// Opens (or brings forward) the admixture window, then hands it the reference water content.
void MainWindow::Command14_Click() {
    if (AdmixtureWindow* admixture = m_windows.openAdmixture())
        admixture->receiveBaseWater(m_fields.text(Form1::referenceWater));
}

void MainWindow::clearStatus() { statusBar()->clearMessage(); }

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(event);
}

void MainWindow::Combo1_LostFocus() { m_design.gradeRangeLeft(); }
void MainWindow::Label36_Click() { m_design.importWater(); }
void MainWindow::Text26_DblClick() { m_design.importWater(); }
void MainWindow::Label37_Click() { m_design.importSandRatio(); }
void MainWindow::Text27_DblClick() { m_design.importSandRatio(); }
void MainWindow::Label38_Click() { m_design.completeFileName(); }
void MainWindow::Label28_DblClick() { m_design.completeFileName(); }

void MainWindow::Picture3_Click() {
    const AppContext& context = m_windows.context();
    openProgramPage(context.launcher, context.paths);
}

// As the close button: the program ends when no other window of it is open.
void MainWindow::exit_Click() { close(); }

void MainWindow::about_Click() { m_windows.open(Form2::window); }
void MainWindow::xie_Click() { m_windows.open(Form5::window); }
void MainWindow::tz_Click() { m_windows.open(Tiaozheng::window); }
void MainWindow::jgj2011_Click() { m_windows.open(Design2011::window); }
void MainWindow::trial2011_Click() { m_windows.open(Trial2011::window); }
void MainWindow::kf_Click() { m_windows.open(Form7::window); }

void MainWindow::help_Click() {
    const AppContext& context = m_windows.context();
    runHelp(context.launcher, context.paths, [this] { m_windows.open(Form6::window); });
}
