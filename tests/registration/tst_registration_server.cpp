// End to end: the registration screen, driven by mouse and keyboard, against the real
// in-process application server on a SQLite file with the server's sample data.

#include "screenfixture.h"

#include "cli_cmp04702.h"
#include "tfrmcadautrf.h"

#include "localappserver.h"
#include "serverdatabase.h"

#include "data/tclientdataset.h"
#include "screens/buttons.h"
#include "server/appserverclient.h"

#include <QAbstractButton>
#include <QMainWindow>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Success = QStringLiteral("O cadastramento automático foi realizado com sucesso.");
const QString Alert = QStringLiteral(
    "Atenção! Existem filiais atendidas com periodicidade diferenciada. Confirma operação?");

// Host form owning the connection "netFornNAtende" to the in-process server.
class ServerHost : public QMainWindow {
public:
    explicit ServerHost(const QString &connection)
        : m_server(new appserver::LocalAppServer(connection, QStringLiteral("teste"), this))
    {
        auto *link = new TServerConnection(this, m_server);
        link->setObjectName(QString::fromLatin1(TServerConnection::DefaultName));
    }
private:
    appserver::LocalAppServer *m_server;
};

} // namespace

class TestRegistrationServer : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void cleanRegistrationWritesThePairs();
    void blockedRegistrationShowsItsRows();
    void differentPeriodicityAsksFirst();

private:
    void Open();
    template <class T> T *Child(const char *name) { return m_screen->findChild<T *>(QLatin1String(name)); }
    void Click(const char *name) { QTest::mouseClick(Child<QAbstractButton>(name), Qt::LeftButton); }
    // Regions and suppliers through the host's list search.
    void Pick(const char *button, const QString &keyField, const QStringList &keys);
    int Count(const QString &sql);

    QTemporaryDir m_dir;
    std::unique_ptr<ServerHost> m_host;
    std::unique_ptr<DialogAnswerer> m_answerer;
    TfrmCadAutRF *m_screen = nullptr;
};

void TestRegistrationServer::init()
{
    const QString path = m_dir.filePath(QStringLiteral("registro.db"));
    QFile::remove(path);
    appserver::ServerDatabase::loadSampleData(
        appserver::ServerDatabase::openSqlite(path, QLatin1String(appserver::LocalAppServer::DefaultConnectionName)));
    QSqlDatabase host = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("adcGeral"));
    host.setDatabaseName(path);
    QVERIFY(host.open());
    m_host = std::make_unique<ServerHost>(QLatin1String(appserver::LocalAppServer::DefaultConnectionName));
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host.get()));
    m_answerer = std::make_unique<DialogAnswerer>(QMessageBox::Yes);
    Open();
}

void TestRegistrationServer::cleanup()
{
    m_answerer.reset();
    m_host.reset();   // takes the screens it owns along
    m_screen = frmCadAutRF = nullptr;
    frmFornAt = nullptr;
    QSqlDatabase::removeDatabase(QStringLiteral("adcGeral"));
    appserver::ServerDatabase::close(QLatin1String(appserver::LocalAppServer::DefaultConnectionName));
}

void TestRegistrationServer::Open()
{
    m_screen = CreateForm<TfrmCadAutRF>();
    frmCadAutRF = m_screen;
    frmFornAt = m_host.get();
    m_screen->show();
    m_screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_screen));
    // The sample parameters use the lead time.
    QVERIFY(QTest::qWaitFor([this] { return Child<QWidget>("grbPrazo")->isVisible(); }));
}

void TestRegistrationServer::Pick(const char *button, const QString &keyField, const QStringList &keys)
{
    m_answerer->SetDialogHandler([&](QWidget *dialog) { ScreenFixture::PickInList(dialog, keyField, keys); });
    Click(button);
    m_answerer->SetDialogHandler(nullptr);
}

int TestRegistrationServer::Count(const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(QStringLiteral("adcGeral")));
    if (!query.exec(sql) || !query.next())
        return -1;
    return query.value(0).toInt();
}

void TestRegistrationServer::cleanRegistrationWritesThePairs()
{
    const int before = Count(QStringLiteral("SELECT COUNT(*) FROM FORNATENDE"));
    Pick("sbtRegiao", QStringLiteral("CDREGIAO"), {QStringLiteral("S")});
    Click("rbtTFilial");
    Pick("sbtFornecedor", QStringLiteral("CDFORNECED"), {QStringLiteral("1001"), QStringLiteral("1002")});
    QCOMPARE(m_screen->ListaRegiao(), QStringLiteral("_S_"));
    Child<TMaskEdit>("medCdPeriod")->SetText(QStringLiteral("7"));
    Child<TMaskEdit>("medPrazo")->setFocus();
    QTest::keyClicks(Child<TMaskEdit>("medPrazo"), QStringLiteral("5"));

    Click("sbtConfirma");

    QCOMPARE(m_answerer->Messages(), QStringList{Success});
    QVERIFY(!m_screen->isVisible());
    QCOMPARE(Count(QStringLiteral("SELECT COUNT(*) FROM FORNATENDE")), before + 16);
    QCOMPARE(Count(QStringLiteral("SELECT COUNT(*) FROM FORNATENDE A JOIN FILIAL F ON F.CDFILIAL = A.CDFILIAL "
                                  "WHERE A.CDFORNECED IN ('1001', '1002') AND F.CDREGIAO = 'S' "
                                  "AND A.CDPERIENTR = '07' AND A.QTDIASPRAZEXPED = 5")),
             16);
}

void TestRegistrationServer::blockedRegistrationShowsItsRows()
{
    const int before = Count(QStringLiteral("SELECT COUNT(*) FROM FORNATENDE"));
    Pick("sbtRegiao", QStringLiteral("CDREGIAO"), {QStringLiteral("N")});
    Click("rbtTFilial");
    Pick("sbtFornecedor", QStringLiteral("CDFORNECED"), {QStringLiteral("1003")});

    int rows = -1;
    m_answerer->SetDialogHandler([&](QWidget *dialog) {
        rows = dialog->findChild<TDBGrid *>(QStringLiteral("dbgPadrao"))->model()->rowCount();
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("btnOk")), Qt::LeftButton);
    });
    Click("sbtConfirma");

    QCOMPARE(rows, 5);
    QVERIFY(m_answerer->Messages().isEmpty());
    QVERIFY(m_screen->isVisible());
    QCOMPARE(Count(QStringLiteral("SELECT COUNT(*) FROM FORNATENDE")), before);
}

void TestRegistrationServer::differentPeriodicityAsksFirst()
{
    Pick("sbtRegiao", QStringLiteral("CDREGIAO"), {QStringLiteral("SE")});
    m_answerer->SetDialogHandler([](QWidget *dialog) {
        ScreenFixture::PickBranches(dialog, {QStringLiteral("0001"), QStringLiteral("0002")});
    });
    Click("sbtFilial");
    QCOMPARE(m_screen->ListaFilial(), QStringLiteral("_0001_0002_"));
    Pick("sbtFornecedor", QStringLiteral("CDFORNECED"), {QStringLiteral("1002")});
    Child<TMaskEdit>("medCdPeriod")->SetText(QStringLiteral("15"));

    // No: nothing changes.
    m_answerer->SetMessageButton(QMessageBox::No);
    Click("sbtConfirma");
    QCOMPARE(m_answerer->Messages(), QStringList{Alert});
    QCOMPARE(m_screen->cdsVerReForFil->RecordCount(), 2);
    QCOMPARE(Count(QStringLiteral("SELECT COUNT(*) FROM FORNATENDE WHERE CDFORNECED = '1002' AND CDPERIENTR = '07'")), 2);

    // Yes: the two pairs take the new periodicity.
    m_answerer->SetMessageButton(QMessageBox::Yes);
    m_answerer->Clear();
    Click("sbtConfirma");
    QCOMPARE(m_answerer->Messages(), (QStringList{Alert, Success}));
    QCOMPARE(Count(QStringLiteral("SELECT COUNT(*) FROM FORNATENDE WHERE CDFORNECED = '1002' AND CDPERIENTR = '15' "
                                  "AND CDFILIAL IN ('0001', '0002')")),
             2);
}

QTEST_MAIN(TestRegistrationServer)
#include "tst_registration_server.moc"
