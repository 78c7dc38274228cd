// The module's start-up bookkeeping, with its units linked into this program: units
// start in order with nested calls counted, clean-up runs backwards, and the language
// resource is taken from beside the file that holds the module's code (this program,
// which the build puts in the module's folder).

#include "pkg_cmp04702.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QtTest>

class TestPackageUnits : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void unitsStartInOrderWithNestedCounting();
    void languageResourceBesideTheModule();
};

void TestPackageUnits::initTestCase()
{
    Initialize();   // as a host does right after loading
}

void TestPackageUnits::cleanupTestCase()
{
    Finalize();
    QCOMPARE(Package::UnitStartCount(QStringLiteral("Cli_cmp04702")), 0);
}

void TestPackageUnits::unitsStartInOrderWithNestedCounting()
{
    const QStringList started{QStringLiteral("+Cli_cmp04704"), QStringLiteral("+Cli_cmp04706"),
                              QStringLiteral("+Cli_cmp04702")};
    const QStringList stopped{QStringLiteral("-Cli_cmp04702"), QStringLiteral("-Cli_cmp04706"),
                              QStringLiteral("-Cli_cmp04704")};
    // Initialize ran once.
    QCOMPARE(Package::UnitLog(), started);

    Initialize();
    Finalize();
    QCOMPARE(Package::UnitLog(), started);   // nested: nothing ran again
    QCOMPARE(Package::UnitStartCount(QStringLiteral("Cli_cmp04706")), 1);

    Finalize();
    QCOMPARE(Package::UnitLog(), started + stopped);
    Finalize();                              // one too many: ignored
    QCOMPARE(Package::UnitLog(), started + stopped);

    Initialize();                            // back to the host's state
    QCOMPARE(Package::UnitLog(), started + stopped + started);
}

void TestPackageUnits::languageResourceBesideTheModule()
{
    // The test runs in the C locale: no resource, the built-in texts.
    QVERIFY(Package::LanguageFile().isEmpty());

    Finalize();
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    Initialize();
    const QString file = Package::LanguageFile();
    QLocale::setDefault(QLocale::c());
    QCOMPARE(QFileInfo(file).fileName(), QStringLiteral("PKG_CMP04702_pt_BR.qm"));
    QCOMPARE(QFileInfo(file).absolutePath(), QFileInfo(QCoreApplication::applicationFilePath()).absolutePath());

    Finalize();
    QVERIFY(Package::LanguageFile().isEmpty());
    Initialize();
}

QTEST_MAIN(TestPackageUnits)
#include "tst_package_units.moc"
