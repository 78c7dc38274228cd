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
    void languageResourceOfTheLocale_data();
    void languageResourceOfTheLocale();
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

void TestPackageUnits::languageResourceOfTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("file");   // empty: the built-in texts
    QTest::newRow("Brazilian Portuguese") << "pt_BR" << "PKG_CMP04702_pt_BR.qm";
    QTest::newRow("English") << "en" << "PKG_CMP04702_en.qm";
    QTest::newRow("British English takes the English file") << "en_GB" << "PKG_CMP04702_en.qm";
    QTest::newRow("French has none") << "fr_FR" << "";
}

void TestPackageUnits::languageResourceOfTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, file);
    Finalize();
    QLocale::setDefault(QLocale(locale));
    Initialize();
    const QString installed = Package::LanguageFile();
    QLocale::setDefault(QLocale::c());
    Finalize();
    Initialize();
    QCOMPARE(QFileInfo(installed).fileName(), file);
}

QTEST_MAIN(TestPackageUnits)
#include "tst_package_units.moc"
