#include "ui/trial2011window.h"

#include "common/prompter.h"
#include "common/prompts.h"
#include "trial2011/trial2011controls.h"
#include "trial2011/trialchart2011.h"
#include "ui/appcontext.h"
#include "ui/busycursor.h"
#include "ui/chartpainter.h"
#include "ui/commandguard.h"
#include "ui/formrows.h"
#include "ui/screenplacement.h"
#include "ui_trial2011window.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QScreen>

namespace T = Trial2011;

Trial2011Window::Trial2011Window(const AppContext& context)
    : m_context(context), m_ui(std::make_unique<Ui::Trial2011Window>()), m_fields(this),
      m_form(m_fields, context.prompter) {
    m_ui->setupUi(this);
    setObjectName(T::window);
    fillLists();
    fitMixTable();
    m_form.load(context.today());
    bindControls();
    densityMethodChanged();
    showChart();
    centreOnScreen();
}

Trial2011Window::~Trial2011Window() = default;

void Trial2011Window::fillLists() {
    m_ui->grade->addItems(Design2011::grades);
    m_ui->cementKind->addItems(Design2011::cementKinds);
    m_ui->environment->addItems(Design2011::environments);
    m_ui->structure->addItems(Design2011::structures);
    m_ui->densityMethod->addItems(Design2011::densityMethods);
    m_ui->testAge->addItems(T::testAges);
    m_ui->impermeability->addItems(Design2011::impermeabilities);
    m_ui->frostResistance->addItems(Design2011::frostResistances);
    m_ui->frostExposure->addItems(Design2011::frostExposures);
    m_ui->maxSize->addItems(Design2011::maxSizes);
}

// Every row of the mix table shows at once: no scrolling, numbers to the right of their cells.
void Trial2011Window::fitMixTable() {
    fitResultTable(m_ui->mixTable, 4, fontMetrics().horizontalAdvance(QStringLiteral("0000.000")) + 12);
}

void Trial2011Window::bindControls() {
    const CommandGuard guarded(m_context);
    // Every input tells the form which field changed; the form decides what that empties.
    for (const QString& name : T::inputNames()) {
        QWidget* control = findChild<QWidget*>(name);
        const auto changed = guarded([this, name] { fieldChanged(name); });
        if (auto* line = qobject_cast<QLineEdit*>(control))
            connect(line, &QLineEdit::textChanged, this, changed);
        else if (auto* list = qobject_cast<QComboBox*>(control))
            connect(list, &QComboBox::currentIndexChanged, this, changed);
        else if (auto* box = qobject_cast<QCheckBox*>(control))
            connect(box, &QCheckBox::toggled, this, changed);
    }
    connect(m_ui->densityMethod, &QComboBox::currentIndexChanged, this,
            guarded(this, &Trial2011Window::densityMethodChanged));
    connect(m_ui->trialMix, &QPushButton::clicked, this, guarded(this, &Trial2011Window::trialMixClicked));
    connect(m_ui->regress, &QPushButton::clicked, this, guarded(this, &Trial2011Window::regressClicked));
    connect(m_ui->adjust, &QPushButton::clicked, this, guarded(this, &Trial2011Window::adjustClicked));
    connect(m_ui->siteMix, &QPushButton::clicked, this, guarded(this, &Trial2011Window::siteMixClicked));
    connect(m_ui->saveRecord, &QPushButton::clicked, this,
            guarded(this, &Trial2011Window::saveRecordClicked));
    connect(m_ui->openRecord, &QPushButton::clicked, this,
            guarded(this, &Trial2011Window::openRecordClicked));
    connect(m_ui->viewRecord, &QPushButton::clicked, this,
            guarded(this, &Trial2011Window::viewRecordClicked));
}

// At its natural size where the screen holds it, centred on the screen's available area.
void Trial2011Window::centreOnScreen() {
    const QRect area = screen()->availableGeometry();
    resize(sizeHint().boundedTo(area.size()).expandedTo(minimumSizeHint()));
    move(centredPosition(size(), area));
}

void Trial2011Window::takeDesign(const Fields& design) {
    m_form.handOver(design, m_context.today());
    m_savedName.clear();
    densityMethodChanged();
    showChart();
}

void Trial2011Window::fieldChanged(const QString& name) {
    m_form.fieldChanged(name);
    showChart();
}

// The volume method's fields take part only with 体积法, the assumed density only with 质量法.
void Trial2011Window::densityMethodChanged() {
    const bool volume = m_form.volumeMethod();
    for (const QString& name : T::volumeMethodFields)
        setRowEnabled(findChild<QWidget*>(name), volume);
    setRowEnabled(m_ui->assumedDensity, !volume);
}

void Trial2011Window::showChart() {
    const std::optional<TrialChart2011> chart = m_form.chart();
    m_ui->strengthChart->setChart(chart ? std::optional(trialStrengthChart(*chart)) : std::nullopt);
}

void Trial2011Window::trialMixClicked() {
    m_form.trialMix();
    showChart();
}

void Trial2011Window::regressClicked() {
    m_form.regress();
    showChart();
}

void Trial2011Window::adjustClicked() { m_form.adjust(); }
void Trial2011Window::siteMixClicked() { m_form.siteMix(); }

// The record bears the program's day and the chart as the window draws it.
Trial2011Record Trial2011Window::record() {
    const Trial2011Form& form = m_form;
    const auto picture = [&form]() -> QByteArray {
        const std::optional<TrialChart2011> chart = form.chart();
        if (!chart)
            return {};
        return ChartPainter(trialStrengthChart(*chart)).png();
    };
    return Trial2011Record(m_fields, m_context.prompter, m_context.spreadsheets, m_context.launcher,
                           m_context.paths, picture, m_context.today());
}

void Trial2011Window::saveRecordClicked() {
    const BusyCursor busy;
    const QString saved = record().save(m_form);
    if (!saved.isEmpty()) {
        m_savedName = saved;
        m_form.markSaved();
    } else {
        m_fields.setText(T::recordStatus, QString());
    }
}

void Trial2011Window::openRecordClicked() {
    const BusyCursor busy;
    const auto texts = record().load();
    if (!texts)
        return;
    if (!m_form.restore(*texts)) {
        showStop(m_context.prompter, Trial2011Record::notARecordMessage());
        return;
    }
    m_savedName = m_fields.text(T::recordName).trimmed();
    m_fields.setText(T::recordStatus, QString());
    densityMethodChanged();
    showChart();
}

void Trial2011Window::viewRecordClicked() { record().view(m_savedName); }

void Trial2011Window::closeEvent(QCloseEvent* event) {
    if (m_form.modified()) {
        MessageBoxRequest question;
        question.text = QStringLiteral("试配数据尚未保存，关闭窗口将丢弃这些数据。是否关闭？");
        question.icon = MessageIcon::Question;
        question.buttons = MessageButtons::YesNo;
        if (m_context.prompter.message(question) != MessageButton::Yes) {
            event->ignore();
            return;
        }
    }
    event->accept();
}
