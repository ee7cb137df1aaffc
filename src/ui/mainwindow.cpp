#include "ui/mainwindow.h"

#include "common/installpaths.h"
#include "common/launcher.h"
#include "info/links.h"
#include "report/reportexport.h"
#include "ui/admixturewindow.h"
#include "ui/banner.h"
#include "ui/eventhooks.h"
#include "ui/referencetable.h"
#include "ui/windowmanager.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

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
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("普通混凝土配合比设计（JGJ 55-2000）"));
    m_canvas->setObjectName(QStringLiteral("canvas"));
    m_canvas->setMinimumSize(1356, 560);
    setCentralWidget(m_canvas);
    buildControls();
    buildMenus();
    bindControls();
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
    QLabel* title =
        addLabel(QStringLiteral("Label27"), QStringLiteral("普通混凝土配合比设计计算"), 8, 6, 520, 34);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.7);
    titleFont.setBold(true);
    title->setFont(titleFont);
    addLabel(QStringLiteral("Label32"),
             QStringLiteral(
                 "碎石混凝土、不掺外加剂，按《普通混凝土配合比设计规程》计算每立方米混凝土的初步配合比"),
             8, 46, 760, 22);
    auto* banner = new Banner(m_canvas);
    banner->setObjectName(QStringLiteral("Picture3"));
    banner->setGeometry(792, 8, 213, 66);

    // Inputs.
    addCombo(QStringLiteral("Combo1"),
             {QStringLiteral("低于C20"), QStringLiteral("C20-C35"), QStringLiteral("高于C35")},
             QStringLiteral("C20-C35"), kInputLabelX, row(0), 100);
    addLabel(QStringLiteral("Label23"), QStringLiteral("混凝土强度标准差"), 114, row(0), 112);
    addField(QStringLiteral("Text29"), QStringLiteral("5"), 228, row(0), 60);
    addLabel(QStringLiteral("Label1"), QStringLiteral("试配强度输入数值"), kInputLabelX, row(1), 126);
    addField(QStringLiteral("Text2"), QStringLiteral("30"), kInputX, row(1), 80);
    addLabel(QStringLiteral("Label31"), QStringLiteral("单位：( MPa )"), 224, row(1), 110);
    addLabel(QStringLiteral("Label2"), QStringLiteral("水泥强度"), kInputLabelX, row(2), 126);
    addField(QStringLiteral("Text3"), QStringLiteral("42.5"), kInputX, row(2), 80);
    addLabel(QStringLiteral("Label30"), QStringLiteral("单位：( MPa )"), 224, row(2), 110);
    addLabel(QStringLiteral("Label3"), QStringLiteral("水泥富裕系数"), kInputLabelX, row(3), 126);
    addField(QStringLiteral("Text4"), QStringLiteral("1.13"), kInputX, row(3), 80);
    addLabel(QStringLiteral("Label5"), QStringLiteral("坍落度"), kInputLabelX, row(4), 126);
    addCombo(
        QStringLiteral("Combo3"),
        {QStringLiteral("10-30"), QStringLiteral("35-50"), QStringLiteral("55-70"), QStringLiteral("75-90")},
        QStringLiteral("35-50"), kInputX, row(4), 72);
    addLabel(QStringLiteral("Label4"), QStringLiteral("碎石最大粒径"), 214, row(4), 84);
    addCombo(QStringLiteral("Combo2"),
             {QStringLiteral("16"), QStringLiteral("20"), QStringLiteral("31.5"), QStringLiteral("40")},
             QStringLiteral("31.5"), 298, row(4), 58);
    addLabel(QStringLiteral("Label6"), QStringLiteral("系数a"), kInputLabelX, row(5), 126);
    addCombo(QStringLiteral("Combo4"), {QStringLiteral("0.46")}, QStringLiteral("0.46"), kInputX, row(5), 72);
    addLabel(QStringLiteral("Label7"), QStringLiteral("系数b"), 214, row(5), 84);
    addCombo(QStringLiteral("Combo5"), {QStringLiteral("0.07")}, QStringLiteral("0.07"), 298, row(5), 58);
    addLabel(QStringLiteral("Label8"), QStringLiteral("表观密度"), kInputLabelX, row(6), 126);
    addCombo(QStringLiteral("Combo6"),
             {QStringLiteral("2350"), QStringLiteral("2400"), QStringLiteral("2450"), QStringLiteral("2500")},
             QStringLiteral("2400"), kInputX, row(6), 80);
    addLabel(QStringLiteral("Label9"), QStringLiteral("砼所处的环境条件"), kInputLabelX, row(7), 126);
    addCombo(QStringLiteral("Combo7"),
             {QStringLiteral("干燥环境"), QStringLiteral("潮湿环境无冻害"), QStringLiteral("潮湿环境有冻害"),
              QStringLiteral("有冻害和除冰剂的潮湿环境")},
             QStringLiteral("干燥环境"), kInputX, row(7), 218);
    addLabel(QStringLiteral("Label10"), QStringLiteral("是否配筋"), kInputLabelX, row(8), 126);
    addCombo(QStringLiteral("Combo8"),
             {QStringLiteral("素混凝土"), QStringLiteral("钢筋混凝土"), QStringLiteral("预应力混凝土")},
             QStringLiteral("素混凝土"), kInputX, row(8), 140);

    // Checks and the proportion line, under the inputs.
    const int checkTop = row(9) + 14;
    addLabel(QStringLiteral("Label24"), QStringLiteral("砼强度标准差验证："), kInputLabelX, checkTop, 126);
    addField(QStringLiteral("Text30"), QString(), kInputX, checkTop, 218);
    addLabel(QStringLiteral("Label20"), QStringLiteral("最大水灰比验证："), kInputLabelX, checkTop + kRow,
             126);
    addField(QStringLiteral("Text1"), QString(), kInputX, checkTop + kRow, 218);
    addLabel(QStringLiteral("Label21"), QStringLiteral("最小水泥用量验证："), kInputLabelX,
             checkTop + 2 * kRow, 126);
    addField(QStringLiteral("Text6"), QString(), kInputX, checkTop + 2 * kRow, 218);
    addLabel(QStringLiteral("Label22"), QStringLiteral("水泥混凝土配合比："), kInputLabelX,
             checkTop + 3 * kRow, 126);
    addField(QStringLiteral("Text5"), QString(), kInputX, checkTop + 3 * kRow, 218);
    addLabel(QStringLiteral("Label34"), QStringLiteral("试验依据："), kInputLabelX, checkTop + 4 * kRow + 8,
             72);
    addLabel(QStringLiteral("Label35"), QStringLiteral(" JGJ55-2000 J64-2000"), 80, checkTop + 4 * kRow + 8,
             160);

    // The two result columns.
    const QStringList captions = {
        QStringLiteral("试配强度"), QStringLiteral("混凝土强度标准差"), QStringLiteral("水泥实际强度"),
        QStringLiteral("水灰比"),   QStringLiteral("用水量"),           QStringLiteral("水泥用量"),
        QStringLiteral("砂率"),     QStringLiteral("用砂量"),           QStringLiteral("碎石用量")};
    const int labelNumbers[] = {11, 18, 19, 12, 13, 16, 14, 15, 17};
    addLabel(QString(), QStringLiteral("全自动计算"), kColumn1X, kTop - 24, kColumnW)
        ->setAlignment(Qt::AlignCenter);
    addLabel(QString(), QStringLiteral("分步计算"), kColumn2X, kTop - 24, kColumnW)
        ->setAlignment(Qt::AlignCenter);
    for (int i = 0; i < 9; ++i) {
        addLabel(QStringLiteral("Label%1").arg(labelNumbers[i]), captions[i], kResultLabelX, row(i), 102);
        addField(QStringLiteral("Text%1").arg(7 + i), QString(), kColumn1X, row(i), kColumnW);
        addField(QStringLiteral("Text%1").arg(17 + i), QString(), kColumn2X, row(i), kColumnW);
    }
    addButton(QStringLiteral("Command1"), QStringLiteral("全自动计算"), kColumn1X, row(9), kColumnW);
    addButton(QStringLiteral("Command5"), QStringLiteral("完成计算"), kColumn2X, row(9), kColumnW);
    addButton(QStringLiteral("Command3"), QStringLiteral("确定用水量"), kStepButtonX, row(4) - 2, 104);
    addButton(QStringLiteral("Command14"), QStringLiteral("掺外加剂用水量"), kStepButtonX, row(5) - 2, 104);
    addButton(QStringLiteral("Command4"), QStringLiteral("确定砂率"), kStepButtonX, row(6) - 2, 104);
    addLabel(QStringLiteral("Label25"), QStringLiteral("参考用水量："), kReferenceX, row(4), 84);
    addField(QStringLiteral("Text26"), QString(), kReferenceX + 84, row(4), 56);
    addLabel(QStringLiteral("Label36"), QStringLiteral("<<<双击导入"), kReferenceX + 144, row(4), 84);
    addLabel(QStringLiteral("Label26"), QStringLiteral("参考砂率："), kReferenceX, row(6), 84);
    addField(QStringLiteral("Text27"), QString(), kReferenceX + 84, row(6), 56);
    addLabel(QStringLiteral("Label37"), QStringLiteral("<<<双击导入"), kReferenceX + 144, row(6), 84);

    // The mix line under the result columns.
    addField(QStringLiteral("Text16"), QString(), kResultLabelX, row(10) + 4, kPictureX - 8 - kResultLabelX);

    // Exports under the columns; file name and date beside them.
    const int exportTop = row(11) + 14;
    addButton(QStringLiteral("Command12"), QStringLiteral("导入EXCEL"), kColumn1X, exportTop, kColumnW);
    addButton(QStringLiteral("Command13"), QStringLiteral("导入EXCEL"), kColumn2X, exportTop, kColumnW);
    addButton(QStringLiteral("Command10"), QStringLiteral("文件保存为"), kColumn1X, exportTop + 34, kColumnW);
    addButton(QStringLiteral("Command11"), QStringLiteral("文件保存为"), kColumn2X, exportTop + 34, kColumnW);
    addLabel(QStringLiteral("Label33"), QStringLiteral("日期："), kStepButtonX, exportTop + 2, 44);
    addLabel(QStringLiteral("Label28"), QString(), kStepButtonX + 44, exportTop + 2, 130);
    addLabel(QStringLiteral("Label38"), QStringLiteral("<<<双击导入"), kStepButtonX + 178, exportTop + 2, 84);
    addField(QStringLiteral("Text28"), QString(), kStepButtonX, exportTop + 36, 262);
    addLabel(QStringLiteral("Label29"),
             QStringLiteral("保存在（\"") + InstallPaths::displayRoot() + QStringLiteral("XXXX.xls\"）"),
             kStepButtonX, exportTop + 66, 262);

    // The reference tables of the standard.
    auto* water = new ReferenceTable(QStringLiteral("塑性混凝土的用水量（kg/m³）"),
                                     {{QStringLiteral("坍落度"), QStringLiteral("16"), QStringLiteral("20"),
                                       QStringLiteral("25"), QStringLiteral("31.5"), QStringLiteral("40")},
                                      {QStringLiteral("10~30"), QStringLiteral("200"), QStringLiteral("185"),
                                       QStringLiteral("180"), QStringLiteral("175"), QStringLiteral("165")},
                                      {QStringLiteral("35~50"), QStringLiteral("210"), QStringLiteral("195"),
                                       QStringLiteral("190"), QStringLiteral("185"), QStringLiteral("175")},
                                      {QStringLiteral("55~70"), QStringLiteral("220"), QStringLiteral("205"),
                                       QStringLiteral("200"), QStringLiteral("195"), QStringLiteral("185")},
                                      {QStringLiteral("75~90"), QStringLiteral("230"), QStringLiteral("215"),
                                       QStringLiteral("210"), QStringLiteral("205"), QStringLiteral("195")}},
                                     m_canvas);
    water->setObjectName(QStringLiteral("Picture1"));
    water->setGeometry(kPictureX, kTop, 343, 180);
    auto* sand =
        new ReferenceTable(QStringLiteral("塑性混凝土的用砂率（%）"),
                           {{QStringLiteral("水灰比"), QStringLiteral("16"), QStringLiteral("20"),
                             QStringLiteral("31.5"), QStringLiteral("40")},
                            {QStringLiteral("0.40"), QStringLiteral("30~35"), QStringLiteral("29~34"),
                             QStringLiteral("28~33"), QStringLiteral("27~32")},
                            {QStringLiteral("0.50"), QStringLiteral("33~38"), QStringLiteral("32~37"),
                             QStringLiteral("31~36"), QStringLiteral("30~35")},
                            {QStringLiteral("0.60"), QStringLiteral("36~41"), QStringLiteral("35~40"),
                             QStringLiteral("34~39"), QStringLiteral("33~38")},
                            {QStringLiteral("0.70"), QStringLiteral("39~44"), QStringLiteral("38~43"),
                             QStringLiteral("37~42"), QStringLiteral("36~41")}},
                           m_canvas);
    sand->setObjectName(QStringLiteral("Picture2"));
    sand->setGeometry(kPictureX, kTop + 200, 340, 180);
}

void MainWindow::buildMenus() {
    auto addAction = [this](QMenu* menu, const QString& name, const QString& caption,
                            void (MainWindow::*slot)()) {
        QAction* action = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件"));
    file->menuAction()->setObjectName(QStringLiteral("file"));
    addAction(file, QStringLiteral("exit"), QStringLiteral("退出"), &MainWindow::exit_Click);
    QMenu* statement = menuBar()->addMenu(QStringLiteral("声明"));
    statement->menuAction()->setObjectName(QStringLiteral("abc"));
    addAction(statement, QStringLiteral("about"), QStringLiteral("重要声明"), &MainWindow::about_Click);
    addAction(statement, QStringLiteral("xie"), QStringLiteral("安装协议"), &MainWindow::xie_Click);
    addAction(nullptr, QStringLiteral("tz"), QStringLiteral("配合比调整"), &MainWindow::tz_Click);
    addAction(nullptr, QStringLiteral("kf"), QStringLiteral("客服信息"), &MainWindow::kf_Click);
    addAction(nullptr, QStringLiteral("help"), QStringLiteral("帮助"), &MainWindow::help_Click);
}

void MainWindow::bindControls() {
    const auto bindButton = [this](const char16_t* name, void (MainWindow::*slot)()) {
        connect(control<QPushButton>(QString::fromUtf16(name)), &QPushButton::clicked, this, slot);
    };
    bindButton(u"Command1", &MainWindow::Command1_Click);
    bindButton(u"Command3", &MainWindow::Command3_Click);
    bindButton(u"Command4", &MainWindow::Command4_Click);
    bindButton(u"Command5", &MainWindow::Command5_Click);
    bindButton(u"Command10", &MainWindow::Command10_Click);
    bindButton(u"Command11", &MainWindow::Command11_Click);
    bindButton(u"Command12", &MainWindow::Command12_Click);
    bindButton(u"Command13", &MainWindow::Command13_Click);
    bindButton(u"Command14", &MainWindow::Command14_Click);
    onFocusOut(control<QComboBox>(QStringLiteral("Combo1")), [this] { Combo1_LostFocus(); });
    onClick(control<QLabel>(QStringLiteral("Label36")), [this] { Label36_Click(); });
    onClick(control<QLabel>(QStringLiteral("Label37")), [this] { Label37_Click(); });
    onClick(control<QLabel>(QStringLiteral("Label38")), [this] { Label38_Click(); });
    onDoubleClick(control<QLineEdit>(QStringLiteral("Text26")), [this] { Text26_DblClick(); });
    onDoubleClick(control<QLineEdit>(QStringLiteral("Text27")), [this] { Text27_DblClick(); });
    onDoubleClick(control<QLabel>(QStringLiteral("Label28")), [this] { Label28_DblClick(); });
    onClick(findChild<QWidget*>(QStringLiteral("Picture3")), [this] { Picture3_Click(); });
}

void MainWindow::Command1_Click() { m_design.command1(); }
void MainWindow::Command3_Click() { m_design.command3(); }
void MainWindow::Command4_Click() { m_design.command4(); }
void MainWindow::Command5_Click() { m_design.command5(); }

void MainWindow::Command10_Click() {
    // export: first column, save and quit
    const AppContext& context = m_windows.context();
    ReportExport(m_fields, context.prompter, context.spreadsheets, context.paths).saveAutomaticReport();
}

void MainWindow::Command11_Click() {
    // export: second column, save and quit
    const AppContext& context = m_windows.context();
    ReportExport(m_fields, context.prompter, context.spreadsheets, context.paths).saveStepwiseReport();
}

void MainWindow::Command12_Click() {
    // export: first column, leave open
    const AppContext& context = m_windows.context();
    ReportExport(m_fields, context.prompter, context.spreadsheets, context.paths).showAutomaticReport();
}

void MainWindow::Command13_Click() {
    // export: second column, leave open
    const AppContext& context = m_windows.context();
    ReportExport(m_fields, context.prompter, context.spreadsheets, context.paths).showStepwiseReport();
}

// Opens (or brings forward) the admixture window, then hands it the reference water content.
void MainWindow::Command14_Click() {
    if (auto* admixture = dynamic_cast<AdmixtureWindow*>(m_windows.open(QStringLiteral("wai"))))
        admixture->receiveBaseWater(m_fields.text(QStringLiteral("Text26")));
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

void MainWindow::exit_Click() {
    hide();
    close();
}

void MainWindow::about_Click() { m_windows.open(QStringLiteral("Form2")); }
void MainWindow::xie_Click() { m_windows.open(QStringLiteral("Form5")); }
void MainWindow::tz_Click() { m_windows.open(QStringLiteral("tiaozheng")); }
void MainWindow::kf_Click() { m_windows.open(QStringLiteral("Form7")); }

void MainWindow::help_Click() {
    const AppContext& context = m_windows.context();
    runHelp(context.launcher, context.paths, [this] { m_windows.open(QStringLiteral("Form6")); });
}
