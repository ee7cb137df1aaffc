#include "common/mapfields.h"
#include "common/scriptedprompter.h"
#include "design/form1.h"
#include "report/recordingspreadsheet.h"
#include "report/reportexport.h"
#include "report/spreadsheetsession.h"
#include "support/form1fields.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {

const QString kFailure = QStringLiteral("您输入的参数值对吗？");

// One result column with a distinct value in every row, in the order T D F R W C P S K.
const QStringList kResults = {QStringLiteral("38.225"), QStringLiteral("5"),   QStringLiteral("48.025"),
                              QStringLiteral("0.52"),   QStringLiteral("185"), QStringLiteral("350"),
                              QStringLiteral("0.350"),  QStringLiteral("650"), QStringLiteral("1215")};

void fillShared(MapFields& fields) {
    fields.setText(Form1::gradeStrength, QStringLiteral("30"));
    fields.setText(Form1::stoneSize, QStringLiteral("31.5"));
    fields.setText(Form1::slump, QStringLiteral("35-50"));
    fields.setText(Form1::coefficientA, QStringLiteral("0.46"));
    fields.setText(Form1::coefficientB, QStringLiteral("0.07"));
    fields.setText(Form1::density, QStringLiteral("2400"));
    fields.setText(Form1::ratioCheck, QStringLiteral("水灰比符合规定！"));
    fields.setText(Form1::cementCheck, QStringLiteral("水泥用量符合规定！"));
    fields.setText(Form1::fileName, QStringLiteral("A1"));
    fields.setText(Form1::cementGrade, QStringLiteral("42.5"));
    fields.setText(Form1::cementFactor, QStringLiteral("1.13"));
    fields.setText(Form1::environment, QStringLiteral("潮湿环境无冻害"));
    fields.setText(Form1::reinforcement, QStringLiteral("钢筋混凝土"));
    fields.setText(Form1::sigmaCheck, QStringLiteral("混凝土强度标准差符合规定！"));
}

void fillColumn(MapFields& fields, const QStringList& column, const QStringList& values) {
    for (int i = 0; i < values.size(); ++i)
        fields.setText(column[i], values[i]);
}

// The cell lines of a complete export of kResults.
QStringList filledCells() {
    return {
        "XLS cell 8 7 text \"30\"",
        "XLS cell 9 7 text \"5\"",
        "XLS cell 10 7 text \"38.225\"",
        "XLS cell 11 7 text \"48.025\"",
        "XLS cell 12 7 text \"0.46\"",
        "XLS cell 13 7 text \"0.07\"",
        "XLS cell 14 7 text \"35-50\"",
        "XLS cell 15 7 text \"31.5\"",
        "XLS cell 16 7 text \"185\"",
        "XLS cell 17 7 text \"0.52\"",
        "XLS cell 18 7 text \"0.52\"",
        "XLS cell 19 7 text \"31.5\"",
        "XLS cell 20 7 text \"2400\"",
        "XLS cell 21 7 text \"350\"",
        "XLS cell 22 7 text \"185\"",
        "XLS cell 23 7 number 35",
        "XLS cell 24 7 text \"650\"",
        "XLS cell 25 7 text \"2400\"",
        "XLS cell 26 7 text \"185\"",
        "XLS cell 27 7 text \"350\"",
        "XLS cell 28 7 text \"350\"",
        "XLS cell 29 7 text \"185\"",
        "XLS cell 30 7 text \"650\"",
        "XLS cell 31 7 text \"1215\"",
        "XLS cell 8 9 text \"38.225\"",
        "XLS cell 10 9 text \"0.52\"",
        "XLS cell 14 9 text \"185\"",
        "XLS cell 16 9 text \"350\"",
        "XLS cell 18 9 number 35",
        "XLS cell 20 9 text \"650\"",
        "XLS cell 24 9 text \"1215\"",
        "XLS cell 28 9 number 1",
        "XLS cell 29 9 text \"1.86\"",
        "XLS cell 30 9 text \"3.47\"",
        "XLS cell 31 9 text \"0.53\"",
        "XLS cell 2 8 text \"35-50mm\"",
        "XLS cell 3 8 text \"水灰比符合规定！\"",
        "XLS cell 4 8 text \"水泥用量符合规定！\"",
        // The record beyond the map.
        "XLS cell 5 8 text \"2026-12-7\"",
        "XLS cell 32 7 text \"42.5\"",
        "XLS cell 33 7 text \"1.13\"",
        "XLS cell 34 7 text \"潮湿环境无冻害\"",
        "XLS cell 35 7 text \"钢筋混凝土\"",
        "XLS cell 36 7 text \"0.60\"",
        "XLS cell 37 7 text \"280\"",
        "XLS cell 38 7 text \"混凝土强度标准差符合规定！\"",
        "XLS cell 39 7 text \"用水量未取自掺外加剂用水量计算\"",
    };
}

// The lines of an export before any calculation, up to the failing ratio.
QStringList emptyCells() {
    QStringList lines;
    lines << "XLS cell 8 7 text \"30\""
          << "XLS cell 9 7 text \"\""
          << "XLS cell 10 7 text \"\""
          << "XLS cell 11 7 text \"\""
          << "XLS cell 12 7 text \"0.46\""
          << "XLS cell 13 7 text \"0.07\""
          << "XLS cell 14 7 text \"35-50\""
          << "XLS cell 15 7 text \"31.5\"";
    for (int row = 16; row <= 18; ++row)
        lines << QStringLiteral("XLS cell %1 7 text \"\"").arg(row);
    lines << "XLS cell 19 7 text \"31.5\""
          << "XLS cell 20 7 text \"2400\""
          << "XLS cell 21 7 text \"\""
          << "XLS cell 22 7 text \"\""
          << "XLS cell 23 7 number 0"
          << "XLS cell 24 7 text \"\""
          << "XLS cell 25 7 text \"2400\"";
    for (int row = 26; row <= 31; ++row)
        lines << QStringLiteral("XLS cell %1 7 text \"\"").arg(row);
    lines << "XLS cell 8 9 text \"\""
          << "XLS cell 10 9 text \"\""
          << "XLS cell 14 9 text \"\""
          << "XLS cell 16 9 text \"\""
          << "XLS cell 18 9 number 0"
          << "XLS cell 20 9 text \"\""
          << "XLS cell 24 9 text \"\""
          << "XLS cell 28 9 number 1";
    return lines;
}

// Everything one export needs, with one transcript of the prompter's and the spreadsheet's lines.
struct Rig {
    Rig() : prompter(sink()), spreadsheets(sink()), fields(form1FieldNames()) {
        QDir(root.path()).mkpath(QStringLiteral("mb"));
        QFile templ(root.filePath(QStringLiteral("mb/phm.xls")));
        templ.open(QIODevice::WriteOnly);
        fillShared(fields);
    }
    std::function<void(const QString&)> sink() {
        return [this](const QString& line) { log << line; };
    }
    QString path(const QString& name) const { return root.path() + u'/' + name; }
    void run(int command) {
        ReportExport exporter(fields, prompter, spreadsheets, InstallPaths(root.path()),
                              [] { return QDate(2026, 12, 7); });
        switch (command) {
        case 10:
            exporter.saveAutomaticReport();
            break;
        case 11:
            exporter.saveStepwiseReport();
            break;
        case 12:
            exporter.showAutomaticReport();
            break;
        case 13:
            exporter.showStepwiseReport();
            break;
        }
    }
    // The transcript with each message box line shortened to "MSGBOX <text>" and the temporary files of a
    // save-and-quit export named "<temporary>".
    QStringList lines() const {
        const QRegularExpression temporary(QStringLiteral("^XLS (saveas|pdf) \"") +
                                           QRegularExpression::escape(path(QStringLiteral(".mixdesign-"))) +
                                           QStringLiteral("\\d+-[^/]{6}\\.(xls|pdf)\"$"));
        QStringList out;
        for (const QString& line : log) {
            if (line.startsWith(QStringLiteral("MSGBOX"))) {
                const qsizetype from = line.indexOf(QStringLiteral(" text=\"")) + 7;
                out << QStringLiteral("MSGBOX ") +
                           line.mid(from, line.lastIndexOf(QStringLiteral("\" ->")) - from);
            } else if (const QRegularExpressionMatch match = temporary.match(line); match.hasMatch())
                out << QStringLiteral("XLS %1 <temporary>").arg(match.captured(1));
            else
                out << line;
        }
        return out;
    }
    QStringList opening(bool visible, const QString& name = QStringLiteral("A1")) const {
        return {QStringLiteral("XLS start visible=%1").arg(visible ? 1 : 0),
                "XLS open \"" + path(QStringLiteral("mb/phm.xls")) + "\" template",
                "XLS author \"" + path(name + QStringLiteral(".xls")) + u'"', "XLS font name=\"system\"",
                "XLS sheet name=\"普通混凝土配合比设计\""};
    }
    // Saved into the temporary files and quit; a report left open is then opened from its saved file in a
    // window and handed over.
    QStringList closing(bool visible, const QString& name = QStringLiteral("A1")) const {
        QStringList lines = {"XLS saveas <temporary>", "XLS pdf <temporary>", "XLS quit"};
        if (visible)
            lines << "XLS start visible=1"
                  << "XLS open \"" + path(name + QStringLiteral(".xls")) + u'"' << "XLS handover";
        return lines;
    }
    // Files of the installation folder other than mb/.
    QStringList files() const {
        return QDir(root.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    QTemporaryDir root;
    QStringList log;
    ScriptedPrompter prompter;
    RecordingSpreadsheetFactory spreadsheets;
    MapFields fields;
};

} // namespace

class ReportExportTest : public QObject {
    Q_OBJECT

private slots:
    void completeExport_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("stepwise");
        QTest::newRow("automatic column saves") << 10 << false;
        QTest::newRow("stepwise column saves") << 11 << true;
        QTest::newRow("automatic column leaves open") << 12 << false;
        QTest::newRow("stepwise column leaves open") << 13 << true;
    }
    // Every cell from the button's column; the other column holds decoys that must not appear.
    void completeExport() {
        QFETCH(int, command);
        QFETCH(bool, stepwise);
        Rig rig;
        QStringList decoys;
        for (int i = 0; i < 9; ++i)
            decoys << QStringLiteral("9%1").arg(i);
        fillColumn(rig.fields, stepwise ? Form1::stepwiseColumn() : Form1::automaticColumn(), kResults);
        fillColumn(rig.fields, stepwise ? Form1::automaticColumn() : Form1::stepwiseColumn(), decoys);
        rig.run(command);
        const bool leaveOpen = command >= 12;
        // The workbook and its PDF are written by a hidden instance either way.
        QStringList expected = rig.opening(false) + filledCells() + rig.closing(leaveOpen);
        QCOMPARE(rig.lines(), expected);
        QVERIFY(rig.prompter.messages().isEmpty());
        QCOMPARE(rig.spreadsheets.running(), leaveOpen ? 1 : 0);
        // The recorder writes nothing; the export put its temporary files in place.
        QCOMPARE(rig.files(), (QStringList{"A1.pdf", "A1.xls"}));
    }

    // The stepwise report says where its water came from: the admixture window, as long as Text21 holds what
    // that window sent.
    void waterSourceLine_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("line");
        const QString from = "XLS cell 39 7 text \"用水量取自掺外加剂用水量计算\"";
        const QString other = "XLS cell 39 7 text \"用水量未取自掺外加剂用水量计算\"";
        QTest::newRow("stepwise, sent") << 11 << "185" << from;
        QTest::newRow("stepwise left open, sent") << 13 << "185" << from;
        QTest::newRow("stepwise, other water sent before") << 11 << "157.25" << other;
        QTest::newRow("automatic, sent") << 10 << "185" << other;
    }
    void waterSourceLine() {
        QFETCH(int, command);
        QFETCH(QString, sent);
        QFETCH(QString, line);
        Rig rig;
        fillColumn(rig.fields, Form1::automaticColumn(), kResults);
        fillColumn(rig.fields, Form1::stepwiseColumn(), kResults);
        rig.fields.setText(Form1::sentAdmixtureWater, sent);
        rig.run(command);
        QVERIFY2(rig.lines().contains(line), qPrintable(rig.lines().join(u'\n')));
    }

    void beforeAnyCalculation_data() {
        QTest::addColumn<int>("command");
        QTest::newRow(qPrintable(Form1::saveAutomaticButton)) << 10;
        QTest::newRow(qPrintable(Form1::saveStepwiseButton)) << 11;
        QTest::newRow(qPrintable(Form1::showAutomaticButton)) << 12;
        QTest::newRow(qPrintable(Form1::showStepwiseButton)) << 13;
    }
    // Empty results: written up to I28; the instance is ended, hidden or visible, then the message; no file
    // is written or left.
    void beforeAnyCalculation() {
        QFETCH(int, command);
        Rig rig;
        rig.prompter.queueAnswer(MessageButton::No);
        rig.run(command);
        QStringList expected = rig.opening(false) + emptyCells();
        expected << "XLS quit"
                 << "MSGBOX " + kFailure;
        QCOMPARE(rig.lines(), expected);
        QCOMPARE(rig.prompter.messages().size(), 1);
        QCOMPARE(rig.prompter.messages()[0].icon, MessageIcon::Question);
        QCOMPARE(rig.prompter.messages()[0].buttons, MessageButtons::YesNo);
        QCOMPARE(rig.spreadsheets.running(), 0);
        QCOMPARE(rig.files(), QStringList());
    }

    void unsafeNameRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("command");
        QTest::newRow("slash") << "../A1" << 10;
        QTest::newRow("absolute") << "/tmp/A1" << 12;
        QTest::newRow("backslash") << "a\\b" << 11;
        QTest::newRow("dot") << "." << 13;
        QTest::newRow("dot dot") << ".." << 10;
        QTest::newRow("hidden, like a scratch file") << ".mixdesign-99999-abcdef" << 10;
        QTest::newRow("hidden, visible export") << ".A1" << 12;
    }
    // Refused before any instance is started or any file is written.
    void unsafeNameRefused() {
        QFETCH(QString, name);
        QFETCH(int, command);
        Rig rig;
        fillColumn(rig.fields, Form1::automaticColumn(), kResults);
        fillColumn(rig.fields, Form1::stepwiseColumn(), kResults);
        rig.fields.setText(Form1::fileName, name);
        rig.prompter.queueAnswer(MessageButton::Yes);
        rig.run(command);
        QCOMPARE(rig.lines(), QStringList{"MSGBOX " + kFailure});
        QCOMPARE(rig.spreadsheets.running(), 0);
    }

    void emptyNameStillExports() {
        Rig rig;
        fillColumn(rig.fields, Form1::automaticColumn(), kResults);
        rig.fields.setText(Form1::fileName, QString());
        rig.run(10);
        QCOMPARE(rig.lines().mid(0, 5), rig.opening(false, QString()));
        QCOMPARE(rig.lines().last(), QStringLiteral("XLS quit"));
        QCOMPARE(rig.files(), (QStringList{".pdf", ".xls"}));
    }

    void refusedTarget_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("command");
        QTest::newRow("link, hidden") << "link" << 10;
        QTest::newRow("link, visible") << "link" << 12;
        QTest::newRow("folder") << "folder" << 11;
        QTest::newRow("open elsewhere, hidden") << "in use" << 10;
        QTest::newRow("open elsewhere, visible") << "in use" << 13;
        QTest::newRow("244 bytes") << "long" << 10;
    }
    // Refused before any instance starts: nothing written, the link's target untouched.
    void refusedTarget() {
        QFETCH(QString, kind);
        QFETCH(int, command);
        Rig rig;
        fillColumn(rig.fields, Form1::automaticColumn(), kResults);
        fillColumn(rig.fields, Form1::stepwiseColumn(), kResults);
        QTemporaryDir elsewhere;
        const QString outside = elsewhere.filePath(QStringLiteral("kept.xls"));
        QFile(outside).open(QIODevice::WriteOnly);
        if (kind == QStringLiteral("link"))
            QVERIFY(QFile::link(outside, rig.path(QStringLiteral("A1.xls"))));
        else if (kind == QStringLiteral("folder"))
            QVERIFY(QDir(rig.root.path()).mkdir(QStringLiteral("A1.xls")));
        else if (kind == QStringLiteral("in use"))
            rig.spreadsheets.setInUse(rig.path(QStringLiteral("A1.xls")));
        else
            rig.fields.setText(Form1::fileName, QString(81, QChar(u'混')) + QStringLiteral("x"));
        const bool inUse = kind == QStringLiteral("in use");
        rig.prompter.queueAnswer(inUse ? MessageButton::Ok : MessageButton::Yes);
        rig.run(command);
        // A report open elsewhere is no fault of the inputs: the box says what it is.
        const QString expected =
            inUse ? QStringLiteral("MSGBOX 文件“A1.xls”正在被其他程序使用，请关闭后再保存。")
                  : "MSGBOX " + kFailure;
        QCOMPARE(rig.lines(), QStringList{expected});
        QCOMPARE(QFileInfo(outside).size(), 0);
        QCOMPARE(rig.files().filter(QStringLiteral(".mixdesign-")), QStringList());
    }

    // A saved report is readable as any new file of the user's, not private like a temporary file.
    void savedReportHasTheUsersAccess() {
        const mode_t old = ::umask(022);
        Rig rig;
        fillColumn(rig.fields, Form1::automaticColumn(), kResults);
        rig.run(10);
        ::umask(old);
        for (const char* name : {"A1.xls", "A1.pdf"}) {
            const QFile::Permissions access = QFileInfo(rig.path(QLatin1String(name))).permissions();
            QVERIFY2(access.testFlag(QFile::ReadGroup) && access.testFlag(QFile::ReadOther), name);
            QVERIFY2(!access.testFlag(QFile::WriteOther), name);
        }
    }

    // The longest name whose lock name still fits is exported.
    void longestNameExports() {
        Rig rig;
        fillColumn(rig.fields, Form1::automaticColumn(), kResults);
        const QString name = QString(81, QChar(u'混'));
        QCOMPARE(name.toUtf8().size(), 243);
        rig.fields.setText(Form1::fileName, name);
        rig.run(10);
        QCOMPARE(rig.lines().last(), QStringLiteral("XLS quit"));
        QCOMPARE(rig.files(), (QStringList{name + QStringLiteral(".pdf"), name + QStringLiteral(".xls")}));
    }

    void lostOffice_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("stopped");
        QTest::newRow("stopped, hidden") << 10 << true;
        QTest::newRow("stopped, visible") << 12 << true;
        QTest::newRow("killed, hidden") << 10 << false;
    }
    // An office that stops answering or dies: the instance is ended, the message follows, the old report
    // stays. One that did not answer is said to be so, not blamed on the inputs.
    void lostOffice() {
        QFETCH(int, command);
        QFETCH(bool, stopped);
        Rig rig;
        fillColumn(rig.fields, Form1::automaticColumn(), kResults);
        QFile old(rig.path(QStringLiteral("A1.xls")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("complete report");
        old.close();
        rig.spreadsheets.injectFault(stopped ? StartFault::Stop : StartFault::Kill);
        rig.prompter.queueAnswer(stopped ? MessageButton::Ok : MessageButton::Yes);
        rig.run(command);
        const QString message = stopped ? QStringLiteral("电子表格程序没有响应，请稍后再试。") : kFailure;
        QCOMPARE(rig.lines(),
                 (QStringList{QStringLiteral("XLS start visible=0"), "XLS quit", "MSGBOX " + message}));
        if (stopped) {
            QCOMPARE(rig.prompter.messages().last().icon, MessageIcon::Stop);
            QCOMPARE(rig.prompter.messages().last().buttons, MessageButtons::Ok);
        }
        QCOMPARE(rig.spreadsheets.running(), 0);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("complete report"));
        QCOMPARE(rig.files(), QStringList{"A1.xls"});
    }

    // No spreadsheet application at all: the stop box that says so, not the question about the inputs.
    void unavailable() {
        class Missing : public RecordingSpreadsheetFactory {
        public:
            Missing() : RecordingSpreadsheetFactory(nullptr) {}
            std::unique_ptr<Spreadsheet> start(bool) override { throw SpreadsheetUnavailable("no soffice"); }
        } missing;
        MapFields fields(form1FieldNames());
        fillShared(fields);
        fillColumn(fields, Form1::automaticColumn(), kResults);
        QTemporaryDir root;
        ScriptedPrompter prompter;
        prompter.queueAnswer(MessageButton::Ok);
        ReportExport(fields, prompter, missing, InstallPaths(root.path())).saveAutomaticReport();
        QCOMPARE(prompter.messages().size(), 1);
        const MessageBoxRequest box = prompter.messages()[0];
        QCOMPARE(box.text, QStringLiteral("无法启动电子表格程序 LibreOffice Calc，请确认已经安装。"));
        QCOMPARE(box.title, QStringLiteral("重要提示"));
        QCOMPARE(box.icon, MessageIcon::Stop);
        QCOMPARE(box.buttons, MessageButtons::Ok);
        QCOMPARE(QDir(root.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void missingTemplate_data() {
        QTest::addColumn<int>("command");
        QTest::newRow("hidden") << 10;
        QTest::newRow("visible") << 12;
    }
    // Nothing to show: the instance is ended in both cases, and the template is named.
    void missingTemplate() {
        QFETCH(int, command);
        Rig rig;
        fillColumn(rig.fields, Form1::automaticColumn(), kResults);
        QFile::remove(rig.path(QStringLiteral("mb/phm.xls")));
        rig.prompter.queueAnswer(MessageButton::Ok);
        rig.run(command);
        const QStringList expected = {
            QStringLiteral("XLS start visible=0"),
            "XLS open \"" + rig.path(QStringLiteral("mb/phm.xls")) + "\" template -> failed", "XLS quit",
            "MSGBOX " + SpreadsheetSession::templateMessage(QStringLiteral("phm.xls"))};
        QCOMPARE(rig.lines(), expected);
        QCOMPARE(rig.spreadsheets.running(), 0);
    }

    void exportLeavesFieldsAlone() {
        Rig rig;
        fillColumn(rig.fields, Form1::automaticColumn(), kResults);
        rig.fields.clearWrites();
        rig.run(12);
        QVERIFY(rig.fields.writes().isEmpty());
    }

    // Handed-over instances are saved by the user's save and ended by endAll; others end with their owner.
    void recorderLifecycle() {
        QStringList log;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("t.xls"));
        QFile(file).open(QIODevice::WriteOnly);
        RecordingSpreadsheetFactory factory([&](const QString& line) { log << line; });
        {
            auto kept = factory.start(true);
            kept->open(file);
            kept->setFontSize(12);
            QVERIFY(kept->read(12, 2).isEmpty());
            kept->handOver();
            QVERIFY_THROWS_EXCEPTION(SpreadsheetError, kept->save());
            auto dropped = factory.start(false);
            QVERIFY_THROWS_EXCEPTION(SpreadsheetError, dropped->writeText(1, 1, QStringLiteral("x")));
            dropped->open(file, OpenMode::ReadOnly);
            QVERIFY_THROWS_EXCEPTION(SpreadsheetError, dropped->writeText(1, 1, QStringLiteral("x")));
            QVERIFY_THROWS_EXCEPTION(SpreadsheetError, dropped->open(file));
        }
        QCOMPARE(factory.running(), 1);
        factory.saveHandedOver();
        factory.endAll();
        QCOMPARE(factory.running(), 0);
        const QStringList expected = {"XLS start visible=1",
                                      "XLS open \"" + file + u'"',
                                      "XLS font size=12",
                                      "XLS read 12 2 -> empty",
                                      "XLS handover",
                                      "XLS start visible=0",
                                      "XLS open \"" + file + "\" readonly",
                                      "XLS end",
                                      "XLS user-save",
                                      "XLS end"};
        QCOMPARE(log, expected);
    }
};

QTEST_GUILESS_MAIN(ReportExportTest)
#include "test_report_export.moc"
