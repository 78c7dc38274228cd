// The whole flow through the real host against a real pkg-appserver on PostgreSQL: the
// user logs in through the login dialog, opens the registration screen from the main
// form, picks the scope and confirms; the pairs land in the database with the logged-in
// user as their author. The module is loaded from its file, as pkg-host loads it. The
// server's messages come in the host's language.

#include "appserverprocess.h"
#include "dialoganswerer.h"
#include "hostdriving.h"
#include "frmprincipal.h"
#include "postgrescluster.h"
#include "remotesession.h"
#include "runtime/moduleloader.h"
#include "runtime/quorvel.h"
#include "server/httpappserver.h"

#include "data/tdataset.h"
#include "data/tdatasource.h"
#include "data/tdbgrid.h"

#include <QLineEdit>
#include <QLocale>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

const QString kDatabase = QStringLiteral("compras");

} // namespace

class TestHostRemote : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void registrationThroughTheSharedServer();
    void serverMessagesInTheHostsLanguage_data();
    void serverMessagesInTheHostsLanguage();

private:
    PostgresCluster m_cluster;
    AppServerProcess m_server;
};

void TestHostRemote::initTestCase()
{
    if (PostgresCluster::binDirectory().isEmpty())
        QSKIP("PostgreSQL não está instalado (scripts/install-deps.sh o instala)");
    QString error;
    QVERIFY2(m_cluster.start(&error), qPrintable(error));
    QVERIFY2(m_cluster.createDatabase(kDatabase, &error), qPrintable(error));
    const AppServerProcess::Result added = AppServerProcess::run(
        m_cluster.serverOptions(kDatabase) + QStringList{"--add-user", "ana", "--sample-data"}, "segredo-da-ana\n");
    QVERIFY2(added.exitCode == 0, qPrintable(added.err));
    QVERIFY2(m_server.start(m_cluster.serverOptions(kDatabase), &error), qPrintable(error));
}

void TestHostRemote::registrationThroughTheSharedServer()
{
    RemoteSession::Options options;
    options.server = m_server.baseUrl();
    options.user = QStringLiteral("ana");
    options.postgres.host = m_cluster.socketDirectory();
    options.postgres.port = m_cluster.port();
    options.postgres.database = kDatabase;
    options.postgres.user = m_cluster.superuser();
    options.postgres.passwordFile = m_cluster.passwordFile();
    RemoteSession session(options);

    ModuleLoader module;
    TfrmPrincipal window(session.Server());
    Quorvel::SetMainForm(&window);
    QVERIFY2(module.Load(qEnvironmentVariable("MODULE_DIR") + QLatin1Char('/') + QLatin1String(ModuleAbi::FileName)),
             qPrintable(module.ErrorString()));
    window.SetModule(&module);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    DialogAnswerer answerer(QMessageBox::Ok);
    QString prefilled;
    const QMap<QString, QStringList> picks{{"CDREGIAO", {"S"}}, {"CDFORNECED", {"1001", "1002"}}};
    answerer.SetDialogHandler([&](QWidget *dialog) {
        if (dialog->objectName() == QLatin1String("frmLogin")) {
            prefilled = dialog->findChild<QLineEdit *>(QStringLiteral("edtUsuario"))->text();
            auto *password = dialog->findChild<QLineEdit *>(QStringLiteral("edtSenha"));
            password->setFocus();
            QTest::keyClicks(password, QStringLiteral("segredo-da-ana"));
            QTest::keyClick(password, Qt::Key_Return);
        } else if (dialog->inherits("TfrmCadAutRF")) {
            QTimer::singleShot(0, dialog, [dialog] {
                ClickNamed(dialog, "sbtRegiao");
                ClickNamed(dialog, "rbtTFilial");
                ClickNamed(dialog, "sbtFornecedor");
                ClickNamed(dialog, "sbtConfirma");
            });
        } else if (dialog->objectName() == QLatin1String("frmPesquisaLista")) {
            QTimer::singleShot(0, dialog, [dialog, &picks] {
                TDataSet *rows = dialog->findChild<TDBGrid *>(QStringLiteral("dbgLista"))->DataSource()->DataSet();
                const QString key = rows->FindField(QStringLiteral("CDREGIAO")) ? QStringLiteral("CDREGIAO")
                                                                                : QStringLiteral("CDFORNECED");
                PickInListSearch(dialog, key, picks.value(key));
            });
        }
    });
    QCOMPARE(session.Server()->LogIn(), QString());
    QCOMPARE(prefilled, QStringLiteral("ana"));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);

    QCOMPARE(answerer.Messages(), QStringList{"O cadastramento automático foi realizado com sucesso."});
    QSqlQuery written(QSqlDatabase::database(QStringLiteral("adcGeral")));
    QVERIFY(written.exec(QStringLiteral(
        "SELECT COUNT(*) FROM FORNATENDE F JOIN FILIAL L ON L.CDFILIAL = F.CDFILIAL"
        " WHERE L.CDREGIAO = 'S' AND F.CDFORNECED IN ('1001', '1002') AND F.NMUSUULTALTER = 'ana'")));
    QVERIFY(written.next());
    QCOMPARE(written.value(0).toInt(), 16);
    written.finish();
    window.close();
}

void TestHostRemote::serverMessagesInTheHostsLanguage_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("message");
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates)
                             << "Run 999 not found: no automatic registration has that number.";
    QTest::newRow("Portuguese") << QLocale(QLocale::Portuguese, QLocale::Brazil)
                                << "Execução 999 não encontrada: nenhum cadastramento automático tem esse número.";
    QTest::newRow("C locale: Portuguese") << QLocale::c()
                                          << "Execução 999 não encontrada: nenhum cadastramento automático tem esse número.";
}

// The host sends its language with every call; the server's refusal comes back in it.
void TestHostRemote::serverMessagesInTheHostsLanguage()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, message);
    QLocale::setDefault(locale);
    HttpAppServer server(m_server.baseUrl(), [](HttpAppServer::Credentials &credentials, const QString &) {
        credentials = {QStringLiteral("ana"), QStringLiteral("segredo-da-ana")};
        return true;
    });
    const QString loggedIn = server.LogIn();
    QVariantList args{999};
    const QVariantMap result = server.Invoke(QStringLiteral("DesfazCadAuto"), args).toMap();
    QLocale::setDefault(QLocale::c());
    QCOMPARE(loggedIn, QString());
    QCOMPARE(result.value(QStringLiteral("ok")).toBool(), false);
    QCOMPARE(result.value(QStringLiteral("message")).toString(), message);
}

QTEST_MAIN(TestHostRemote)
#include "tst_host_remote.moc"
