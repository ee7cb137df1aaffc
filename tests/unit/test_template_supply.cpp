#include "common/installpaths.h"
#include "common/templatesupply.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The start of the program fills the template folder from the installed templates without touching the
// user's copies.
class TestTemplateSupply : public QObject {
    Q_OBJECT

private slots:
    void supply_data();
    void supply();
    void copyStaysEditable();
    void linkStays();
    void noSourceLeavesRootAlone();
};

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

void TestTemplateSupply::supply_data() {
    // Files in the user's template folder before the start, as name=content; the installed files are always
    // phm.xls, phtzm.xls, zeb.html and a source phm.fods.
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("copied");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("first start") << QStringList() << QStringList{"phm.xls", "phtzm.xls", "zeb.html"}
                                 << QStringList{"phm.xls=installed phm.xls", "phtzm.xls=installed phtzm.xls",
                                                "zeb.html=installed zeb.html", "phm.fods=<missing>"};
    QTest::newRow("edited template kept")
        << QStringList{"phm.xls=edited"} << QStringList{"phtzm.xls", "zeb.html"}
        << QStringList{"phm.xls=edited", "phtzm.xls=installed phtzm.xls", "zeb.html=installed zeb.html"};
    QTest::newRow("empty file counts as present")
        << QStringList{"zeb.html="} << QStringList{"phm.xls", "phtzm.xls"} << QStringList{"zeb.html="};
    QTest::newRow("empty templates supplied again")
        << QStringList{"phm.xls=", "phtzm.xls=edited"} << QStringList{"phm.xls", "zeb.html"}
        << QStringList{"phm.xls=installed phm.xls", "phtzm.xls=edited", "zeb.html=installed zeb.html"};
    QTest::newRow("all present") << QStringList{"phm.xls=a", "phtzm.xls=b", "zeb.html=c"} << QStringList()
                                 << QStringList{"phm.xls=a", "phtzm.xls=b", "zeb.html=c"};
}

void TestTemplateSupply::supply() {
    QFETCH(QStringList, before);
    QFETCH(QStringList, copied);
    QFETCH(QStringList, after);
    QTemporaryDir installed;
    QTemporaryDir home;
    for (const char* name : {"phm.xls", "phtzm.xls", "zeb.html", "phm.fods"})
        writeFile(installed.filePath(QLatin1String(name)), QByteArray("installed ") + name);
    const InstallPaths paths(home.filePath(QStringLiteral("zeb")));
    if (!before.isEmpty())
        QVERIFY(QDir().mkpath(paths.templateDir()));
    for (const QString& entry : before)
        writeFile(paths.templatePath(entry.section(u'=', 0, 0)), entry.section(u'=', 1).toUtf8());

    QCOMPARE(supplyMissingTemplates(installed.path(), paths), copied);
    for (const QString& entry : after)
        QCOMPARE(readFile(paths.templatePath(entry.section(u'=', 0, 0))), entry.section(u'=', 1).toUtf8());
    // A second start copies nothing.
    QCOMPARE(supplyMissingTemplates(installed.path(), paths), QStringList());
}

// Installed files are read-only to the user; the copy in the template folder must be editable.
void TestTemplateSupply::copyStaysEditable() {
    QTemporaryDir installed;
    QTemporaryDir home;
    const QString source = installed.filePath(QStringLiteral("phm.xls"));
    writeFile(source, "template");
    QVERIFY(QFile::setPermissions(source, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const InstallPaths paths(home.path());
    QCOMPARE(supplyMissingTemplates(installed.path(), paths), QStringList{"phm.xls"});
    QVERIFY(QFileInfo(paths.templatePath(QStringLiteral("phm.xls"))).isWritable());
}

// A link named as a template is the user's business, empty target or not: it stays as it is.
void TestTemplateSupply::linkStays() {
    QTemporaryDir installed;
    QTemporaryDir home;
    writeFile(installed.filePath(QStringLiteral("phm.xls")), "installed");
    const InstallPaths paths(home.path());
    QVERIFY(QDir().mkpath(paths.templateDir()));
    writeFile(home.filePath(QStringLiteral("elsewhere.xls")), {});
    QVERIFY(QFile::link(home.filePath(QStringLiteral("elsewhere.xls")), paths.templatePath("phm.xls")));
    QCOMPARE(supplyMissingTemplates(installed.path(), paths), QStringList());
    QVERIFY(QFileInfo(paths.templatePath(QStringLiteral("phm.xls"))).isSymLink());
    QCOMPARE(readFile(home.filePath(QStringLiteral("elsewhere.xls"))), QByteArray());
}

// Without installed templates (a missing folder) nothing is created in the user's home.
void TestTemplateSupply::noSourceLeavesRootAlone() {
    QTemporaryDir home;
    const InstallPaths paths(home.filePath(QStringLiteral("zeb")));
    QCOMPARE(supplyMissingTemplates(home.filePath(QStringLiteral("nowhere")), paths), QStringList());
    QVERIFY(!QFileInfo::exists(paths.root()));
}

QTEST_GUILESS_MAIN(TestTemplateSupply)
#include "test_template_supply.moc"
