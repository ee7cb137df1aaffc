#include "ui/design2011window.h"

#include "common/prompter.h"
#include "common/prompts.h"
#include "design2011/design2011controls.h"
#include "trial2011/trial2011controls.h"
#include "ui/appcontext.h"
#include "ui/busycursor.h"
#include "ui/commandguard.h"
#include "ui/formrows.h"
#include "ui/screenplacement.h"
#include "ui/trial2011window.h"
#include "ui/windowmanager.h"
#include "ui_design2011window.h"

#include <QHeaderView>
#include <QScreen>

Design2011Window::Design2011Window(WindowManager& windows)
    : m_windows(windows), m_context(windows.context()), m_ui(std::make_unique<Ui::Design2011Window>()),
      m_fields(this), m_form(m_fields, m_context.prompter) {
    m_ui->setupUi(this);
    setObjectName(Design2011::window);
    fillLists();
    fitTrialTable();
    m_form.load(m_context.today());
    bindControls();
    m_ui->sigma->setReadOnly(!m_form.sigmaEditable());
    densityMethodChanged();
    centreOnScreen();
}

Design2011Window::~Design2011Window() = default;

void Design2011Window::fillLists() {
    m_ui->grade->addItems(Design2011::grades);
    m_ui->cementKind->addItems(Design2011::cementKinds);
    m_ui->cementClass->addItems(Design2011::cementClasses);
    m_ui->maxSize->addItems(Design2011::maxSizes);
    m_ui->flyAshGrade->addItems(Design2011::flyAshGrades);
    m_ui->slagGrade->addItems(Design2011::slagGrades);
    m_ui->environment->addItems(Design2011::environments);
    m_ui->structure->addItems(Design2011::structures);
    m_ui->densityMethod->addItems(Design2011::densityMethods);
    m_ui->impermeability->addItems(Design2011::impermeabilities);
    m_ui->frostResistance->addItems(Design2011::frostResistances);
    m_ui->frostExposure->addItems(Design2011::frostExposures);
    // The range labels keep their width whatever they say, so the columns do not jump while typing.
    const int rangeWidth = fontMetrics().horizontalAdvance(QStringLiteral("表5.1.3：应经试验确定"));
    m_ui->gammaFRange->setMinimumWidth(rangeWidth);
    m_ui->gammaSRange->setMinimumWidth(rangeWidth);
}

// Every row of the trial table shows at once: no scrolling, numbers to the right of their cells.
void Design2011Window::fitTrialTable() { fitResultTable(m_ui->trialTable, 6, 0); }

void Design2011Window::bindControls() {
    const Ui::Design2011Window& ui = *m_ui;
    const CommandGuard guarded(m_context);
    // Every input of the calculation; the report name is none.
    for (QLineEdit* field : {ui.sigma,          ui.gammaC,          ui.fceMeasured,       ui.slump,
                             ui.waterReduction, ui.admixtureDosage, ui.flyAshPercent,     ui.gammaF,
                             ui.slagPercent,    ui.gammaS,          ui.assumedDensity,    ui.densityCement,
                             ui.densityFlyAsh,  ui.densitySlag,     ui.densitySand,       ui.densityStone,
                             ui.airContent,     ui.wbOverride,      ui.sandRatioOverride, ui.trialVolume})
        connect(field, &QLineEdit::textChanged, this, guarded(this, &Design2011Window::inputChanged));
    for (QComboBox* list :
         {ui.grade, ui.cementKind, ui.cementClass, ui.maxSize, ui.flyAshGrade, ui.slagGrade, ui.environment,
          ui.structure, ui.densityMethod, ui.impermeability, ui.frostResistance, ui.frostExposure})
        connect(list, &QComboBox::currentIndexChanged, this, guarded(this, &Design2011Window::inputChanged));
    for (QCheckBox* box : {ui.sigmaFromStatistics, ui.airEntrained, ui.pumped, ui.massConcrete})
        connect(box, &QCheckBox::toggled, this, guarded(this, &Design2011Window::inputChanged));

    // The values that follow their sources.
    connect(ui.grade, &QComboBox::currentIndexChanged, this, guarded(this, &Design2011Window::gradeChanged));
    connect(ui.sigmaFromStatistics, &QCheckBox::toggled, this,
            guarded(this, &Design2011Window::sigmaSourceChanged));
    connect(ui.cementClass, &QComboBox::currentIndexChanged, this,
            guarded(this, &Design2011Window::cementClassChanged));
    connect(ui.flyAshPercent, &QLineEdit::textChanged, this, guarded(this, &Design2011Window::flyAshChanged));
    connect(ui.slagPercent, &QLineEdit::textChanged, this, guarded(this, &Design2011Window::slagChanged));
    connect(ui.slagGrade, &QComboBox::currentIndexChanged, this,
            guarded(this, &Design2011Window::slagChanged));
    connect(ui.maxSize, &QComboBox::currentIndexChanged, this,
            guarded(this, &Design2011Window::maxSizeChanged));
    connect(ui.environment, &QComboBox::currentIndexChanged, this,
            guarded(this, &Design2011Window::environmentChanged));
    connect(ui.densityMethod, &QComboBox::currentIndexChanged, this,
            guarded(this, &Design2011Window::densityMethodChanged));

    connect(ui.calculate, &QPushButton::clicked, this, guarded(this, &Design2011Window::calculateClicked));
    connect(ui.saveReport, &QPushButton::clicked, this, guarded(this, &Design2011Window::saveReportClicked));
    connect(ui.openReport, &QPushButton::clicked, this, guarded(this, &Design2011Window::openReportClicked));
    connect(ui.startTrial, &QPushButton::clicked, this, guarded(this, &Design2011Window::startTrialClicked));
    connect(ui.loadReport, &QPushButton::clicked, this, guarded(this, &Design2011Window::loadReportClicked));
}

// At its natural size where the screen holds it, centred on the screen's available area; on a screen too
// small for it, at the area's top left corner.
void Design2011Window::centreOnScreen() {
    const QRect area = screen()->availableGeometry();
    resize(sizeHint().boundedTo(area.size()).expandedTo(minimumSizeHint()));
    move(centredPosition(size(), area));
}

void Design2011Window::inputChanged() { m_form.inputChanged(); }
// High-strength grades use no σ: the field and its box are disabled.
void Design2011Window::gradeChanged() {
    m_form.gradeChanged();
    const bool used = m_form.sigmaUsed();
    setRowEnabled(m_ui->sigma, used);
    m_ui->sigmaFromStatistics->setEnabled(used);
}

void Design2011Window::sigmaSourceChanged() {
    m_form.sigmaSourceChanged();
    m_ui->sigma->setReadOnly(!m_form.sigmaEditable());
}

void Design2011Window::cementClassChanged() { m_form.cementClassChanged(); }
void Design2011Window::flyAshChanged() { m_form.flyAshChanged(); }
void Design2011Window::slagChanged() { m_form.slagChanged(); }
void Design2011Window::maxSizeChanged() { m_form.maxSizeChanged(); }
void Design2011Window::environmentChanged() { m_form.environmentChanged(); }

// The volume method's fields take part only with 体积法, the assumed density only with 质量法.
void Design2011Window::densityMethodChanged() {
    const bool volume = m_form.volumeMethod();
    for (const QString& name : Design2011::volumeMethodFields)
        setRowEnabled(findChild<QWidget*>(name), volume);
    setRowEnabled(m_ui->assumedDensity, !volume);
}

void Design2011Window::calculateClicked() { m_form.calculate(); }

// The calculation sheet bears the program's day.
Design2011Report Design2011Window::report() {
    return Design2011Report(m_fields, m_context.prompter, m_context.spreadsheets, m_context.launcher,
                            m_context.paths, m_context.today());
}

void Design2011Window::saveReportClicked() {
    const BusyCursor busy;
    const QString saved = report().save(m_form.calculation());
    if (!saved.isEmpty())
        m_savedName = saved;
    else
        m_fields.setText(Design2011::reportStatus, QString());
}

// Hands the design over to the trial window, asking first where that window holds work of its own.
void Design2011Window::startTrialClicked() {
    if (!m_form.hasCalculation()) {
        showStop(m_context.prompter, QStringLiteral("请先点击“计算”。"));
        return;
    }
    auto* open = dynamic_cast<Trial2011Window*>(m_windows.window(Trial2011::window));
    if (open && open->isVisible()) {
        MessageBoxRequest question;
        question.text = QStringLiteral("“试配调整”窗口中已有数据，用当前设计替换吗？");
        question.icon = MessageIcon::Question;
        question.buttons = MessageButtons::YesNo;
        const bool replace = m_context.prompter.message(question) == MessageButton::Yes;
        m_windows.open(Trial2011::window);
        if (replace)
            open->takeDesign(m_fields);
        return;
    }
    if (auto* trial = dynamic_cast<Trial2011Window*>(m_windows.open(Trial2011::window)))
        trial->takeDesign(m_fields);
}

// Sets the inputs back from a calculation sheet this window saved.
void Design2011Window::loadReportClicked() {
    FileDialogRequest request;
    request.filter = QStringLiteral("计算书 (*.xls)|*.xls|");
    request.startFolder = m_context.paths.root();
    const std::optional<QString> path = m_context.prompter.openFile(request);
    if (!path)
        return;
    const BusyCursor busy;
    if (const auto inputs = report().load(*path)) {
        m_form.setInputs(*inputs);
        m_ui->sigma->setReadOnly(!m_form.sigmaEditable());
        gradeChanged();
        densityMethodChanged();
    }
}

void Design2011Window::openReportClicked() { report().open(m_savedName); }
