#include "ui/adjustwindow.h"

#include "adjust/strengthchart.h"
#include "adjust/tiaozheng.h"
#include "common/installpaths.h"
#include "ui/busycursor.h"
#include "ui/chartpainter.h"
#include "ui/chartwindow.h"
#include "ui/commandguard.h"
#include "ui/eventhooks.h"
#include "ui/twips.h"
#include "ui/windowmanager.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The window's content, in twips.
constexpr int kContentWidth = 15015;
constexpr int kContentHeight = 10695;

// Gap between a caption and its field.
constexpr int kCaptionGap = 60;

// Captions of the mass fields (cement, water, sand, stone) and of the ratio fields (cement, sand, stone,
// water), the same in every step.
QStringList massCaptions() {
    return {QStringLiteral("水泥（Kg）："), QStringLiteral("水（Kg）："), QStringLiteral("砂（Kg）："),
            QStringLiteral("碎石（Kg）：")};
}
QStringList ratioCaptions() {
    return {QStringLiteral("水泥/水泥："), QStringLiteral("砂子/水泥："), QStringLiteral("石子/水泥："),
            QStringLiteral("水/水泥：")};
}

} // namespace

AdjustWindow::AdjustWindow(WindowManager& windows, QWidget* parent)
    : QWidget(parent), m_windows(windows), m_fields(this), m_adjustment(m_fields, windows.context().prompter),
      m_workbook(
          m_fields, windows.context().prompter, windows.context().spreadsheets, windows.context().paths,
          [this] { return chartPicture(); }, windows.context().today) {
    setObjectName(Tiaozheng::window);
    setWindowTitle(QStringLiteral("混凝土配合比调整"));
    buildControls();
    bindControls();
    m_adjustment.load(m_windows.context().today());
    resize(px(kContentWidth), px(kContentHeight));
    setWindowState(Qt::WindowMaximized);
}

void AdjustWindow::buildControls() {
    // The frames keep their places; a screen smaller than the content scrolls it, a larger one shows it in
    // the middle.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setAlignment(Qt::AlignCenter);
    auto* canvas = new QWidget;
    canvas->setFixedSize(px(kContentWidth), px(kContentHeight));
    QFont small = canvas->font();
    small.setPixelSize(12);
    canvas->setFont(small);
    scroll->setWidget(canvas);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);

    buildStep1(canvas);
    buildStep2(canvas);
    buildStep3(canvas);
    buildStep4(canvas);
    buildStep5(canvas);
    buildStep6(canvas);
    buildFileFrame(canvas);
}

QGroupBox* AdjustWindow::addFrame(QWidget* parent, const QString& name, const QString& caption, int left,
                                  int top, int width, int height) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    frame->setGeometry(px(left), px(top), px(width), px(height));
    return frame;
}

QLineEdit* AdjustWindow::addField(QWidget* frame, const QString& name, const QString& caption, int left,
                                  int top, bool readOnly, int captionLeft, int width, int height) {
    auto* field = new QLineEdit(frame);
    field->setObjectName(name);
    field->setGeometry(px(left), px(top), px(width), px(height));
    field->setReadOnly(readOnly);
    if (!caption.isEmpty()) {
        // Right-aligned against the field; a caption longer than its room grows to the left, never clipped.
        QLabel* label = addText(frame, caption, captionLeft, top, left - kCaptionGap - captionLeft, height,
                                Qt::AlignRight | Qt::AlignVCenter);
        const int needed = label->sizeHint().width();
        if (needed > label->width())
            label->setGeometry(label->geometry().adjusted(label->width() - needed, 0, 0, 0));
    }
    return field;
}

QLabel* AdjustWindow::addText(QWidget* frame, const QString& text, int left, int top, int width, int height,
                              Qt::Alignment alignment) {
    auto* label = new QLabel(text, frame);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    label->setGeometry(px(left), px(top), px(width), px(height));
    return label;
}

QPushButton* AdjustWindow::addButton(QWidget* frame, const QString& name, const QString& caption, int left,
                                     int top, int width, int height) {
    auto* button = new QPushButton(caption, frame);
    button->setObjectName(name);
    button->setGeometry(px(left), px(top), px(width), px(height));
    return button;
}

void AdjustWindow::addPasteList(QWidget* frame, const QString& name, int left, int top, int captionLeft) {
    auto* list = new QComboBox(frame);
    list->setObjectName(name);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->addItems({QStringLiteral("不变"), QStringLiteral("增加"), QStringLiteral("减少")});
    list->setCurrentIndex(0);
    list->setGeometry(px(left), px(top), px(855), px(300));
    addText(frame, QStringLiteral("净浆增减%："), captionLeft, top, left - kCaptionGap - captionLeft, 300,
            Qt::AlignRight | Qt::AlignVCenter);
}

void AdjustWindow::buildStep1(QWidget* canvas) {
    QGroupBox* frame =
        addFrame(canvas, Tiaozheng::step1Frame, QStringLiteral("1、输入初步配合比"), 240, 120, 2295, 4335);
    for (int i = 0; i < 4; ++i)
        addField(frame, Tiaozheng::mixMasses()[i], massCaptions()[i], 1320, 720 + 480 * i, false, 60);
    addButton(frame, Tiaozheng::workedExampleButton, QStringLiteral("演示示例"), 480, 2760, 1335);
    QLabel* note =
        addText(frame,
                QStringLiteral("本演示示例，为您输入一组C30配合比的计算参数。方便您学习使用本软件。"
                               "注意仅供学习！"),
                120, 3180, 2055, 1110, Qt::AlignLeft | Qt::AlignTop);
    note->setWordWrap(true);
}

void AdjustWindow::buildStep2(QWidget* canvas) {
    QGroupBox* frame =
        addFrame(canvas, Tiaozheng::step2Frame, QStringLiteral("2、计算试拌材料用量"), 2640, 120, 2775, 4335);
    addField(frame, Tiaozheng::trialVolume, QStringLiteral("试拌体积（L）："), 1680, 360, false, 60);
    addText(frame, QStringLiteral("提示：一升 = 0.001 立方米"), 240, 840, 2415, 255);
    addText(frame, QStringLiteral("1 立方米 = 1000升（L）"), 240, 1140, 2415, 255);
    for (int i = 0; i < 4; ++i)
        addField(frame, Tiaozheng::trialMasses()[i], massCaptions()[i], 1680, 1800 + 480 * i, true, 60);
    addButton(frame, Tiaozheng::trialBatchButton, QStringLiteral("计算"), 1680, 3720, 735);
}

void AdjustWindow::buildStep3(QWidget* canvas) {
    QGroupBox* frame =
        addFrame(canvas, Tiaozheng::step3Frame, QStringLiteral("3、调整工作性"), 5520, 120, 4575, 4335);
    addPasteList(frame, Tiaozheng::pasteChange, 1320, 360, 60);
    addField(frame, Tiaozheng::pastePercent, QString(), 2280, 360, false, 0)->setText(QStringLiteral("0"));
    addText(frame, QStringLiteral("保持水灰比不变增加减少水泥浆百分比"), 240, 780, 4215, 255);
    addText(frame, QStringLiteral("例如：增加5%净浆，只需输入 5"), 240, 1080, 4215, 255);
    for (int i = 0; i < 4; ++i)
        addField(frame, Tiaozheng::adjustedMasses()[i], massCaptions()[i], 1320, 1800 + 480 * i, true, 60);
    addButton(frame, Tiaozheng::workabilityButton, QStringLiteral("计算"), 1320, 3720, 735);

    QGroupBox* base = addFrame(frame, Tiaozheng::baseMixFrame, QStringLiteral("调整后的基准配合比"), 2160,
                               1560, 2175, 2175);
    for (int i = 0; i < 4; ++i)
        addField(base, Tiaozheng::baseRatios()[i], ratioCaptions()[i], 1200, 240 + 480 * i, true, 30);
}

void AdjustWindow::buildStep4(QWidget* canvas) {
    QGroupBox* frame =
        addFrame(canvas, Tiaozheng::step4Frame, QStringLiteral("4、检验强度"), 10200, 120, 4815, 5775);
    addField(frame, Tiaozheng::groupRatio, QStringLiteral("水灰比："), 1800, 360, false, 60, 615);
    addField(frame, Tiaozheng::ratioSpread, QStringLiteral("加减范围%"), 1800, 840, false, 60, 615);
    addField(frame, Tiaozheng::groupWater, QStringLiteral("单位灰量量："), 3720, 360, false, 2475);
    const int columns[] = {1800, 2760, 3720};
    const QString groups[] = {QStringLiteral("A组"), QStringLiteral("B组"), QStringLiteral("C组")};
    for (int g = 0; g < 3; ++g)
        addText(frame, groups[g], columns[g], 1290, 735, 255, Qt::AlignCenter);
    const QString rows[] = {QStringLiteral("各组水灰比："), QStringLiteral("各组灰水比："),
                            QStringLiteral("各组水泥用量："), QStringLiteral("28天抗压强度：")};
    const QStringList rowFields[] = {Tiaozheng::groupRatios(), Tiaozheng::groupCementWaters(),
                                     Tiaozheng::groupCements(), Tiaozheng::groupStrengths()};
    for (int r = 0; r < 4; ++r) {
        for (int g = 0; g < 3; ++g)
            addField(frame, rowFields[r][g], g == 0 ? rows[r] : QString(), columns[g], 1560 + 480 * r, r < 3,
                     60);
    }
    addButton(frame, Tiaozheng::strengthGroupsButton, QStringLiteral("计算"), 3720, 3480, 735);

    QGroupBox* regression = addFrame(frame, Tiaozheng::regressionFrame,
                                     QStringLiteral("水灰比参考值（线性回归）"), 240, 3840, 4335, 1815);
    addField(regression, Tiaozheng::targetStrength, QStringLiteral("配制强度（MPa）："), 1920, 240, false,
             60);
    addField(regression, Tiaozheng::referenceCementWater, QStringLiteral("灰水比参考值："), 1920, 720, false,
             60);
    addField(regression, Tiaozheng::referenceWaterCement, QStringLiteral("水灰比参考值："), 1920, 1200, false,
             60);
    QLabel* note = addText(
        regression, QStringLiteral("本步计算仅为参考值，可能有偏差。配制水灰比请您做强度与灰水比图确定。"),
        2715, 210, 1560, 975, Qt::AlignLeft | Qt::AlignTop);
    note->setWordWrap(true);
    QFont noteFont = note->font();
    noteFont.setPixelSize(11);
    note->setFont(noteFont);
    addButton(regression, Tiaozheng::regressionButton, QStringLiteral("计算"), 3360, 1200, 735);
    // In the free place between Text68 and Command7, below the note.
    addButton(regression, Tiaozheng::chartButton, QStringLiteral("作图"), 2715, 1200, 585);
}

void AdjustWindow::buildStep5(QWidget* canvas) {
    QGroupBox* frame =
        addFrame(canvas, Tiaozheng::step5Frame, QStringLiteral("5、确定试验室配合比"), 240, 4560, 8655, 6135);
    const QString captions[] = {QStringLiteral("修正后用水量（Kg）："),
                                QStringLiteral("水泥用量（Kg）："),
                                QStringLiteral("水泥密度（吨/立方米）："),
                                QStringLiteral("砂表观密度（吨/立方米）："),
                                QStringLiteral("碎石表观密度（吨/立方米）："),
                                QStringLiteral("混凝土含气量百分数a："),
                                QStringLiteral("该配合比砂率：")};
    for (int i = 0; i < 7; ++i)
        addField(frame, Tiaozheng::volumeInputs()[i], captions[i], 2640, 240 + 480 * i, false, 30);
    addButton(frame, Tiaozheng::absoluteVolumeButton, QStringLiteral("计算"), 2640, 3720, 735);
    addField(frame, Tiaozheng::volumeSand, QStringLiteral("砂用量（Kg）："), 2640, 4320, true, 30);
    addField(frame, Tiaozheng::volumeStone, QStringLiteral("碎石用量（Kg）："), 2640, 4800, true, 30);

    QGroupBox* water = addFrame(frame, Tiaozheng::parameterFrame, QStringLiteral("修正用水量和水泥用量"),
                                3480, 240, 4815, 2055);
    addText(water, QStringLiteral("<<<< 计算结果"), 240, 330, 1515, 255);
    addButton(water, Tiaozheng::takeParametersButton, QStringLiteral("得到参数"), 240, 720, 1215);
    addButton(water, Tiaozheng::correctWaterCementButton, QStringLiteral("计算修正"), 240, 1200, 1215);
    addField(water, Tiaozheng::parameterWater, QStringLiteral("用水量："), 2880, 240, false, 1815, 855);
    addPasteList(water, Tiaozheng::parameterPasteChange, 2880, 720, 1515);
    addField(water, Tiaozheng::parameterPastePercent, QString(), 3840, 720, false, 0)
        ->setText(QStringLiteral("0"));
    addField(water, Tiaozheng::parameterWaterCement, QStringLiteral("配制水灰比："), 2880, 1080, false, 1515,
             855);
    addField(water, Tiaozheng::parameterCementWater, QStringLiteral("配制灰水比："), 2880, 1560, true, 1515,
             855);

    QGroupBox* correction =
        addFrame(frame, Tiaozheng::correctionFrame, QStringLiteral("修正材料用量"), 3480, 2400, 4815, 3615);
    addField(correction, Tiaozheng::measuredDensity, QString(), 1680, 360, false, 0);
    addText(correction, QStringLiteral("实测湿表密度："), 60, 300, 1560, 255,
            Qt::AlignRight | Qt::AlignVCenter);
    addText(correction, QStringLiteral("（kg/立方米）"), 60, 555, 1560, 255,
            Qt::AlignRight | Qt::AlignVCenter);
    addButton(correction, Tiaozheng::densityCorrectionButton, QStringLiteral("修正计算"), 2520, 360, 975);
    addButton(correction, Tiaozheng::keepUncorrectedButton, QStringLiteral("不修正"), 3600, 360, 855);
    addField(correction, Tiaozheng::computedDensity, QStringLiteral("计算砼湿表密度："), 1680, 840, false,
             30);
    addField(correction, Tiaozheng::densityFactor, QStringLiteral("修正系数："), 3600, 840, false, 2475, 855);

    QGroupBox* mix =
        addFrame(correction, Tiaozheng::labMixFrame, QStringLiteral("修正后的配合比"), 120, 1320, 4575, 2175);
    for (int i = 0; i < 4; ++i) {
        addField(mix, Tiaozheng::labMasses()[i], massCaptions()[i], 1560, 240 + 480 * i, i < 2, 60);
        addField(mix, Tiaozheng::labRatios()[i], ratioCaptions()[i], 3480, 240 + 480 * i, false, 2355, 855);
    }
}

void AdjustWindow::buildStep6(QWidget* canvas) {
    QGroupBox* frame =
        addFrame(canvas, Tiaozheng::step6Frame, QStringLiteral("6、换算工的配合比"), 9000, 6000, 6015, 3015);
    addField(frame, Tiaozheng::sandMoisture, QStringLiteral("砂含水率%："), 1560, 240, false, 60);
    addField(frame, Tiaozheng::stoneMoisture, QStringLiteral("碎石含水率%："), 3600, 240, false, 2355, 1095);
    addButton(frame, Tiaozheng::siteMixButton, QStringLiteral("计算"), 4800, 240, 735);

    QGroupBox* site =
        addFrame(frame, Tiaozheng::siteMixFrame, QStringLiteral("工地配合比"), 240, 600, 5535, 2295);
    for (int i = 0; i < 4; ++i) {
        addField(site, Tiaozheng::siteMasses()[i], massCaptions()[i], 1320, 360 + 480 * i, false, 60);
        addField(site, Tiaozheng::siteRatios()[i], ratioCaptions()[i], 3360, 360 + 480 * i, false, 2115,
                 1095);
    }
}

void AdjustWindow::buildFileFrame(QWidget* canvas) {
    QGroupBox* frame = addFrame(canvas, Tiaozheng::fileFrame, QStringLiteral("文件导出、导入（EXCEL文件）"),
                                9000, 9120, 6015, 1575);
    addButton(frame, Tiaozheng::exportConstructionButton, QStringLiteral("施工配比"), 120, 240, 1095, 375);
    addButton(frame, Tiaozheng::exportLaboratoryButton, QStringLiteral("试验配比"), 1320, 240, 1095, 375);
    addText(frame, QStringLiteral("文件名称："), 2520, 360, 975, 255)
        ->setObjectName(Tiaozheng::fileNameLabel);
    addField(frame, Tiaozheng::fileName, QString(), 3480, 240, false, 0, 2415, 390);
    const QString hint =
        QStringLiteral("文件保存在（\"") + InstallPaths::displayRoot() + QStringLiteral("XXXX.xls\"）");
    addText(frame, hint, 240, 720, 3255, 255)->setObjectName(Tiaozheng::saveHintLabel);
    addText(frame, QStringLiteral("双击导入日期："), 3120, 720, 1260, 180)
        ->setObjectName(Tiaozheng::dateTagLabel);
    // The date tag is wider than its place once it holds a date; it grows to the right.
    QLabel* dateTag = addText(frame, QString(), 4440, 720, 630, 180);
    dateTag->setObjectName(Tiaozheng::dateTag);
    dateTag->resize(std::max(dateTag->width(),
                             dateTag->fontMetrics().horizontalAdvance(QStringLiteral("TZ(2000-12-31)"))),
                    dateTag->height());
    addButton(frame, Tiaozheng::chooseFileButton, QStringLiteral("打开数据文件"), 120, 1080, 1575, 375);
    addButton(frame, Tiaozheng::importWorkbookButton, QStringLiteral("从EXCEL文件中导入数据"), 1920, 1080,
              2055, 375);
    // The chosen data file and that path without its extension: never shown.
    for (const QString& name : {Tiaozheng::chosenPath, Tiaozheng::chosenStem})
        addField(frame, name, QString(), 0, 0, false, 0)->hide();
}

void AdjustWindow::bindControls() {
    const CommandGuard guarded(m_windows.context());
    const auto button = [this](const QString& name) { return findChild<QPushButton*>(name); };
    const auto bind = [this, &button, &guarded](const QString& name, void (AdjustWindow::*slot)()) {
        connect(button(name), &QPushButton::clicked, this, guarded(this, slot));
    };
    bind(Tiaozheng::workedExampleButton, &AdjustWindow::Command16_Click);
    bind(Tiaozheng::trialBatchButton, &AdjustWindow::Command2_Click);
    bind(Tiaozheng::workabilityButton, &AdjustWindow::Command1_Click);
    bind(Tiaozheng::strengthGroupsButton, &AdjustWindow::Command3_Click);
    bind(Tiaozheng::regressionButton, &AdjustWindow::Command7_Click);
    bind(Tiaozheng::takeParametersButton, &AdjustWindow::Command8_Click);
    bind(Tiaozheng::correctWaterCementButton, &AdjustWindow::Command9_Click);
    bind(Tiaozheng::absoluteVolumeButton, &AdjustWindow::Command4_Click);
    bind(Tiaozheng::densityCorrectionButton, &AdjustWindow::Command5_Click);
    bind(Tiaozheng::keepUncorrectedButton, &AdjustWindow::Command15_Click);
    bind(Tiaozheng::siteMixButton, &AdjustWindow::Command6_Click);
    bind(Tiaozheng::chartButton, &AdjustWindow::Command17_Click);

    bind(Tiaozheng::chooseFileButton, &AdjustWindow::Command11_Click);
    onFocusOut(button(Tiaozheng::chooseFileButton), guarded(this, &AdjustWindow::Command11_LostFocus));
    bind(Tiaozheng::importWorkbookButton, &AdjustWindow::Command12_Click);
    bind(Tiaozheng::exportConstructionButton, &AdjustWindow::Command13_Click);
    bind(Tiaozheng::exportLaboratoryButton, &AdjustWindow::Command14_Click);
    onClick(findChild<QLabel*>(Tiaozheng::dateTag), guarded(this, &AdjustWindow::Label76_Click));
    onClick(findChild<QLabel*>(Tiaozheng::dateTagLabel), guarded(this, &AdjustWindow::Label77_Click));
}

void AdjustWindow::Command16_Click() { m_adjustment.workedExample(); }
void AdjustWindow::Command2_Click() { m_adjustment.trialBatch(); }
void AdjustWindow::Command1_Click() { m_adjustment.workability(); }
void AdjustWindow::Command3_Click() { m_adjustment.strengthGroups(); }
void AdjustWindow::Command7_Click() { m_adjustment.regression(); }
void AdjustWindow::Command8_Click() { m_adjustment.takeParameters(); }
void AdjustWindow::Command9_Click() { m_adjustment.correctWaterCement(); }
void AdjustWindow::Command4_Click() { m_adjustment.absoluteVolume(); }
void AdjustWindow::Command5_Click() { m_adjustment.densityCorrection(); }
void AdjustWindow::Command15_Click() { m_adjustment.keepUncorrected(); }
void AdjustWindow::Command6_Click() { m_adjustment.siteMix(); }

// workbook: "打开数据文件", choose the data file into Text72.
void AdjustWindow::Command11_Click() { m_workbook.chooseFile(); }
// workbook: Text74 from Text72 when "打开数据文件" loses the focus.
void AdjustWindow::Command11_LostFocus() { m_workbook.takeChosenStem(); }
// workbook: "从EXCEL文件中导入数据".
void AdjustWindow::Command12_Click() {
    const BusyCursor busy;
    m_workbook.importWorkbook();
}
// workbook: "施工配比", export steps 1 to 6.
void AdjustWindow::Command13_Click() {
    const BusyCursor busy;
    m_workbook.exportConstruction();
}
// workbook: "试验配比", export steps 1 to 5.
void AdjustWindow::Command14_Click() {
    const BusyCursor busy;
    m_workbook.exportLaboratory();
}
// workbook: date tag appended to the file name.
void AdjustWindow::Label76_Click() { m_workbook.appendDateTag(); }
// workbook: date tag appended to the file name.
void AdjustWindow::Label77_Click() { m_workbook.appendDateTag(); }

QByteArray AdjustWindow::chartPicture() const {
    const StrengthChart chart = StrengthChart::fromFields(m_fields);
    return chart.hasLine ? ChartPainter(chart).png() : QByteArray();
}

// "作图": the chart window, brought forward and drawn from the fields as they are now.
void AdjustWindow::Command17_Click() {
    if (ChartWindow* chart = m_windows.openChart())
        chart->setChart(StrengthChart::fromFields(m_fields));
}
