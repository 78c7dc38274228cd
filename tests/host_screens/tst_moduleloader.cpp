// Loading modules at run time: a good one, a missing file, a library without the
// exports every module must have, one built for another version of the module seam.

#include "runtime/moduleloader.h"

#include <QFile>
#include <QtTest>

class TestModuleLoader : public QObject {
    Q_OBJECT
private slots:
    void init() { qunsetenv("TEST_MODULE_STATE"); }
    void goodModule_initializedAndFinalized();
    void missingFile_reportsAndStaysUnloaded();
    void missingExports_reportsAndUnloads();
    void otherSeamVersion_refusedUnrun();
};

void TestModuleLoader::goodModule_initializedAndFinalized()
{
    ModuleLoader loader;
    QVERIFY2(loader.Load(GOOD_MODULE), qPrintable(loader.ErrorString()));
    QVERIFY(loader.IsLoaded());
    QCOMPARE(qgetenv("TEST_MODULE_STATE"), QByteArray("initialized"));
    QVERIFY(loader.Resolve("IniProc"));
    QVERIFY(!loader.Resolve("NaoExiste"));
    loader.Unload();
    QVERIFY(!loader.IsLoaded());
    QCOMPARE(qgetenv("TEST_MODULE_STATE"), QByteArray("finalized"));
    QVERIFY(!loader.Resolve("IniProc"));
}

void TestModuleLoader::missingFile_reportsAndStaysUnloaded()
{
    const QString path = QStringLiteral(GOOD_MODULE) + QStringLiteral(".nao_existe");
    QVERIFY(!QFile::exists(path));
    ModuleLoader loader;
    QVERIFY(!loader.Load(path));
    QVERIFY(!loader.IsLoaded());
    QVERIFY(loader.ErrorString().contains(path));
    QVERIFY(loader.ErrorString().startsWith("Não foi possível carregar o módulo"));
}

void TestModuleLoader::missingExports_reportsAndUnloads()
{
    ModuleLoader loader;
    QVERIFY(!loader.Load(BROKEN_MODULE));
    QVERIFY(!loader.IsLoaded());
    QVERIFY2(loader.ErrorString().contains("Finalize"), qPrintable(loader.ErrorString()));
    QVERIFY(qgetenv("TEST_MODULE_STATE").isEmpty());   // nothing in it was run

    // The same loader still loads a good module afterwards.
    QVERIFY2(loader.Load(GOOD_MODULE), qPrintable(loader.ErrorString()));
    QVERIFY(loader.ErrorString().isEmpty());
}

void TestModuleLoader::otherSeamVersion_refusedUnrun()
{
    ModuleLoader loader;
    QVERIFY(!loader.Load(OTHER_ABI_MODULE));
    QVERIFY(!loader.IsLoaded());
    QVERIFY2(loader.ErrorString().contains(QStringLiteral("versão %1").arg(ModuleAbi::Version + 1)),
             qPrintable(loader.ErrorString()));
    QVERIFY(qgetenv("TEST_MODULE_STATE").isEmpty());   // neither Initialize nor Finalize ran
}

QTEST_MAIN(TestModuleLoader)
#include "tst_moduleloader.moc"
