// Where pkg-host finds the module without --module: beside itself in the build tree,
// in the installed module folder under lib/ in an installed tree.

#include "modulelocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestModuleLocation : public QObject {
    Q_OBJECT
private slots:
    void candidatesBesideThenInstalledFolder();
    void firstExistingCandidateWins_data();
    void firstExistingCandidateWins();
};

void TestModuleLocation::candidatesBesideThenInstalledFolder()
{
    const QStringList candidates = ModuleCandidates(QStringLiteral("/opt/pacote/bin"));
    QCOMPARE(candidates.size(), 2);
    QCOMPARE(candidates.at(0), QStringLiteral("/opt/pacote/bin/libPKG_CMP04702.so"));
    // Reached from bin/ through the prefix, whatever the library folder is called.
    QVERIFY2(candidates.at(1).startsWith(QStringLiteral("/opt/pacote/lib")), qPrintable(candidates.at(1)));
    QVERIFY2(candidates.at(1).endsWith(QStringLiteral("/pkg-cmp04702/modules/libPKG_CMP04702.so")),
             qPrintable(candidates.at(1)));
}

void TestModuleLocation::firstExistingCandidateWins_data()
{
    QTest::addColumn<bool>("beside");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<int>("expected");   // index into the candidates
    QTest::newRow("build tree") << true << false << 0;
    QTest::newRow("installed tree") << false << true << 1;
    QTest::newRow("both: beside wins") << true << true << 0;
    QTest::newRow("neither: beside, for the error") << false << false << 0;
}

void TestModuleLocation::firstExistingCandidateWins()
{
    QFETCH(bool, beside);
    QFETCH(bool, installed);
    QFETCH(int, expected);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString bin = root.filePath(QStringLiteral("bin"));
    const QStringList candidates = ModuleCandidates(bin);
    const bool present[] = {beside, installed};
    for (int i = 0; i < 2; ++i) {
        if (!present[i])
            continue;
        QVERIFY(QDir().mkpath(QFileInfo(candidates.at(i)).absolutePath()));
        QFile file(candidates.at(i));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(FindModule(bin), candidates.at(expected));
}

QTEST_GUILESS_MAIN(TestModuleLocation)
#include "tst_modulelocation.moc"
