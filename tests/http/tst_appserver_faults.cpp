// Faults under pkg-appserver as a separate process: the PostgreSQL backend of a
// registration killed half-way, the database restarted between two calls, the app server
// itself killed (SIGKILL) in the middle of a registration on SQLite and on PostgreSQL,
// and a SQLite file that became read-only. After each, the registrations and the run log
// hold a whole run or nothing of it, and what the user reads is Portuguese.

#include "apiclient.h"
#include "appserverprocess.h"
#include "datagenerator.h"
#include "registrationdigest.h"
#include "testengines.h"

#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <memory>

namespace {

const QString kPassword = QStringLiteral("senha-das-falhas-7402");
const QString kCall = QStringLiteral("CadAutoAtende");

// Every supplier at every branch of every region, marked by its lead time.
QVariantList everything(double leadTime)
{
    return {QString(), QStringLiteral("T"), QString(), QStringLiteral("T"), QStringLiteral("07"),
            QStringLiteral("T"), leadTime};
}

// One generated supplier at every branch: a first run, so the tables are not empty.
QVariantList firstRun()
{
    return {QStringLiteral("_G0000001_"), QString(), QString(), QStringLiteral("T"), QStringLiteral("30"),
            QStringLiteral("T"), 3.0};
}

QString messageOf(const ApiReply &reply)
{
    return reply.result().value(QStringLiteral("message")).toString();
}

qint64 valueOf(const ApiReply &reply)
{
    return reply.result().value(QStringLiteral("value")).toInteger(-1);
}

// The immutable flag, which root cannot write through (file modes do not stop root, and a
// file system cannot be remounted read-only while the server holds the file open for
// writing). Taken off again when the guard goes.
class ImmutableFile {
public:
    explicit ImmutableFile(const QString &path) : m_path(path) { m_set = chattr(QStringLiteral("+i")); }
    ~ImmutableFile() { release(); }
    bool isSet() const { return m_set; }
    void release()
    {
        if (m_set)
            m_set = !chattr(QStringLiteral("-i"));
    }

private:
    bool chattr(const QString &flag) const
    {
        return QProcess::execute(QStringLiteral("chattr"), {flag, m_path}) == 0;
    }
    QString m_path;
    bool m_set = false;
};

} // namespace

class TestAppServerFaults : public QObject {
    Q_OBJECT

    TestEngines m_engines{QStringLiteral("falhas")};

    std::unique_ptr<TestDatabase> newDatabase(const QString &engine)
    {
        return m_engines.newDatabase(engine, {{QStringLiteral("ana"), kPassword}});
    }

    // A chain of generated branches and suppliers (every supplier serves every region),
    // with a first run of one supplier registered through the server.
    static bool generateChain(TestDatabase &db, int branches, int suppliers, const QStringList &serverOptions)
    {
        appserver::DataGenerator::populate(db.connection(), branches, suppliers);
        AppServerProcess server;
        QString error;
        if (!server.start(serverOptions, &error)) {
            qWarning("%s", qPrintable(error));
            return false;
        }
        ApiClient client(server.baseUrl());
        return valueOf(client.call(kCall, firstRun(), client.token(QStringLiteral("ana"), kPassword))) == branches;
    }

    // The backend of the server's registration, once it waits for the run log that the
    // test holds: its pairs are written by then, not yet committed. 0 while there is none.
    static qint64 registrationWaitingForTheRunLog(TestDatabase &db)
    {
        return db.count(QStringLiteral("SELECT COALESCE(MAX(pid), 0) FROM pg_locks"
                                       " WHERE NOT granted AND relation = 'logcadauto'::regclass"));
    }

    // Holds the run log in a transaction of another connection, so that a registration
    // stops after writing its pairs and before recording its run.
    static bool holdRunLog(QSqlDatabase &locker)
    {
        QSqlQuery lock(locker);
        return locker.transaction() && lock.exec(QStringLiteral("LOCK TABLE LOGCADAUTO IN EXCLUSIVE MODE"));
    }

    // SQLite: true while another connection (the server's) holds the write lock.
    static bool sqliteWriteLockTaken(TestDatabase &db)
    {
        QSqlQuery begin(db.connection());
        if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return true;
        begin.exec(QStringLiteral("ROLLBACK"));
        return false;
    }

private slots:
    void initTestCase() { m_engines.start(); }

    void postgresBackendKilledInTheMiddleOfARegistration()
    {
        if (m_engines.missing(QStringLiteral("postgresql")))
            QSKIP(qPrintable(m_engines.postgresMissing()));
        std::unique_ptr<TestDatabase> db = newDatabase(QStringLiteral("postgresql"));
        QVERIFY(db);
        // One worker: the call after the failure runs on the connection that broke.
        const QStringList options = db->serverOptions() + QStringList{QStringLiteral("--workers"), QStringLiteral("1")};
        QVERIFY(generateChain(*db, 100, 40, options));
        const QByteArray before = registrationDigest(db->connection());
        AppServerProcess server;
        QString error;
        QVERIFY2(server.start(options, &error), qPrintable(error));
        ApiClient client(server.baseUrl());
        const QString token = client.token(QStringLiteral("ana"), kPassword);

        QSqlDatabase locker = m_engines.cluster().connect(db->connection().databaseName(), QStringLiteral("trava"));
        QVERIFY(holdRunLog(locker));
        QNetworkReply *registration = client.startCall(kCall, everything(9), token);
        qint64 backend = 0;
        QTRY_VERIFY_WITH_TIMEOUT((backend = registrationWaitingForTheRunLog(*db)) > 0, 60000);
        QCOMPARE(db->column(QStringLiteral("SELECT pg_terminate_backend(%1)").arg(backend)), QStringList{"true"});
        QVERIFY(locker.rollback());
        locker = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("trava"));
        const ApiReply killed = ApiClient::finish(registration);

        QCOMPARE(killed.status, 200);
        QCOMPARE(killed.result().value(QStringLiteral("ok")).toBool(), false);
        QVERIFY2(messageOf(killed).startsWith(QStringLiteral("A conexão com o banco de dados caiu durante a operação"))
                     && messageOf(killed).contains(QStringLiteral("nada foi alterado")),
                 qPrintable(messageOf(killed)));
        QCOMPARE(registrationDigest(db->connection()), before);
        // The next call opens a new connection instead of failing on the dead one.
        QCOMPARE(valueOf(client.call(kCall, everything(9), token)), 4000);
        QCOMPARE(db->count(QStringLiteral("SELECT COUNT(*) FROM LOGCADAUTO WHERE QTDIASPRAZEXPED = 9")), 1);
    }

    void postgresRestartedBetweenTwoCalls()
    {
        if (m_engines.missing(QStringLiteral("postgresql")))
            QSKIP(qPrintable(m_engines.postgresMissing()));
        std::unique_ptr<TestDatabase> db = newDatabase(QStringLiteral("postgresql"));
        QVERIFY(db);
        const QString name = db->connection().databaseName();
        AppServerProcess server;
        QString error;
        QVERIFY2(server.start(db->serverOptions() + QStringList{QStringLiteral("--workers"), QStringLiteral("1")}, &error),
                 qPrintable(error));
        ApiClient client(server.baseUrl());
        const QString token = client.token(QStringLiteral("ana"), kPassword);
        QVERIFY(client.call(QStringLiteral("getParamGeral"), {}, token).result().value(QStringLiteral("ok")).toBool());

        db.reset();
        QVERIFY2(m_engines.cluster().stop(&error), qPrintable(error));
        QVERIFY2(m_engines.cluster().start(&error), qPrintable(error));
        // Suppliers 1001 and 1002 at the South's eight branches.
        const QVariantList south{QStringLiteral("_1001_1002_"), QString(), QString(), QStringLiteral("T"),
                                 QStringLiteral("07"), QStringLiteral("_S_"), 5.0};
        const ApiReply after = client.call(kCall, south, token);

        QCOMPARE(after.status, 200);
        QVERIFY2(after.result().value(QStringLiteral("ok")).toBool(), qPrintable(messageOf(after)));
        QCOMPARE(valueOf(after), 16);
        db = TestDatabase::postgresExisting(m_engines.cluster(), name);
        QCOMPARE(db->count(QStringLiteral("SELECT COUNT(*) FROM LOGCADAUTO")), 1);
    }

    void serverKilledInTheMiddleOfARegistration_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<int>("branches");
        QTest::addColumn<int>("suppliers");
        // SQLite shows only that the server holds the write lock, so its registration is
        // made large enough to be caught in the middle; PostgreSQL is stopped there by a
        // lock on the run log.
        QTest::newRow("sqlite") << "sqlite" << 400 << 200;
        QTest::newRow("postgresql") << "postgresql" << 100 << 40;
    }

    void serverKilledInTheMiddleOfARegistration()
    {
        QFETCH(QString, engine);
        QFETCH(int, branches);
        QFETCH(int, suppliers);
        if (m_engines.missing(engine))
            QSKIP(qPrintable(m_engines.postgresMissing()));
        std::unique_ptr<TestDatabase> db = newDatabase(engine);
        QVERIFY(db);
        QVERIFY(generateChain(*db, branches, suppliers, db->serverOptions()));
        const QByteArray before = registrationDigest(db->connection());
        const bool sqlite = engine == QLatin1String("sqlite");
        AppServerProcess server;
        QString error;
        QVERIFY2(server.start(db->serverOptions(), &error), qPrintable(error));
        ApiClient client(server.baseUrl());
        const QString token = client.token(QStringLiteral("ana"), kPassword);

        const QString lockName = QStringLiteral("trava-%1").arg(engine);
        QSqlDatabase locker;
        if (sqlite) {
            QVERIFY(db->exec(QStringLiteral("PRAGMA busy_timeout = 0")));
        } else {
            locker = m_engines.cluster().connect(db->connection().databaseName(), lockName);
            QVERIFY(holdRunLog(locker));
        }
        QNetworkReply *registration = client.startCall(kCall, everything(77), token);
        qint64 backend = 0;
        if (sqlite)
            QTRY_VERIFY_WITH_TIMEOUT(sqliteWriteLockTaken(*db) || registration->isFinished(), 60000);
        else
            QTRY_VERIFY_WITH_TIMEOUT((backend = registrationWaitingForTheRunLog(*db)) > 0, 60000);
        const bool caughtInTheMiddle = !registration->isFinished();
        server.kill();
        ApiClient::finish(registration);
        if (!sqlite) {
            // The backend finishes its statement, finds its client gone and rolls back.
            QVERIFY(locker.rollback());
            locker = QSqlDatabase();
            QSqlDatabase::removeDatabase(lockName);
            QTRY_COMPARE_WITH_TIMEOUT(db->count(QStringLiteral("SELECT COUNT(*) FROM pg_stat_activity WHERE pid = %1")
                                                    .arg(backend)), 0, 60000);
        }
        QVERIFY2(caughtInTheMiddle, "o cadastramento terminou antes de ser interrompido");

        AppServerProcess restarted;
        QVERIFY2(restarted.start(db->serverOptions(), &error), qPrintable(error));
        ApiClient after(restarted.baseUrl());
        QCOMPARE(after.get(QStringLiteral("/api/v1/health")).status, 200);
        const qint64 pairs = qint64(branches) * suppliers;
        const qint64 written = db->count(QStringLiteral("SELECT COUNT(*) FROM FORNATENDE WHERE QTDIASPRAZEXPED = 77"));
        const QStringList logged = db->column(QStringLiteral("SELECT QTPARES FROM LOGCADAUTO WHERE QTDIASPRAZEXPED = 77"));
        QVERIFY2(written == 0 || written == pairs, qPrintable(QString::number(written)));
        QCOMPARE(logged, written ? QStringList{QString::number(pairs)} : QStringList{});
        if (written == 0)
            QCOMPARE(registrationDigest(db->connection()), before);
        // The restarted server registers the same run whole.
        QCOMPARE(valueOf(after.call(kCall, everything(77), after.token(QStringLiteral("ana"), kPassword))), pairs);
        QCOMPARE(db->count(QStringLiteral("SELECT COUNT(*) FROM FORNATENDE WHERE QTDIASPRAZEXPED = 77")), pairs);
    }

    void sqliteFileReadOnlyToTheServer()
    {
        std::unique_ptr<TestDatabase> db = newDatabase(QStringLiteral("sqlite"));
        QVERIFY(db);
        const QString file = db->serverOptions().at(1);
        AppServerProcess server;   // its workers open the file at their first request
        QString error;
        QVERIFY2(server.start(db->serverOptions(), &error), qPrintable(error));
        const QByteArray before = registrationDigest(db->connection());

        ImmutableFile readOnly(file);
        if (!readOnly.isSet())
            QSKIP("chattr +i não é suportado pelo sistema de arquivos da pasta temporária");
        ApiClient client(server.baseUrl());
        const ApiReply login = client.login(QStringLiteral("ana"), kPassword);
        const AppServerProcess::Result start = AppServerProcess::run(
            db->serverOptions() + QStringList{QStringLiteral("--add-user"), QStringLiteral("bia")}, "senha-da-bia\n");
        readOnly.release();

        QCOMPARE(login.status, 503);
        QVERIFY2(login.message().contains(QStringLiteral("somente leitura"))
                     && login.message().contains(QStringLiteral("nada foi alterado")),
                 qPrintable(login.message()));
        QCOMPARE(start.exitCode, 1);
        QVERIFY2(start.err.contains(QStringLiteral("somente leitura")), qPrintable(start.err));
        QCOMPARE(registrationDigest(db->connection()), before);
        QCOMPARE(db->count(QStringLiteral("SELECT COUNT(*) FROM USUARIO WHERE NMUSUARIO = 'bia'")), 0);
        // Writable again: the same server serves without a restart.
        QCOMPARE(client.login(QStringLiteral("ana"), kPassword).status, 200);
    }
};

QTEST_GUILESS_MAIN(TestAppServerFaults)
#include "tst_appserver_faults.moc"
