// Many hosts at once against pkg-appserver over real sockets: overlapping registrations
// from eight clients (one server on SQLite, one on PostgreSQL, two servers sharing one
// PostgreSQL database) leave one consistent result; a registration in progress does not
// hold back another client's small call; on SQLite, writers queue behind a long one.

#include "apiclient.h"
#include "datagenerator.h"
#include "appserverprocess.h"
#include "testengines.h"

#include <QCborMap>
#include <QSet>
#include <QSqlQuery>
#include <QSignalSpy>
#include <QTest>
#include <map>
#include <memory>
#include <vector>

namespace {

const QString kPassword = QStringLiteral("senha-concorrente-7402");

struct Scope {
    QStringList suppliers;
    QStringList regions;     // every branch of these regions
    QStringList branches;    // or these branches (regions then only as sent)
    bool blocked = false;    // a supplier does not serve a branch's region
};

// Overlapping scopes over the sample data; two are refused by the serving rule.
const std::vector<Scope> kScopes = {
    {{"1001", "1002"}, {"SE", "S"}, {}, false},
    {{"1001"}, {"N", "NE", "CO", "SE", "S"}, {}, false},
    {{"1002", "1003"}, {"SE"}, {}, false},
    {{"1001", "1004"}, {"NE"}, {}, false},
    {{"1001", "1002", "1003"}, {"SE"}, {"0001", "0002", "0010", "0014"}, false},
    {{"1001", "1002"}, {"S"}, {}, false},
    {{"1003"}, {"N"}, {}, true},
    {{"1002", "1004"}, {"SE"}, {}, true},
};
const QStringList kPeriodicities{"01", "07", "15", "30"};

QString selection(const QStringList &codes)
{
    return QLatin1Char('_') + codes.join(QLatin1Char('_')) + QLatin1Char('_');
}

// One registration run: which client, its scope and the values that identify it.
struct Run {
    int client = 0;
    const Scope *scope = nullptr;
    QString periodicity;
    int leadTime = 0;         // unique per run: tells which run wrote a pair
    QString user;
    QNetworkReply *reply = nullptr;
    ApiReply answer;

    QVariantList args() const
    {
        const bool all = scope->branches.isEmpty();
        return {selection(scope->suppliers), QString(), all ? QString() : selection(scope->branches),
                all ? QStringLiteral("T") : QString(), periodicity, selection(scope->regions), double(leadTime)};
    }
};

using Pair = QPair<QString, QString>;   // supplier, branch

} // namespace

class TestAppServerConcurrency : public QObject {
    Q_OBJECT

    TestEngines m_engines{QStringLiteral("concorrencia")};

    // Each server with three workers: more requests than workers, so that the rest queue.
    static bool startServers(const TestDatabase &db, int count, std::vector<std::unique_ptr<AppServerProcess>> &servers)
    {
        for (int i = 0; i < count; ++i) {
            servers.push_back(std::make_unique<AppServerProcess>());
            QString error;
            if (!servers.back()->start(db.serverOptions() + QStringList{QStringLiteral("--workers"), QStringLiteral("3")},
                                       &error)) {
                qWarning("%s", qPrintable(error));
                return false;
            }
        }
        return true;
    }

    static QSet<Pair> pairsOf(const Scope &scope, const QMap<QString, QString> &regionOfBranch)
    {
        QSet<Pair> pairs;
        for (auto branch = regionOfBranch.cbegin(); branch != regionOfBranch.cend(); ++branch) {
            const bool inScope = scope.branches.isEmpty() ? scope.regions.contains(branch.value())
                                                          : scope.branches.contains(branch.key());
            if (!inScope)
                continue;
            for (const QString &supplier : scope.suppliers)
                pairs.insert({supplier, branch.key()});
        }
        return pairs;
    }

    static QMap<QString, QString> regionOfBranch(TestDatabase &db)
    {
        QMap<QString, QString> regions;
        QSqlQuery query(db.connection());
        query.exec(QStringLiteral("SELECT CDFILIAL, CDREGIAO FROM FILIAL"));
        while (query.next())
            regions.insert(query.value(0).toString(), query.value(1).toString());
        return regions;
    }

private slots:
    void initTestCase() { m_engines.start(); }

    void overlappingRegistrationsLeaveOneConsistentResult_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<int>("servers");
        QTest::newRow("sqlite, one server") << "sqlite" << 1;
        QTest::newRow("postgresql, one server") << "postgresql" << 1;
        QTest::newRow("postgresql, two servers") << "postgresql" << 2;
    }

    void overlappingRegistrationsLeaveOneConsistentResult()
    {
        QFETCH(QString, engine);
        QFETCH(int, servers);
        if (m_engines.missing(engine))
            QSKIP(qPrintable(m_engines.postgresMissing()));
        std::unique_ptr<TestDatabase> db = m_engines.newDatabase(engine, {{QStringLiteral("ana"), kPassword},
                                                                          {QStringLiteral("bia"), kPassword}});
        QVERIFY(db);
        std::vector<std::unique_ptr<AppServerProcess>> processes;
        QVERIFY(startServers(*db, servers, processes));

        // Eight clients, each its own connection; each logs in on the first server and
        // calls the server of its turn: sessions live in the database.
        const int kClients = 8;
        std::vector<std::unique_ptr<ApiClient>> clients;
        std::vector<QString> tokens;
        ApiClient loginClient(processes.front()->baseUrl());
        for (int i = 0; i < kClients; ++i) {
            clients.push_back(std::make_unique<ApiClient>(processes.at(size_t(i % servers))->baseUrl()));
            tokens.push_back(loginClient.token(i % 2 ? QStringLiteral("bia") : QStringLiteral("ana"), kPassword));
            QVERIFY(!tokens.back().isEmpty());
        }
        const qint64 runsBefore = db->count(QStringLiteral("SELECT COUNT(*) FROM LOGCADAUTO"));
        QSet<Pair> before;
        for (const QString &row : db->column(QStringLiteral("SELECT CDFORNECED || '/' || CDFILIAL FROM FORNATENDE")))
            before.insert({row.section(QLatin1Char('/'), 0, 0), row.section(QLatin1Char('/'), 1, 1)});

        // Two registrations per client, all sixteen in flight at once.
        std::vector<Run> runs;
        for (int round = 0; round < 2; ++round)
            for (int i = 0; i < kClients; ++i) {
                Run run;
                run.client = i;
                run.scope = &kScopes.at(size_t((i + round) % kClients));
                run.periodicity = kPeriodicities.at((i + round) % kPeriodicities.size());
                run.leadTime = 100 + int(runs.size());
                run.user = i % 2 ? QStringLiteral("bia") : QStringLiteral("ana");
                runs.push_back(run);
            }
        for (Run &run : runs)
            run.reply = clients.at(size_t(run.client))->startCall(QStringLiteral("CadAutoAtende"), run.args(),
                                                                   tokens.at(size_t(run.client)));
        for (Run &run : runs)
            run.answer = ApiClient::finish(run.reply);

        // Each success is really there, each failure reported as one and left no trace.
        const QMap<QString, QString> regions = regionOfBranch(*db);
        QMap<int, int> runOfLogNumber;   // run number (NRLOGCADAUTO) -> index in runs
        for (size_t r = 0; r < runs.size(); ++r) {
            const Run &run = runs.at(r);
            QCOMPARE(run.answer.status, 200);
            const QCborMap result = run.answer.result();
            const QString lead = QString::number(run.leadTime);
            const QStringList logged = db->column(QStringLiteral(
                "SELECT NRLOGCADAUTO || '/' || QTPARES || '/' || NMUSUARIO FROM LOGCADAUTO WHERE QTDIASPRAZEXPED = ") + lead);
            if (run.scope->blocked) {
                QCOMPARE(result.value(QStringLiteral("ok")).toBool(), false);
                QVERIFY(result.value(QStringLiteral("message")).toString().startsWith(QStringLiteral("Operação bloqueada")));
                QVERIFY(logged.isEmpty());
                continue;
            }
            QVERIFY2(result.value(QStringLiteral("ok")).toBool(),
                     qPrintable(result.value(QStringLiteral("message")).toString()));
            const qint64 pairs = pairsOf(*run.scope, regions).size();
            QCOMPARE(result.value(QStringLiteral("value")).toInteger(), pairs);
            QCOMPARE(logged.size(), 1);
            QCOMPARE(logged.first().section(QLatin1Char('/'), 1), QStringLiteral("%1/%2").arg(pairs).arg(run.user));
            runOfLogNumber.insert(logged.first().section(QLatin1Char('/'), 0, 0).toInt(), int(r));
        }
        // Run numbers unique and without gaps.
        const QStringList numbers = db->column(QStringLiteral("SELECT NRLOGCADAUTO FROM LOGCADAUTO ORDER BY NRLOGCADAUTO"));
        QCOMPARE(numbers.size(), runsBefore + runOfLogNumber.size());
        for (int i = 0; i < numbers.size(); ++i)
            QCOMPARE(numbers.at(i).toInt(), i + 1);

        // Every pair exactly once, with the values of the last run (by run number) that
        // covered it: no pair mixes runs, none is lost or doubled.
        QMap<Pair, int> lastRunOfPair;
        for (auto it = runOfLogNumber.cbegin(); it != runOfLogNumber.cend(); ++it)
            for (const Pair &pair : pairsOf(*runs.at(size_t(it.value())).scope, regions))
                lastRunOfPair[pair] = it.value();
        QSet<Pair> expectedPairs = before;
        for (auto it = lastRunOfPair.cbegin(); it != lastRunOfPair.cend(); ++it)
            expectedPairs.insert(it.key());
        QCOMPARE(db->count(QStringLiteral("SELECT COUNT(*) FROM FORNATENDE")), qint64(expectedPairs.size()));
        QSqlQuery rows(db->connection());
        QVERIFY(rows.exec(QStringLiteral("SELECT CDFORNECED, CDFILIAL, CDPERIENTR, QTDIASPRAZEXPED, NMUSUULTALTER"
                                         " FROM FORNATENDE")));
        while (rows.next()) {
            const Pair pair{rows.value(0).toString(), rows.value(1).toString()};
            if (!lastRunOfPair.contains(pair))
                continue;   // sample registration outside every run's scope
            const Run &run = runs.at(size_t(lastRunOfPair.value(pair)));
            QCOMPARE(QStringList({rows.value(2).toString(), rows.value(3).toString(), rows.value(4).toString()}),
                     QStringList({run.periodicity, QString::number(run.leadTime), run.user}));
        }
    }

    void aRegistrationInProgressDoesNotHoldBackASmallCall_data() { TestEngines::addEngineRows(); }

    void aRegistrationInProgressDoesNotHoldBackASmallCall()
    {
        QFETCH(QString, engine);
        if (m_engines.missing(engine))
            QSKIP(qPrintable(m_engines.postgresMissing()));
        std::unique_ptr<TestDatabase> db = m_engines.newDatabase(engine, {{QStringLiteral("ana"), kPassword}});
        QVERIFY(db);
        std::vector<std::unique_ptr<AppServerProcess>> processes;
        QVERIFY(startServers(*db, 1, processes));
        ApiClient registering(processes.front()->baseUrl());
        ApiClient reading(processes.front()->baseUrl());
        const QString token = registering.token(QStringLiteral("ana"), kPassword);

        // Another writer holds the registration table, so the registration stays in
        // progress (waiting inside its write transaction) until the test lets it go.
        const bool sqlite = engine == QLatin1String("sqlite");
        QVERIFY(sqlite ? db->exec(QStringLiteral("BEGIN IMMEDIATE"))
                       : db->connection().transaction() &&
                             db->exec(QStringLiteral("LOCK TABLE FORNATENDE IN EXCLUSIVE MODE")));
        QNetworkReply *registration = registering.startCall(
            QStringLiteral("CadAutoAtende"), Run{0, &kScopes.front(), QStringLiteral("07"), 9, QString(), nullptr, {}}.args(),
            token);
        if (sqlite) {
            // SQLite shows no waiting writer; the request has at least left the client.
            QSignalSpy sent(registration, &QNetworkReply::uploadProgress);
            QVERIFY(sent.wait(60000) || !sent.isEmpty());
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(db->count(QStringLiteral("SELECT COUNT(*) FROM pg_locks WHERE NOT granted")) > 0,
                                     60000);
        }

        const ApiReply branches = reading.call(QStringLiteral("getFilial"), {QStringLiteral("T")}, token);
        const bool registrationStillRunning = !registration->isFinished();
        QVERIFY(sqlite ? db->exec(QStringLiteral("ROLLBACK")) : db->connection().rollback());
        const ApiReply registered = ApiClient::finish(registration);

        QCOMPARE(branches.status, 200);
        QVERIFY(branches.result().value(QStringLiteral("ok")).toBool());
        QVERIFY2(registrationStillRunning, "a chamada pequena esperou o fim do cadastramento");
        QCOMPARE(registered.status, 200);
        QVERIFY2(registered.result().value(QStringLiteral("ok")).toBool(),
                 qPrintable(registered.result().value(QStringLiteral("message")).toString()));
    }

    // On SQLite the writers of one server queue for each other instead of racing for the
    // database's write lock: with a busy timeout of one second, a small registration sent
    // while a long one runs waits its turn and succeeds, and the run log numbers them in
    // that order.
    void sqliteRegistrationsQueueBehindALongOne()
    {
        std::unique_ptr<TestDatabase> db =
            m_engines.newDatabase(QStringLiteral("sqlite"), {{QStringLiteral("ana"), kPassword}});
        QVERIFY(db);
        QString error;
        appserver::DataGenerator::populate(db->connection(), 1000, 400);
        AppServerProcess server;
        QVERIFY2(server.start(db->serverOptions() + QStringList{QStringLiteral("--db-timeout"), QStringLiteral("1")},
                              &error),
                 qPrintable(error));
        ApiClient longClient(server.baseUrl());
        ApiClient shortClient(server.baseUrl());
        const QString token = longClient.token(QStringLiteral("ana"), kPassword);

        const QVariantList everything{QString(), QStringLiteral("T"), QString(), QStringLiteral("T"),
                                      QStringLiteral("07"), QStringLiteral("T"), 1.0};
        QNetworkReply *longRun = longClient.startCall(QStringLiteral("CadAutoAtende"), everything, token);
        QSignalSpy sent(longRun, &QNetworkReply::uploadProgress);
        QVERIFY(sent.wait(60000) || !sent.isEmpty());
        QTest::qWait(500);   // lets the long run reach the database first; it takes seconds there
        const QVariantList onePair{QStringLiteral("_") + appserver::DataGenerator::supplierCode(1) + QStringLiteral("_"),
                                   QString(),
                                   QStringLiteral("_") + appserver::DataGenerator::branchCode(1, 1000) + QStringLiteral("_"),
                                   QString(), QStringLiteral("15"), QStringLiteral("T"), 2.0};
        const ApiReply shortRun = shortClient.call(QStringLiteral("CadAutoAtende"), onePair, token);
        const ApiReply longAnswer = ApiClient::finish(longRun);

        QVERIFY2(longAnswer.result().value(QStringLiteral("ok")).toBool(),
                 qPrintable(longAnswer.result().value(QStringLiteral("message")).toString()));
        QVERIFY2(shortRun.result().value(QStringLiteral("ok")).toBool(),
                 qPrintable(shortRun.result().value(QStringLiteral("message")).toString()));
        QCOMPARE(db->column(QStringLiteral("SELECT QTPARES FROM LOGCADAUTO ORDER BY NRLOGCADAUTO")),
                 (QStringList{QStringLiteral("400000"), QStringLiteral("1")}));
        QCOMPARE(db->column(QStringLiteral("SELECT CDPERIENTR FROM FORNATENDE WHERE QTDIASPRAZEXPED = 2")),
                 QStringList{QStringLiteral("15")});
    }

    // On PostgreSQL only: there the test sees the registration waiting (pg_locks), so it
    // knows the server took the request before the signal; SQLite shows no waiting writer.
    void terminateFinishesTheRegistrationInProgressAndTakesNoMore()
    {
        const QString engine = QStringLiteral("postgresql");
        if (m_engines.missing(engine))
            QSKIP(qPrintable(m_engines.postgresMissing()));
        std::unique_ptr<TestDatabase> db = m_engines.newDatabase(engine, {{QStringLiteral("ana"), kPassword}});
        QVERIFY(db);
        std::vector<std::unique_ptr<AppServerProcess>> processes;
        QVERIFY(startServers(*db, 1, processes));
        AppServerProcess &server = *processes.front();
        ApiClient client(server.baseUrl());
        const QString token = client.token(QStringLiteral("ana"), kPassword);

        QVERIFY(db->connection().transaction());
        QVERIFY(db->exec(QStringLiteral("LOCK TABLE FORNATENDE IN EXCLUSIVE MODE")));
        QNetworkReply *registration = client.startCall(
            QStringLiteral("CadAutoAtende"), Run{0, &kScopes.front(), QStringLiteral("07"), 9, QString(), nullptr, {}}.args(),
            token);
        QTRY_VERIFY_WITH_TIMEOUT(db->count(QStringLiteral("SELECT COUNT(*) FROM pg_locks WHERE NOT granted")) > 0, 60000);
        server.requestStop();
        QVERIFY(server.waitForLog(QStringLiteral("encerrando")));
        ApiClient latecomer(server.baseUrl());
        const ApiReply refused = latecomer.get(QStringLiteral("/api/v1/health"));
        const bool stillRunning = !registration->isFinished();
        QVERIFY(db->connection().rollback());
        const ApiReply registered = ApiClient::finish(registration);

        QCOMPARE(refused.status, 0);   // no new connection once it is stopping
        QVERIFY(stillRunning);
        QCOMPARE(registered.status, 200);
        QVERIFY2(registered.result().value(QStringLiteral("ok")).toBool(),
                 qPrintable(registered.result().value(QStringLiteral("message")).toString()));
        QCOMPARE(server.waitForExit(), 0);
        QCOMPARE(db->count(QStringLiteral("SELECT COUNT(*) FROM LOGCADAUTO")), 1);
    }
};

QTEST_GUILESS_MAIN(TestAppServerConcurrency)
#include "tst_appserver_concurrency.moc"
