#include "ui/infowindow.h"

#include "info/infocontrols.h"
#include "info/infotexts.h"
#include "info/links.h"
#include "ui/appcontext.h"
#include "ui/commandguard.h"
#include "ui/eventhooks.h"
#include "ui/screenplacement.h"
#include "ui/twips.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace {

// The windows' texts are set in SimSun where it exists, else in the nearest Song face of this desktop.
QFont songFont(double points) {
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("Noto Serif CJK SC")});
    font.setPointSizeF(points);
    return font;
}

// A text laid out in lines of its own is shown unwrapped; where its widest line is wider than the field, the
// font shrinks in quarter points (not below 9 pt) so that no line breaks a second time.
void fitLines(QPlainTextEdit* field) {
    field->setLineWrapMode(QPlainTextEdit::NoWrap);
    const int chrome = 2 * field->frameWidth() + 2 * int(field->document()->documentMargin()) +
                       field->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, field) + 4;
    const int available = field->width() - chrome;
    const QStringList lines = field->toPlainText().split(u'\n');
    QFont font = field->font();
    while (font.pointSizeF() > 9) {
        const QFontMetricsF metrics(font);
        qreal widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        if (widest <= available)
            break;
        font.setPointSizeF(font.pointSizeF() - 0.25);
    }
    field->setFont(font);
}

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, int left, int top, int width,
                 int height) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(px(left), px(top), px(width), px(height));
    return label;
}

} // namespace

InfoWindow::InfoWindow(const QString& name, const AppContext& context) : m_context(context) {
    setObjectName(name);
    if (name == Form2::window)
        buildStatement();
    else if (name == Form5::window)
        buildAgreement();
    else if (name == Form6::window)
        buildUsageHelp();
    else
        buildService();
    centreOnScreen();
}

bool InfoWindow::isInfoWindow(const QString& name) {
    return name == Form2::window || name == Form5::window || name == Form6::window || name == Form7::window;
}

QPlainTextEdit* InfoWindow::addText(const QString& text, int left, int top, int width, int height,
                                    double points) {
    auto* field = new QPlainTextEdit(this);
    field->setObjectName(Form2::text); // the same name in Form5 and Form6
    field->setReadOnly(true);
    field->setFont(songFont(points));
    field->setPlainText(text);
    field->setGeometry(px(left), px(top), px(width), px(height));
    return field;
}

void InfoWindow::buildStatement() {
    setWindowTitle(QStringLiteral("重要声明"));
    setFixedSize(px(10515), px(8490));
    QLabel* heading = addLabel(this, Form2::heading, QStringLiteral("重要声明"), 4560, 360, 1335, 375);
    QFont bold = songFont(15.75);
    bold.setBold(true);
    heading->setFont(bold);
    fitLines(addText(statementText(), 360, 960, 9735, 7095, 14.25));
}

void InfoWindow::buildAgreement() {
    setWindowTitle(QStringLiteral("安装协议"));
    setFixedSize(px(12390), px(10080));
    addText(agreementText(), 480, 480, 11415, 9135, 12);
}

void InfoWindow::buildUsageHelp() {
    setWindowTitle(QStringLiteral("使用帮助"));
    setFixedSize(px(11280), px(10230));
    fitLines(addText(usageHelpText(), 360, 240, 10455, 9735, 12));
}

void InfoWindow::buildService() {
    setWindowTitle(QStringLiteral("客服信息"));
    setFixedSize(px(9555), px(6810));
    struct Place {
        QString name;
        int top, width, height;
    };
    const Place places[] = {{Form7::title, 600, 3990, 285},     {Form7::edition, 1080, 6840, 240},
                            {Form7::greeting, 1680, 2280, 285}, {Form7::message, 2160, 8775, 1215},
                            {Form7::thanks, 3480, 8775, 615},   {Form7::phone, 4440, 6645, 285},
                            {Form7::mail, 4920, 5295, 285},     {Form7::qq, 5400, 3540, 285},
                            {Form7::link, 5880, 6855, 375}};
    const QList<ServiceLabel> labels = serviceLabels();
    for (const Place& place : places) {
        const QString& name = place.name;
        const auto text = std::find_if(labels.begin(), labels.end(),
                                       [&name](const ServiceLabel& label) { return label.name == name; });
        addLabel(this, name, text == labels.end() ? QString() : text->text, 480, place.top, place.width,
                 place.height);
    }

    auto* title = findChild<QLabel*>(Form7::title);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    auto* link = findChild<QLabel*>(Form7::link);
    link->setCursor(Qt::PointingHandCursor);
    link->setToolTip(programPageUrl(m_context.paths));
    QFont underlined = link->font();
    underlined.setUnderline(true);
    link->setFont(underlined);
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    link->setPalette(palette);
    onClick(link, CommandGuard(m_context)(this, &InfoWindow::Label3_Click));
}

// Centred on the screen, kept inside it where the screen is smaller than the window.
void InfoWindow::centreOnScreen() { move(centredPosition(size(), screen()->availableGeometry())); }

void InfoWindow::Label3_Click() { openProgramPage(m_context.launcher, m_context.paths); }
