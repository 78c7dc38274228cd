// The module as the host sees it: loaded at run time through the host library's
// ModuleLoader, driven through its exported C entry points. This program does not link
// the module; its units' own bookkeeping is checked in tst_package_units.

#include "dialoganswerer.h"
#include "fakeappserver.h"

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

QString ModulePath()
{
    return QDir(qEnvironmentVariable("MODULE_DIR")).filePath(QLatin1String(ModuleAbi::FileName));
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
    void iniProcWithNullDoesNothing();
    void iniProcRejectsBadParameters_data();
    void iniProcRejectsBadParameters();
    void twoLaunchesInARow();
    void startUpErrorGoesToTheCaller();
    void screenVariablesFollowTheNewestScreens();
    void unloadAndLoadAgain();

private:
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
}

void TestPackage::exportsAndVersion()
{
    for (const char *name : {"Initialize", "Finalize", "IniProc", "CriaCadFornFil", "CriaErroForneAteFili",
                             "PesquisaFilAtende", "ModuleVersion", "frmCadAutRF", "frmFornAt",
                             "frmErroForneAteFili", "frmPesqListaFilAtende"})
        QVERIFY2(m_loader.Resolve(name), name);
    QCOMPARE(QString::fromLatin1(m_loader.Resolve(ModuleAbi::ModuleVersion)()), QStringLiteral("6.39.009"));
    QCOMPARE(m_loader.Resolve(ModuleAbi::ModuleAbiVersion)(), ModuleAbi::Version);
}

void TestPackage::iniProcWithNullDoesNothing()
{
    void *screenBefore = VariableValue("frmCadAutRF");
    void *formBefore = VariableValue("frmFornAt");
    const int screens = RegistrationScreens();

    m_loader.Resolve(ModuleAbi::IniProc)(QVariant::fromValue(nullptr));

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
        m_loader.Resolve(ModuleAbi::IniProc)(params);
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

    m_loader.Resolve(ModuleAbi::IniProc)(QVariantList{qintptr(static_cast<QWidget *>(&first))});
    QCOMPARE(shown.size(), 1);
    QCOMPARE(VariableValue("frmCadAutRF"), static_cast<void *>(shown.at(0)));
    QCOMPARE(VariableValue("frmFornAt"), static_cast<void *>(static_cast<QWidget *>(&first)));
    QCOMPARE(first.server()->CallsOf(QStringLiteral("getParamGeral")).size(), 1);

    const int result = m_loader.Resolve(ModuleAbi::CriaCadFornFil)(&second);
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
        m_loader.Resolve(ModuleAbi::IniProc)(QVariantList{qintptr(static_cast<QWidget *>(&host))});
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

    const auto search = m_loader.Resolve(ModuleAbi::PesquisaFilAtende);
    QString selection;
    search(&source, "CDFILIAL", "Filial|", false, selection);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(VariableValue("frmPesqListaFilAtende"), static_cast<void *>(shown.at(0).data()));
    search(&source, "CDFILIAL", "Filial|", false, selection);
    QCOMPARE(shown.size(), 2);
    QVERIFY(shown.at(0).isNull());
    QCOMPARE(VariableValue("frmPesqListaFilAtende"), static_cast<void *>(shown.at(1).data()));

    m_loader.Resolve(ModuleAbi::CriaErroForneAteFili)();
    QCOMPARE(shown.size(), 3);
    QCOMPARE(shown.at(2)->objectName(), QStringLiteral("frmErroForneAteFili"));
    QCOMPARE(VariableValue("frmErroForneAteFili"), static_cast<void *>(shown.at(2).data()));

    m_loader.Resolve(ModuleAbi::Finalize)();
    QVERIFY(shown.at(1).isNull());
    QCOMPARE(VariableValue("frmPesqListaFilAtende"), nullptr);
    m_loader.Resolve(ModuleAbi::Initialize)();
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
