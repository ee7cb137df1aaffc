#include "ui/admixturewindow.h"

#include "admixture/wai.h"
#include "ui/commandguard.h"
#include "ui/mainwindow.h"
#include "ui/screenplacement.h"
#include "ui/twips.h"
#include "ui/windowmanager.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace {

// The window's spot on the screen and its client size.
constexpr int kLeft = px(9840);
constexpr int kTop = px(6480);
constexpr int kWidth = px(4680);
constexpr int kHeight = px(3960);

} // namespace

AdmixtureWindow::AdmixtureWindow(WindowManager& windows)
    : m_windows(windows), m_fields(this), m_water(m_fields, windows.context().prompter) {
    setObjectName(Wai::window);
    setWindowTitle(QStringLiteral("计算掺外加剂用水量"));
    setFixedSize(kWidth, kHeight);
    buildControls();
    m_water.load();
    placeOnScreen();
}

void AdmixtureWindow::buildControls() {
    // A caption beside its field, centred on the field's row, as high as its wrapped lines need.
    const auto label = [this](const QString& name, const QString& caption, int left, int fieldTop,
                              int width) {
        auto* widget = new QLabel(caption, this);
        widget->setObjectName(name);
        widget->setTextFormat(Qt::PlainText);
        widget->setWordWrap(true);
        const int height = std::max(px(375), widget->heightForWidth(px(width)));
        widget->setGeometry(px(left), px(fieldTop) + (px(375) - height) / 2, px(width), height);
        return widget;
    };
    const auto field = [this](const QString& name, int left, int top) {
        auto* widget = new QLineEdit(this);
        widget->setObjectName(name);
        widget->setGeometry(px(left), px(top), px(1455), px(375));
        return widget;
    };
    const auto button = [this](const QString& name, const QString& caption, int left, int top) {
        auto* widget = new QPushButton(caption, this);
        widget->setObjectName(name);
        widget->setGeometry(px(left), px(top), px(1455), px(375));
        return widget;
    };

    label(Wai::baseWaterLabel, QStringLiteral("基准配合比未掺外加剂单位用水量（Kg）："), 360, 240, 1935);
    QLineEdit* base = field(Wai::baseWater, 2520, 240);
    label(Wai::reductionRateLabel, QStringLiteral("外掺剂减水率（%）："), 360, 720, 1935);
    QLineEdit* rate = field(Wai::reductionRate, 2520, 720);
    QPushButton* compute = button(Wai::computeButton, QStringLiteral("计算"), 2520, 1800);
    QLineEdit* result = field(Wai::result, 2520, 1200);
    label(Wai::resultLabel, QStringLiteral("掺外加剂混凝土单位用水量（%）："), 360, 1200, 1935);
    QPushButton* sendBack = button(Wai::sendBackButton, QStringLiteral("导回用水量"), 600, 1800);
    auto* note = new QPlainTextEdit(this);
    note->setObjectName(Wai::note);
    note->setReadOnly(true);
    note->setGeometry(px(120), px(2280), px(4455), px(1455));
    note->setPlainText(admixtureNote());

    setTabOrder(base, rate);
    setTabOrder(rate, compute);
    setTabOrder(compute, result);
    setTabOrder(result, sendBack);
    setTabOrder(sendBack, note);

    const CommandGuard guarded(m_windows.context());
    connect(compute, &QPushButton::clicked, this, guarded(this, &AdmixtureWindow::Command1_Click));
    connect(sendBack, &QPushButton::clicked, this, guarded(this, &AdmixtureWindow::Command2_Click));
}

// Its fixed spot, pulled back onto the screen where the screen is too small to hold it there.
void AdmixtureWindow::placeOnScreen() {
    const QRect area = screen()->availableGeometry();
    move(onScreenPosition(QRect(area.topLeft() + QPoint(kLeft, kTop), size()), area));
}

bool AdmixtureWindow::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::Show || event->type() == QEvent::Move)
        keepOnScreen();
    return handled;
}

// Moves the window, frame and all, up and left just enough to lie wholly on the available screen area.
void AdmixtureWindow::keepOnScreen() {
    const QRect frame = frameGeometry();
    const QPoint target = onScreenPosition(frame, screen()->availableGeometry());
    if (target != frame.topLeft())
        move(pos() + (target - frame.topLeft()));
}

void AdmixtureWindow::receiveBaseWater(const QString& text) { m_water.receiveBaseWater(text); }

void AdmixtureWindow::Command1_Click() { m_water.computeWater(); }

// Without the main window there is no field to send the water content to.
void AdmixtureWindow::Command2_Click() {
    if (MainWindow* main = m_windows.mainWindow())
        m_water.sendWaterBack(main->fields());
}
