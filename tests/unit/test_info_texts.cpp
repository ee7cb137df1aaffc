#include "common/installpaths.h"
#include "common/scriptedprompter.h"
#include "info/infocontrols.h"
#include "info/infotexts.h"
#include "info/links.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

class TestInfoTexts : public QObject {
    Q_OBJECT

private slots:
    void statementLines_data();
    void statementLines();
    void statementShape();
    void usageHelpLines_data();
    void usageHelpLines();
    void usageHelpContactItem();
    void noWindowsLeftovers_data();
    void noWindowsLeftovers();
    void serviceLabels_data();
    void serviceLabels();
    void agreementKeepsEngineerResponsible();
    void pageUrl_data();
    void pageUrl();
    void helpFallback_data();
    void helpFallback();
    void installedPageMatchesProgram();
};

namespace {

// The text split at its line breaks; a text ending in a line break has an empty last part.
QStringList linesOf(const QString& text) { return text.split(u'\n'); }

} // namespace

void TestInfoTexts::statementLines_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1
                       << QStringLiteral(
                              "本软件是依据中华人民共和国行业标准《普通混凝土配合比设计规程》JGJ ");
    QTest::newRow("2") << 2
                       << QStringLiteral(
                              "55-2000，J 64-2000进行设计的。本软件适用于工业与民用建筑及一般构筑");
    QTest::newRow("3") << 3
                       << QStringLiteral(
                              "物所采用的普通混凝土的配合比设计。本软件得到的计算结果为混凝土\"初步");
    QTest::newRow("4") << 4
                       << QStringLiteral(
                              "配合比\"，而\"工地配合比\"仍需要提出\"基准配合比\"，确定\"试验配合比\"，依");
    QTest::newRow("5") << 5 << QStringLiteral("据原材料性能及对混凝土的技术要求，经试验室试配、调整后确定。");
    QTest::newRow("6") << 6 << QStringLiteral("在使用本软件前，请您注意以下重要问题：");
    QTest::newRow("7") << 7
                       << QStringLiteral(
                              "1、本软件自动计算只适用于采用碎石为原料的，且未掺配任何外加剂，坍落");
    QTest::newRow("8") << 8 << QStringLiteral("度在10-60mm的塑性混凝土。");
    QTest::newRow("9") << 9 << QStringLiteral("2、关于混凝土强度标准差自动取值如下：");
    QTest::newRow("10") << 10 << QStringLiteral("当强度等级低于C20，标准差取值为4.0");
    QTest::newRow("11") << 11 << QStringLiteral("当强度等级C20-C35，标准差取值为5.0");
    QTest::newRow("12") << 12 << QStringLiteral("当强度等级高于C35，标准差取值为6.0");
    QTest::newRow("13") << 13 << QStringLiteral("3、本软件自动计算在选择砂率时通过内插法计算出砂率的值。");
    QTest::newRow("14") << 14
                        << QStringLiteral(
                               "4、本软件计算初步配合比确定粗骨料、细骨料的用量是采用重量法计算得到");
    QTest::newRow("15") << 15 << QStringLiteral("的。");
    QTest::newRow("16") << 16
                        << QStringLiteral(
                               "5、在进行配合比设计时，应遵守《普通混凝土配合比设计规程》，还应符合");
    QTest::newRow("17") << 17 << QStringLiteral("国家现行有关强制性标准的规定。");
    QTest::newRow("18") << 18 << QStringLiteral("6、本软件不对配合比计算结果的工程经济性负责。");
    QTest::newRow("19") << 19
                        << QStringLiteral(
                               "7、在本软件设计时作者对数据的计算方法进行了一些数值分析的优化，但自");
    QTest::newRow("20") << 20
                        << QStringLiteral("动计算和半自动计算将有可能产生细微误差（由小数点后第三位产生）。");
    QTest::newRow("21") << 21
                        << QStringLiteral(
                               "8、在您使用本软件进行配合比设计时，您需要有相关的专业知识和经验。在");
    QTest::newRow("22") << 22
                        << QStringLiteral(
                               "得到\"初步配合比\"后，您应对计算结果进行复核，而\"工地配合比\"仍需要提");
    QTest::newRow("23") << 23
                        << QStringLiteral(
                               "出\"基准配合比\"，确定\"试验配合比\"两步完成，经试验室试配、调整后确定");
    QTest::newRow("24") << 24 << QStringLiteral("。软件作者不对盲目使用本软件产生的不良后果负责。");
}

// Items 1 to 5 as written; the run conditions, the paths and item 3 describe this platform.
void TestInfoTexts::usageHelpLines_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1 << QStringLiteral("软件使用帮助");
    QTest::newRow("2") << 2 << QStringLiteral("");
    QTest::newRow("3") << 3
                       << QStringLiteral("软件运行条件：Linux操作系统，并且必须安装LibreOffice Calc办公软");
    QTest::newRow("4") << 4 << QStringLiteral("件（请注意必须安装）。");
    QTest::newRow("5") << 5 << QStringLiteral("");
    QTest::newRow("6")
        << 6
        << QStringLiteral("软件通常会安装在~/zeb/目录下（请不要更改文件目录），在~/zeb/mb文件夹下phm文件为");
    QTest::newRow("7")
        << 7
        << QStringLiteral(
               "EXCEL模板文件。您可以更改试验室单位等内容，甚至在试验单位下的空行增加自己要求的内容进");
    QTest::newRow("8")
        << 8
        << QStringLiteral(
               "行二次编辑，可以调整行列宽度、字符大小等内容，但不要编辑数据区域的内容、进行插入行、");
    QTest::newRow("9")
        << 9
        << QStringLiteral(
               "删除行等操作以及更改文件名。建议您在编辑模板之前对模板进行备份，以便进行模板恢复。以");
    QTest::newRow("10")
        << 10
        << QStringLiteral(
               "后每次数据文件的建立，都是建立在此模板基础上的。最后提醒您：更改模板要更改混凝土配合");
    QTest::newRow("11") << 11 << QStringLiteral("比计算书中通常不变的内容。");
    QTest::newRow("12") << 12 << QStringLiteral("");
    QTest::newRow("13")
        << 13
        << QStringLiteral(
               "１、使用方法为按照混凝土的设计要求把设计参数输入后，参数输入详情请参阅《普通混凝土配");
    QTest::newRow("14")
        << 14
        << QStringLiteral(
               "合比设计规程》JGJ55-2000 J64-2000，点击自动计算按钮。本软件会自动进行最大水灰比、最小");
    QTest::newRow("15")
        << 15
        << QStringLiteral(
               "水泥用量验证并把结果自动计算出来。本软件的砂率自动计算取值方法为用水灰比进行内插法取");
    QTest::newRow("16") << 16 << QStringLiteral("值。");
    QTest::newRow("17") << 17 << QStringLiteral("");
    QTest::newRow("18")
        << 18
        << QStringLiteral(
               "２、您还可以根据您的经验依据实际情况，输入合适的用水量和砂率，分步进行计算。如果计算");
    QTest::newRow("19")
        << 19
        << QStringLiteral(
               "水灰比超过规定水灰比，会进行水灰比验证，在确定砂率和完成计算时，请确保与确定用水量时");
    QTest::newRow("20") << 20 << QStringLiteral("输入的水灰比保持一致。 ");
    QTest::newRow("21") << 21 << QStringLiteral("");
    QTest::newRow("22")
        << 22
        << QStringLiteral(
               "３、本软件的计算结果您可以导入到LibreOffice Calc 办公软件中，修改施工单位、工程名称");
    QTest::newRow("23")
        << 23
        << QStringLiteral(
               "等内容进行保存。还可以在文本框日期前输入文件名直接另存为EXCEL文件。文件保存在~/zeb/");
    QTest::newRow("24")
        << 24
        << QStringLiteral(
               "目录下。文件名通常为XXX＋（文件设计的日期）。您可以把《混凝土配合比计算书》打印出来附");
    QTest::newRow("25") << 25 << QStringLiteral("在《混凝土配合比设计报告》中。");
    QTest::newRow("26") << 26 << QStringLiteral("");
    QTest::newRow("27")
        << 27
        << QStringLiteral(
               "４、如果您工作的地区大规模使用某部门规范的《配合比计算书》或在混凝土配合比设计报告中");
    QTest::newRow("28") << 28 << QStringLiteral("有特定的要求，请与作者联系专门开发适宜。");
    QTest::newRow("29") << 29 << QStringLiteral("");
    QTest::newRow("30") << 30
                        << QStringLiteral("５、使用前请认真阅读本软件的《软件安装协议》和《重要声明》！");
    QTest::newRow("31") << 31 << QStringLiteral("");
}

void TestInfoTexts::statementLines() {
    QFETCH(int, line);
    QFETCH(QString, text);
    QCOMPARE(linesOf(statementText()).value(line - 1), text);
}

void TestInfoTexts::statementShape() {
    const QString text = statementText();
    QCOMPARE(linesOf(text).size(), 25);
    QVERIFY(text.endsWith(u'\n'));
    QVERIFY(!text.endsWith(QStringLiteral("\n\n")));
    QVERIFY(!text.contains(u'\r'));
    QVERIFY(linesOf(text).at(0).endsWith(QStringLiteral("JGJ ")));
    QVERIFY(linesOf(text).at(1).startsWith(QStringLiteral("55-2000")));
}

void TestInfoTexts::usageHelpLines() {
    QFETCH(int, line);
    QFETCH(QString, text);
    QCOMPARE(linesOf(usageHelpText()).value(line - 1), text);
}

// Item 6 follows the empty line 31: its heading and four lines of contact, then the closing line break.
void TestInfoTexts::usageHelpContactItem() {
    const QStringList lines = linesOf(usageHelpText());
    QCOMPARE(lines.size(), 31 + 5 + 1);
    QCOMPARE(lines.at(31), QStringLiteral("６、联系方式"));
    for (int i = 32; i < 36; ++i)
        QVERIFY2(!lines.at(i).trimmed().isEmpty(), qPrintable(QString::number(i + 1)));
    QVERIFY(lines.last().isEmpty());
    const QString contact = lines.mid(32).join(u'\n');
    QVERIFY(contact.contains(QStringLiteral("~/zeb/mb/zeb.html")));
    QVERIFY(contact.contains(programVersion()));
}

// Texts shown to the user name this platform: no drive letters, no Windows, no Excel versions, no Microsoft.
void TestInfoTexts::noWindowsLeftovers_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("statement") << statementText();
    QTest::newRow("usage help") << usageHelpText();
    QTest::newRow("agreement") << agreementText();
    QString service;
    for (const ServiceLabel& label : ::serviceLabels())
        service += label.text + u'\n';
    QTest::newRow("service") << service;
}

void TestInfoTexts::noWindowsLeftovers() {
    QFETCH(QString, text);
    for (const char* word : {"c:\\", "windows", "EXCEL97", "微软", ".exe"})
        QVERIFY2(!text.contains(QString::fromUtf8(word), Qt::CaseInsensitive), word);
}

// Fixed captions exactly; the captions left open start with their fixed prefix and give no invented numbers.
void TestInfoTexts::serviceLabels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<bool>("exact");
    QTest::newRow(qPrintable(Form7::greeting)) << Form7::greeting << "尊敬的客户您好！" << true;
    QTest::newRow(qPrintable(Form7::thanks))
        << Form7::thanks << "    希望各界朋友提出各种宝贵的建议，同时期待一个合作共同发展的机会！！" << true;
    QTest::newRow(qPrintable(Form7::phone)) << Form7::phone << "客户服务电话：" << false;
    QTest::newRow(qPrintable(Form7::mail)) << Form7::mail << "客户服务邮箱：" << false;
    QTest::newRow(qPrintable(Form7::qq)) << Form7::qq << "客户服务QQ:" << false;
    QTest::newRow(qPrintable(Form7::link)) << Form7::link << "作者服务网页：~/zeb/mb/zeb.html" << false;
    QTest::newRow(qPrintable(Form7::title)) << Form7::title << "普通混凝土配合比设计" << false;
}

void TestInfoTexts::serviceLabels() {
    QFETCH(QString, name);
    QFETCH(QString, prefix);
    QFETCH(bool, exact);
    const QList<ServiceLabel> labels = ::serviceLabels();
    QSet<QString> names;
    for (const ServiceLabel& label : labels)
        names.insert(label.name);
    QCOMPARE(names, (QSet<QString>{Form7::title, Form7::edition, Form7::greeting, Form7::message,
                                   Form7::thanks, Form7::phone, Form7::mail, Form7::qq, Form7::link}));
    const auto found =
        std::find_if(labels.begin(), labels.end(), [&](const ServiceLabel& l) { return l.name == name; });
    QVERIFY(found != labels.end());
    if (exact)
        QCOMPARE(found->text, prefix);
    else
        QVERIFY2(found->text.startsWith(prefix), qPrintable(found->text));
    // No telephone, e-mail or messaging number is made up: digits appear only in the version and the
    // standard.
    if (name == Form7::phone || name == Form7::mail || name == Form7::qq) {
        QVERIFY(!found->text.contains(u'@'));
        QVERIFY(!found->text.contains(QRegularExpression(QStringLiteral("\\d{5,}"))));
    }
}

void TestInfoTexts::agreementKeepsEngineerResponsible() {
    const QString text = agreementText();
    QVERIFY(text.startsWith(QStringLiteral("软件安装协议\n")));
    QVERIFY(text.contains(QStringLiteral("复核")));
    QVERIFY(text.contains(QStringLiteral("试配、调整后确定")));
    QVERIFY(text.contains(programVersion()));
    QVERIFY(text.endsWith(u'\n'));
}

// The link address is a file:// URL that leads back to the installed page, whatever the folder is called.
void TestInfoTexts::pageUrl_data() {
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("url");
    QTest::newRow("plain") << "/home/lab/zeb/"
                           << "file:///home/lab/zeb/mb/zeb.html";
    QTest::newRow("no trailing slash") << "/tmp/r"
                                       << "file:///tmp/r/mb/zeb.html";
    QTest::newRow("blank in path") << "/tmp/a b/zeb"
                                   << "file:///tmp/a%20b/zeb/mb/zeb.html";
    QTest::newRow("chinese folder") << "/home/试验室/zeb"
                                    << "file:///home/%E8%AF%95%E9%AA%8C%E5%AE%A4/zeb/mb/zeb.html";
}

void TestInfoTexts::pageUrl() {
    QFETCH(QString, root);
    QFETCH(QString, url);
    const InstallPaths paths(root);
    QCOMPARE(programPageUrl(paths), url);
    QCOMPARE(QUrl(url).toLocalFile(), paths.templatePath("zeb.html"));
    RecordingLauncher launcher;
    openProgramPage(launcher, paths);
    QCOMPARE(launcher.lines(), QStringList{"OPENURL " + url});
}

// What lies at mb/zebhelp decides between the help program and the usage help window.
void TestInfoTexts::helpFallback_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("started");
    QTest::newRow("missing") << "none" << false;
    QTest::newRow("executable") << "executable" << true;
    QTest::newRow("not executable") << "plain" << false;
    QTest::newRow("a folder") << "folder" << false;
}

void TestInfoTexts::helpFallback() {
    QFETCH(QString, kind);
    QFETCH(bool, started);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const InstallPaths paths(root.path());
    QVERIFY(QDir().mkpath(paths.templateDir()));
    if (kind == "folder")
        QVERIFY(QDir().mkpath(paths.helpProgram()));
    if (kind == "executable" || kind == "plain") {
        QFile program(paths.helpProgram());
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.write("#!/bin/sh\n");
        program.close();
        if (kind == "executable")
            QVERIFY(program.setPermissions(program.permissions() | QFile::ExeOwner));
    }
    RecordingLauncher launcher;
    int fallbacks = 0;
    runHelp(launcher, paths, [&fallbacks] { ++fallbacks; });
    QCOMPARE(launcher.lines().size(), 1);
    QVERIFY(launcher.lines().first().startsWith("START " + paths.helpProgram()));
    QCOMPARE(fallbacks, started ? 0 : 1);
}

// The page the links open is installed from templates/zeb.html: it exists and names this version.
void TestInfoTexts::installedPageMatchesProgram() {
    const QString source = qEnvironmentVariable("MIX_SOURCE_DIR");
    if (source.isEmpty())
        QSKIP("MIX_SOURCE_DIR is not set");
    QFile page(source + "/templates/zeb.html");
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    QVERIFY(html.contains(QStringLiteral("版本 ") + programVersion()));
    QVERIFY(html.contains(QStringLiteral("~/zeb/")));
    QVERIFY(html.contains(QStringLiteral("如何报告问题")));
}

QTEST_GUILESS_MAIN(TestInfoTexts)
#include "test_info_texts.moc"
