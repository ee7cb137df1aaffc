#include "ui/chartwindow.h"

#include "adjust/form8.h"
#include "common/prompter.h"
#include "ui/chartpainter.h"
#include "ui/commandguard.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPushButton>

#include <utility>

namespace {

constexpr int kMargin = 8;
constexpr int kButtonHeight = 28;

} // namespace

ChartWindow::ChartWindow(Prompter& prompter, InstallPaths paths, const CommandGuard& guarded, QWidget* parent)
    : QWidget(parent), m_prompter(prompter), m_paths(std::move(paths)),
      m_save(new QPushButton(QStringLiteral("保存图片"), this)) {
    setObjectName(Form8::window);
    setWindowTitle(QStringLiteral("强度与灰水比关系图"));
    m_save->setObjectName(Form8::savePictureButton);
    connect(m_save, &QPushButton::clicked, this, guarded(this, &ChartWindow::Command1_Click));
    const QSize chart = ChartPainter::defaultSize();
    setMinimumSize(560, 420);
    resize(chart.width() + 2 * kMargin, chart.height() + 3 * kMargin + kButtonHeight);
}

QRect ChartWindow::chartArea() const {
    return rect().adjusted(kMargin, kMargin, -kMargin, -(2 * kMargin + kButtonHeight));
}

void ChartWindow::setChart(const StrengthChart& chart) {
    m_chart = chart;
    update();
}

void ChartWindow::resizeEvent(QResizeEvent*) {
    constexpr int kButtonWidth = 96;
    m_save->setGeometry(width() - kMargin - kButtonWidth, height() - kMargin - kButtonHeight, kButtonWidth,
                        kButtonHeight);
}

void ChartWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    ChartPainter(m_chart).paint(painter, chartArea());
}

// "保存图片": the chart at its picture size, into a PNG file chosen in a dialog that starts in the
// installation folder.
void ChartWindow::Command1_Click() {
    FileSaveRequest request;
    request.filter = QStringLiteral("PNG图片(*.png)|*.png|");
    request.folder = m_paths.root();
    request.name = QStringLiteral("强度与灰水比关系图.png");
    std::optional<QString> path = m_prompter.saveFile(request);
    if (!path)
        return;
    if (QFileInfo(*path).suffix().isEmpty())
        *path += QStringLiteral(".png");
    const QByteArray png = ChartPainter(m_chart).png();
    QFile file(*path);
    if (png.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(png) != png.size() || !file.flush()) {
        MessageBoxRequest box;
        box.text = QStringLiteral("图片没有保存，请检查文件名和文件夹：") + *path;
        box.icon = MessageIcon::Exclamation;
        box.buttons = MessageButtons::Ok;
        box.defaultButton = MessageButton::Ok;
        m_prompter.message(box);
        if (file.isOpen())
            file.remove();
    }
}
