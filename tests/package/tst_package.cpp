// The module as the host sees it: loaded at run time through the host library's
// ModuleLoader, driven through its exported C entry points.

#include "dialoganswerer.h"
#include "fakeappserver.h"

#include "pkg_cmp04702.h"

#include "data/tclientdataset.h"
#include "data/tdatasource.h"
#include "runtime/errors.h"
#include "runtime/moduleloader.h"
#include "runtime/quorvel.h"
#include "screens/buttons.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QtTest>

class QWidget;

namespace {

using VoidFn = void (*)();
using IniProcFn = void (*)(const QVariant &);
using CriaCadFornFilFn = int (*)(QWidget *);
using VersionFn = const char *(*)();
using PesquisaFn = bool (*)(TDataSource *, const QString &, const QString &, bool, QString &);

QString ModulePath()
{
    return QDir(qEnvironmentVariable("MODULE_DIR")).filePath(QStringLiteral("libPKG_CMP04702.so"));
}

// Registration screens alive now (they are top-level dialogs owned by the host form).
int RegistrationScreens()
{
    int count = 0;
    for (QWidget *widget : QApplication::allWidgets())
        count += widget->inherits("TfrmCadAutRF") ? 1 : 0;
    return count;
}

} // namespace

class TestPackage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void exportsAndVersion();
    void unitsStartInOrderWithNestedCounting();
    void languageResourceBesideTheModule();
    void iniProcWithNullDoesNothing();
    void iniProcRejectsBadParameters_data();
    void iniProcRejectsBadParameters();
    void twoLaunchesInARow();
    void startUpErrorGoesToTheCaller();
    void screenVariablesFollowTheNewestScreens();
    void unloadAndLoadAgain();

private:
    template <class T> T Export(const char *name)
    {
        return reinterpret_cast<T>(m_loader.Resolve(name));
    }
    // The address of an exported variable holding a pointer.
    void *VariableValue(const char *name)
    {
        auto address = reinterpret_cast<void **>(m_loader.Resolve(name));
        return address ? *address : nullptr;
    }

    TestDatabase m_database;
    ModuleLoader m_loader;
};

void TestPackage::initTestCase()
{
    QVERIFY(m_database.isOpen());
    QVERIFY2(m_loader.Load(ModulePath()), qPrintable(m_loader.ErrorString()));
}

void TestPackage::cleanupTestCase()
{
    m_loader.Unload();
    QCOMPARE(Package::UnitStartCount(QStringLiteral("Cli_cmp04702")), 0);
}

void TestPackage::exportsAndVersion()
{
    for (const char *name : {"Initialize", "Finalize", "IniProc", "CriaCadFornFil", "CriaErroForneAteFili",
                             "PesquisaFilAtende", "ModuleVersion", "frmCadAutRF", "frmFornAt",
                             "frmErroForneAteFili", "frmPesqListaFilAtende"})
        QVERIFY2(m_loader.Resolve(name), name);
    QCOMPARE(QString::fromLatin1(Export<VersionFn>("ModuleVersion")()), QStringLiteral("6.39.009"));
}

void TestPackage::unitsStartInOrderWithNestedCounting()
{
    const QStringList started{QStringLiteral("+Cli_cmp04704"), QStringLiteral("+Cli_cmp04706"),
                              QStringLiteral("+Cli_cmp04702")};
    const QStringList stopped{QStringLiteral("-Cli_cmp04702"), QStringLiteral("-Cli_cmp04706"),
                              QStringLiteral("-Cli_cmp04704")};
    // The loader ran Initialize once.
    QCOMPARE(Package::UnitLog(), started);

    Export<VoidFn>("Initialize")();
    Export<VoidFn>("Finalize")();
    QCOMPARE(Package::UnitLog(), started);   // nested: nothing ran again
    QCOMPARE(Package::UnitStartCount(QStringLiteral("Cli_cmp04706")), 1);

    Export<VoidFn>("Finalize")();
    QCOMPARE(Package::UnitLog(), started + stopped);
    Export<VoidFn>("Finalize")();             // one too many: ignored
    QCOMPARE(Package::UnitLog(), started + stopped);

    Export<VoidFn>("Initialize")();           // back to the loader's state
    QCOMPARE(Package::UnitLog(), started + stopped + started);
}

void TestPackage::languageResourceBesideTheModule()
{
    // The test runs in the C locale: no resource, the built-in texts.
    QVERIFY(Package::LanguageFile().isEmpty());

    Export<VoidFn>("Finalize")();
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    Export<VoidFn>("Initialize")();
    const QString file = Package::LanguageFile();
    QLocale::setDefault(QLocale::c());
    QCOMPARE(QFileInfo(file).fileName(), QStringLiteral("PKG_CMP04702_pt_BR.qm"));
    QCOMPARE(QFileInfo(file).absolutePath(), QFileInfo(ModulePath()).absolutePath());

    Export<VoidFn>("Finalize")();
    QVERIFY(Package::LanguageFile().isEmpty());
    Export<VoidFn>("Initialize")();
}

void TestPackage::iniProcWithNullDoesNothing()
{
    void *screenBefore = VariableValue("frmCadAutRF");
    void *formBefore = VariableValue("frmFornAt");
    const int screens = RegistrationScreens();

    Export<IniProcFn>("IniProc")(QVariant::fromValue(nullptr));

    QCOMPARE(RegistrationScreens(), screens);
    QCOMPARE(VariableValue("frmCadAutRF"), screenBefore);
    QCOMPARE(VariableValue("frmFornAt"), formBefore);
}

void TestPackage::iniProcRejectsBadParameters_data()
{
    QTest::addColumn<QVariant>("params");
    QTest::addColumn<bool>("conversion");   // EConvertError, else EHostError

    int local = 0;
    QTest::newRow("unassigned") << QVariant() << true;
    QTest::newRow("text, no list") << QVariant(QStringLiteral("12")) << true;
    QTest::newRow("integer, no list") << QVariant(12) << true;
    QTest::newRow("empty list") << QVariant(QVariantList{}) << true;
    QTest::newRow("element 0 not a number") << QVariant(QVariantList{QStringLiteral("abc")}) << true;
    QTest::newRow("zero form") << QVariant(QVariantList{qintptr(0)}) << false;
    QTest::newRow("not a widget") << QVariant(QVariantList{qintptr(&local)}) << false;
}

void TestPackage::iniProcRejectsBadParameters()
{
    QFETCH(QVariant, params);
    QFETCH(bool, conversion);
    const int screens = RegistrationScreens();
    void *screenBefore = VariableValue("frmCadAutRF");

    QString message;
    bool convertError = false;
    try {
        Export<IniProcFn>("IniProc")(params);
        QFAIL("IniProc accepted the parameters");
    } catch (const EConvertError &error) {
        convertError = true;
        message = error.message();
    } catch (const EHostError &error) {
        message = error.message();
    }
    QCOMPARE(convertError, conversion);
    QVERIFY(!message.isEmpty());
    QCOMPARE(RegistrationScreens(), screens);
    QCOMPARE(VariableValue("frmCadAutRF"), screenBefore);
}

void TestPackage::twoLaunchesInARow()
{
    FakeHostForm first;
    FakeHostForm second;
    first.show();
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));

    // Each launch shows the screen modally; the answerer closes it with "Fechar".
    QList<QWidget *> shown;
    DialogAnswerer answerer;
    answerer.SetDialogHandler([&](QWidget *dialog) {
        shown.append(dialog);
        QTest::mouseClick(dialog->findChild<TButtonFlat *>(QStringLiteral("sbtFechar")), Qt::LeftButton);
    });

    Export<IniProcFn>("IniProc")(QVariantList{qintptr(static_cast<QWidget *>(&first))});
    QCOMPARE(shown.size(), 1);
    QCOMPARE(VariableValue("frmCadAutRF"), static_cast<void *>(shown.at(0)));
    QCOMPARE(VariableValue("frmFornAt"), static_cast<void *>(static_cast<QWidget *>(&first)));
    QCOMPARE(first.server()->CallsOf(QStringLiteral("getParamGeral")).size(), 1);

    const int result = Export<CriaCadFornFilFn>("CriaCadFornFil")(&second);
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(shown.size(), 2);
    QVERIFY(shown.at(1) != shown.at(0));
    QCOMPARE(VariableValue("frmCadAutRF"), static_cast<void *>(shown.at(1)));
    QCOMPARE(VariableValue("frmFornAt"), static_cast<void *>(static_cast<QWidget *>(&second)));
    // The second screen talked to the second host only.
    QCOMPARE(first.server()->CallsOf(QStringLiteral("getParamGeral")).size(), 1);
    QCOMPARE(second.server()->CallsOf(QStringLiteral("getParamGeral")).size(), 1);
    QVERIFY(answerer.Messages().isEmpty());
}

void TestPackage::startUpErrorGoesToTheCaller()
{
    // Single-branch mode reads the branch's region while the screen is created; a
    // database failure there reaches the launcher's caller, and no variable changes.
    FakeHostForm host;
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QVERIFY(m_database.exec(QStringLiteral("ALTER TABLE FILIAL RENAME TO FILIAL_OLD")));
    Quorvel::SetFiliProc(QStringLiteral("0001"));
    void *screenBefore = VariableValue("frmCadAutRF");
    void *formBefore = VariableValue("frmFornAt");

    bool raised = false;
    try {
        Export<IniProcFn>("IniProc")(QVariantList{qintptr(static_cast<QWidget *>(&host))});
    } catch (const EDatabaseError &) {
        raised = true;
    }
    Quorvel::SetFiliProc(QString());
    QVERIFY(m_database.exec(QStringLiteral("ALTER TABLE FILIAL_OLD RENAME TO FILIAL")));
    QVERIFY(raised);
    QCOMPARE(VariableValue("frmCadAutRF"), screenBefore);
    QCOMPARE(VariableValue("frmFornAt"), formBefore);
    QVERIFY(host.server()->Calls().isEmpty());
}

// The exported variables point at the newest search and error screens; the previous
// search screen is freed by the next search and the last one by Finalize.
void TestPackage::screenVariablesFollowTheNewestScreens()
{
    TClientDataSet branches;
    branches.SetData(FakeAppServer::BranchPacket({{"0001", "MATRIZ"}, {"0002", "FILIAL DOIS"}}));
    TDataSource source(nullptr, &branches);
    QList<QPointer<QWidget>> shown;
    DialogAnswerer answerer;
    answerer.SetDialogHandler([&](QWidget *dialog) {
        shown.append(dialog);
        dialog->close();
    });

    const auto search = Export<PesquisaFn>("PesquisaFilAtende");
    QString selection;
    search(&source, "CDFILIAL", "Filial|", false, selection);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(VariableValue("frmPesqListaFilAtende"), static_cast<void *>(shown.at(0).data()));
    search(&source, "CDFILIAL", "Filial|", false, selection);
    QCOMPARE(shown.size(), 2);
    QVERIFY(shown.at(0).isNull());
    QCOMPARE(VariableValue("frmPesqListaFilAtende"), static_cast<void *>(shown.at(1).data()));

    Export<VoidFn>("CriaErroForneAteFili")();
    QCOMPARE(shown.size(), 3);
    QCOMPARE(shown.at(2)->objectName(), QStringLiteral("frmErroForneAteFili"));
    QCOMPARE(VariableValue("frmErroForneAteFili"), static_cast<void *>(shown.at(2).data()));

    Export<VoidFn>("Finalize")();
    QVERIFY(shown.at(1).isNull());
    QCOMPARE(VariableValue("frmPesqListaFilAtende"), nullptr);
    Export<VoidFn>("Initialize")();
    delete shown.at(2).data();
}

// Unloading finalizes the module and lets the library go; it loads again cleanly.
void TestPackage::unloadAndLoadAgain()
{
    m_loader.Unload();
    QVERIFY(!m_loader.IsLoaded());
    QVERIFY(!m_loader.Resolve("Initialize"));
    QVERIFY2(m_loader.Load(ModulePath()), qPrintable(m_loader.ErrorString()));
    for (const char *name : {"IniProc", "frmCadAutRF", "frmPesqListaFilAtende"})
        QVERIFY2(m_loader.Resolve(name), name);
    QCOMPARE(VariableValue("frmPesqListaFilAtende"), nullptr);
}

QTEST_MAIN(TestPackage)
#include "tst_package.moc"
