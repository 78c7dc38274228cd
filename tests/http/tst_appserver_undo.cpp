// DesfazCadAuto through pkg-appserver over real sockets, on SQLite and on PostgreSQL: the
// undo rules on each engine's own SQL with the logged-in user as its author, and an undo
// that arrives while a registration over the same pairs is in progress.

#include "apiclient.h"
#include "appserverprocess.h"
#include "testengines.h"

#include <QCborMap>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

const QString kPassword = QStringLiteral("senha-do-desfazer-7402");

// CadAutoAtende arguments over the sample data, branches of the regions.
QVariantList registration(const QString &suppliers, const QString &regions, const QString &periodicity)
{
    return {suppliers, QString(), QString(), QStringLiteral("T"), periodicity, regions, 6.0};
}

// 1002 and 1003 at every branch of the Southeast: 24 new pairs and the four sample pairs
// replaced (1002 at 0001 and 0002, 1003 at 0001 and 0010).
const QVariantList kSoutheast = registration(QStringLiteral("_1002_1003_"), QStringLiteral("_SE_"), QStringLiteral("15"));
// 1002 at every branch of the Southeast again: 14 of the pairs above.
const QVariantList kSoutheastAgain = registration(QStringLiteral("_1002_"), QStringLiteral("_SE_"), QStringLiteral("30"));

// Every column of every pair as one text per pair, in one order on both engines.
const QString kAllPairs = QStringLiteral(
    "SELECT CDFORNECED || '/' || CDFILIAL || '/' || COALESCE(CDPERIENTR, '-') || '/' || QTDIASPRAZEXPED"
    " || '/' || DTULTALTER || '/' || NMUSUULTALTER || '/' || COALESCE(NRLOGCADAUTO, 0)"
    " FROM FORNATENDE ORDER BY CDFORNECED, CDFILIAL");

QString resultMessage(const ApiReply &reply)
{
    return reply.result().value(QStringLiteral("message")).toString();
}

qint64 resultCount(const ApiReply &reply)
{
    if (!reply.result().value(QStringLiteral("ok")).toBool())
        qWarning("falha: %d %s %s", reply.status, qPrintable(resultMessage(reply)), qPrintable(reply.message()));
    return reply.result().value(QStringLiteral("value")).toInteger(-1);
}

} // namespace

class TestAppServerUndo : public QObject {
    Q_OBJECT

    TestEngines m_engines{QStringLiteral("desfazer")};

    // A new database with the sample data and the users ana and bia, served by a new
    // pkg-appserver.
    struct Served {
        std::unique_ptr<TestDatabase> db;
        AppServerProcess server;
    };

    std::unique_ptr<Served> serve(const QString &engine)
    {
        auto served = std::make_unique<Served>();
        served->db = m_engines.newDatabase(engine, {{QStringLiteral("ana"), kPassword},
                                                    {QStringLiteral("bia"), kPassword}});
        if (!served->db)
            return nullptr;
        QString error;
        if (!served->server.start(served->db->serverOptions(), &error)) {
            qWarning("%s", qPrintable(error));
            return nullptr;
        }
        return served;
    }

private slots:
    void initTestCase() { m_engines.start(); }

    // One user registers, another undoes: refused while a later run holds the pairs,
    // then the later run and the earlier one come off, back to the sample rows.
    void undoRulesHoldOnTheEngine_data() { TestEngines::addEngineRows(); }
    void undoRulesHoldOnTheEngine()
    {
        QFETCH(QString, engine);
        if (m_engines.missing(engine))
            QSKIP(qPrintable(m_engines.postgresMissing()));
        std::unique_ptr<Served> served = serve(engine);
        QVERIFY(served);
        TestDatabase &db = *served->db;
        ApiClient client(served->server.baseUrl());
        const QString ana = client.token(QStringLiteral("ana"), kPassword);
        const QString bia = client.token(QStringLiteral("bia"), kPassword);
        const QStringList initial = db.column(kAllPairs);

        QCOMPARE(resultCount(client.call(QStringLiteral("CadAutoAtende"), kSoutheast, ana)), 28);
        const QStringList afterFirst = db.column(kAllPairs);
        QCOMPARE(resultCount(client.call(QStringLiteral("CadAutoAtende"), kSoutheastAgain, ana)), 14);
        QCOMPARE(db.column(QStringLiteral("SELECT QTNOVOS || '/' || QTSUBSTITUIDOS FROM LOGCADAUTO ORDER BY NRLOGCADAUTO")),
                 (QStringList{"24/4", "0/14"}));

        const QStringList beforeRefusal = db.column(kAllPairs);
        const ApiReply refused = client.call(QStringLiteral("DesfazCadAuto"), {1.0}, bia);
        QCOMPARE(refused.status, 200);
        QCOMPARE(resultMessage(refused),
                 QStringLiteral("Não é possível desfazer a execução 1: 14 pares foram alterados depois pela execução 2."));
        QCOMPARE(db.column(kAllPairs), beforeRefusal);

        QCOMPARE(resultCount(client.call(QStringLiteral("DesfazCadAuto"), {qlonglong(2)}, bia)), 14);
        QCOMPARE(db.column(kAllPairs), afterFirst);
        QCOMPARE(resultCount(client.call(QStringLiteral("DesfazCadAuto"), {1.0}, bia)), 28);
        QCOMPARE(db.column(kAllPairs), initial);
        QCOMPARE(db.column(QStringLiteral("SELECT NMUSUDESFEZ FROM LOGCADAUTO ORDER BY NRLOGCADAUTO")),
                 (QStringList{"bia", "bia"}));

        QVERIFY(resultMessage(client.call(QStringLiteral("DesfazCadAuto"), {1.0}, ana))
                    .startsWith(QStringLiteral("A execução 1 já foi desfeita em ")));
        QCOMPARE(resultMessage(client.call(QStringLiteral("DesfazCadAuto"), {3.0}, ana)),
                 QStringLiteral("Execução 3 não encontrada: nenhum cadastramento automático tem esse número."));
        QCOMPARE(db.column(kAllPairs), initial);
        QVERIFY2(served->server.log().contains(QLatin1String(" bia POST /api/v1/call/DesfazCadAuto 200 ")),
                 qPrintable(served->server.log()));
    }

    // The undo of run 1 arrives while run 2, over the same pairs, is held inside its write
    // transaction. PostgreSQL: run 2 holds the advisory write lock (it waits on a table
    // lock the test holds), the undo waits for that lock and then sees run 2 whole.
    // SQLite: both wait for a writer the test holds, and either may go first; each
    // outcome must be whole.
    void undoMeetingARegistrationInProgress_data() { TestEngines::addEngineRows(); }
    void undoMeetingARegistrationInProgress()
    {
        QFETCH(QString, engine);
        if (m_engines.missing(engine))
            QSKIP(qPrintable(m_engines.postgresMissing()));
        std::unique_ptr<Served> served = serve(engine);
        QVERIFY(served);
        TestDatabase &db = *served->db;
        ApiClient registering(served->server.baseUrl());
        ApiClient undoing(served->server.baseUrl());
        const QString token = registering.token(QStringLiteral("ana"), kPassword);
        QCOMPARE(resultCount(registering.call(QStringLiteral("CadAutoAtende"), kSoutheast, token)), 28);

        const bool sqlite = engine == QLatin1String("sqlite");
        const QString waiting = QStringLiteral("SELECT COUNT(*) FROM pg_locks WHERE NOT granted");
        QVERIFY(sqlite ? db.exec(QStringLiteral("BEGIN IMMEDIATE"))
                       : db.connection().transaction()
                             && db.exec(QStringLiteral("LOCK TABLE FORNATENDE IN EXCLUSIVE MODE")));
        QNetworkReply *registration = registering.startCall(QStringLiteral("CadAutoAtende"), kSoutheastAgain, token);
        if (sqlite) {
            QSignalSpy sent(registration, &QNetworkReply::uploadProgress);
            QVERIFY(sent.wait(60000) || !sent.isEmpty());
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(db.count(waiting) == 1, 60000);
        }
        QNetworkReply *undo = undoing.startCall(QStringLiteral("DesfazCadAuto"), {1.0}, token);
        if (sqlite) {
            QSignalSpy sent(undo, &QNetworkReply::uploadProgress);
            QVERIFY(sent.wait(60000) || !sent.isEmpty());
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(db.count(waiting) == 2, 60000);
        }
        const bool bothWaited = !registration->isFinished() && !undo->isFinished();
        QVERIFY(sqlite ? db.exec(QStringLiteral("ROLLBACK")) : db.connection().rollback());
        const ApiReply registered = ApiClient::finish(registration);
        const ApiReply undone = ApiClient::finish(undo);

        QVERIFY(bothWaited);
        QCOMPARE(resultCount(registered), 14);
        const QStringList runs = db.column(QStringLiteral(
            "SELECT NRLOGCADAUTO || '/' || QTNOVOS || '/' || QTSUBSTITUIDOS || '/' || COALESCE(NMUSUDESFEZ, '-')"
            " FROM LOGCADAUTO ORDER BY NRLOGCADAUTO"));
        if (undone.result().value(QStringLiteral("ok")).toBool()) {
            // The undo went first and took run 1 back whole; run 2 then wrote its pairs anew.
            QVERIFY(sqlite);
            QCOMPARE(resultCount(undone), 28);
            QCOMPARE(runs, (QStringList{"1/24/4/ana", "2/12/2/-"}));
        } else {
            QCOMPARE(resultMessage(undone), QStringLiteral("Não é possível desfazer a execução 1: 14 pares foram "
                                                           "alterados depois pela execução 2."));
            QCOMPARE(runs, (QStringList{"1/24/4/-", "2/0/14/-"}));
        }
        QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM FORNATENDE WHERE CDFORNECED = '1002'"
                                         " AND NRLOGCADAUTO = 2 AND CDPERIENTR = '30'")),
                 14);
    }
};

QTEST_GUILESS_MAIN(TestAppServerUndo)
#include "tst_appserver_undo.moc"
