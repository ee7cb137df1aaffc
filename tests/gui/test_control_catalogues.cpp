#include "adjust/form8.h"
#include "adjust/tiaozheng.h"
#include "admixture/wai.h"
#include "design/form1.h"
#include "info/infocontrols.h"
#include "support/testprogram.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

Q_DECLARE_METATYPE(const QList<Control>*)

namespace {

// Whether the widget is of the kind the catalogue gives.
bool isKind(const QWidget* widget, ControlKind kind) {
    const bool field = qobject_cast<const QLineEdit*>(widget);
    const bool text = qobject_cast<const QPlainTextEdit*>(widget);
    const bool list = qobject_cast<const QComboBox*>(widget);
    const bool label = qobject_cast<const QLabel*>(widget);
    const bool button = qobject_cast<const QAbstractButton*>(widget);
    const bool frame = qobject_cast<const QGroupBox*>(widget);
    switch (kind) {
    case ControlKind::Field:
        return field;
    case ControlKind::TextArea:
        return text;
    case ControlKind::List:
        return list;
    case ControlKind::Label:
        return label;
    case ControlKind::Button:
        return button;
    case ControlKind::Frame:
        return frame;
    case ControlKind::Picture:
        return !(field || text || list || label || button || frame);
    }
    return false;
}

// A name of the old controls' form: letters, then a number.
const QRegularExpression kControlName(QStringLiteral("^[A-Za-z]+[0-9]+$"));

} // namespace

class TestControlCatalogues : public QObject {
    Q_OBJECT

private slots:
    void windowMatchesCatalogue_data();
    void windowMatchesCatalogue();
    void commandControlsAreTheFieldsListsAndDateTag();
};

void TestControlCatalogues::windowMatchesCatalogue_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<const QList<Control>*>("catalogue");
    QTest::newRow("main") << Form1::window << &Form1::controls();
    QTest::newRow("adjustment") << Tiaozheng::window << &Tiaozheng::controls();
    QTest::newRow("admixture") << Wai::window << &Wai::controls();
    QTest::newRow("chart") << Form8::window << &Form8::controls();
    QTest::newRow("statement") << Form2::window << &Form2::controls();
    QTest::newRow("agreement") << Form5::window << &Form5::controls();
    QTest::newRow("help") << Form6::window << &Form6::controls();
    QTest::newRow("service") << Form7::window << &Form7::controls();
}

// Every catalogued name is one widget of its kind in its window, and the window names no control the
// catalogue lacks.
void TestControlCatalogues::windowMatchesCatalogue() {
    QFETCH(QString, window);
    QFETCH(const QList<Control>*, catalogue);
    TestProgram program;
    QWidget* shown = program.windows->open(window);
    QVERIFY(shown);

    QSet<QString> names;
    for (const Control& control : *catalogue) {
        QVERIFY2(!names.contains(control.name), qPrintable(control.name + QStringLiteral(" twice")));
        names.insert(control.name);
        const QList<QWidget*> found = shown->findChildren<QWidget*>(control.name);
        QVERIFY2(found.size() == 1, qPrintable(control.name));
        QVERIFY2(isKind(found.first(), control.kind), qPrintable(control.name));
    }
    for (const QWidget* child : shown->findChildren<QWidget*>()) {
        if (kControlName.match(child->objectName()).hasMatch())
            QVERIFY2(names.contains(child->objectName()), qPrintable(child->objectName()));
    }
}

// The texts the main window's commands use, for the tests and the benchmark that run them without the window.
void TestControlCatalogues::commandControlsAreTheFieldsListsAndDateTag() {
    const QStringList names = Form1::commandControls();
    QCOMPARE(names.size(), 40);
    QVERIFY(names.contains(Form1::sentAdmixtureWater));
    QVERIFY(names.contains(Form1::sigmaCheck));
    QVERIFY(names.contains(Form1::dateTag));
    QVERIFY(names.contains(Form1::reinforcement));
    QVERIFY(!names.contains(Form1::automaticButton));
}

QTEST_MAIN(TestControlCatalogues)
#include "test_control_catalogues.moc"
