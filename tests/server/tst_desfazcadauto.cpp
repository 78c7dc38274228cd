// Taking a registration run back (DesfazCadAuto) through the automation object, on a real
// SQLite sample database: what each run keeps, the exact state an undo returns to, the
// refusals that change nothing, undoing runs one after another, and an undo that meets
// a registration in progress.

#include "serverfixture.h"
#include "datagenerator.h"
#include "servererror.h"

#include <QRegularExpression>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <limits>
#include <thread>

namespace {

const QString kT = QStringLiteral("T");
const QString kNone;

// CadAutoAtende arguments: suppliers, supplier all-flag, branches, branch all-flag,
// periodicity, regions, lead time.
QVariantList registration(const QString &suppliers, const QString &branches, const QString &regions,
                          const QString &periodicity, double leadTime)
{
    return {suppliers, kNone, branches, branches.isEmpty() ? kT : kNone, periodicity, regions, leadTime};
}

// Scopes over the sample data (docs/server.md). Already registered there: 1002 at 0001
// and 0002 (periodicity 07), 1003 at 0001 and 0010 (30), all by "carga inicial".
// 1001 and 1002 at every branch of the South: 16 new pairs.
QVariantList southBoth(const QString &periodicity = QStringLiteral("15"))
{
    return registration(QStringLiteral("_1001_1002_"), kNone, QStringLiteral("_S_"), periodicity, 7.0);
}
// 1001 at every branch of the South: 8 pairs, all of them in southBoth.
QVariantList southFirst()
{
    return registration(QStringLiteral("_1001_"), kNone, QStringLiteral("_S_"), QStringLiteral("30"), 9.0);
}
// One pair: 1002 at the branch.
QVariantList onePair(const QString &branch)
{
    return registration(QStringLiteral("_1002_"), QLatin1Char('_') + branch + QLatin1Char('_'), QStringLiteral("_S_"),
                        QStringLiteral("01"), 1.0);
}
// 1002 and 1003 at 0001, 0002 and 0010: replaces the four sample pairs, inserts two.
QVariantList southeastMixed()
{
    return registration(QStringLiteral("_1002_1003_"), QStringLiteral("_0001_0002_0010_"), QStringLiteral("_SE_"),
                        QString(), 12.0);
}
// 1002 at 0001 and 0002: replaces two pairs.
QVariantList southeastReplace()
{
    return registration(QStringLiteral("_1002_"), QStringLiteral("_0001_0002_"), QStringLiteral("_SE_"),
                        QStringLiteral("1A"), 4.0);
}

const QString kAllPairs = QStringLiteral(
    "SELECT CDFORNECED, CDFILIAL, CDPERIENTR, QTDIASPRAZEXPED, DTULTALTER, NMUSUULTALTER, NRLOGCADAUTO"
    " FROM FORNATENDE ORDER BY CDFORNECED, CDFILIAL");
// Gives every registered pair a time of its own, long past, so that a restored pair
// shows whether its time came back too (a run and its undo may fall in one second).
const QString kBackdate = QStringLiteral(
    "UPDATE FORNATENDE SET DTULTALTER = '2020-02-0' || (LENGTH(CDFORNECED) % 9 + 1) || ' 10:00:0' || SUBSTR(CDFILIAL, 4, 1)");

const QString kAllRuns = QStringLiteral(
    "SELECT NRLOGCADAUTO, QTPARES, QTNOVOS, QTSUBSTITUIDOS, DTDESFEITO, NMUSUDESFEZ FROM LOGCADAUTO"
    " ORDER BY NRLOGCADAUTO");

} // namespace

class TestDesfazCadAuto : public QObject {
    Q_OBJECT

    std::unique_ptr<ServerFixture> fx;

    QString failureMessage(const QVariantMap &result)
    {
        if (result.value(QStringLiteral("ok")).toBool())
            return QStringLiteral("<not a failure>");
        return result.value(QStringLiteral("message")).toString();
    }

    qint64 okCount(const QVariantMap &result)
    {
        if (!result.value(QStringLiteral("ok")).toBool())
            qWarning("server failure: %s", qPrintable(result.value(QStringLiteral("message")).toString()));
        return result.value(QStringLiteral("value"), -1).toLongLong();
    }

    void runAll(const QList<QVariantList> &runs)
    {
        for (const QVariantList &args : runs)
            QVERIFY(okCount(fx->invoke(QStringLiteral("CadAutoAtende"), args)) > 0);
    }

    QVariantMap undo(const QVariant &run) { return fx->invoke(QStringLiteral("DesfazCadAuto"), {run}); }

    QStringList runRow(int run)
    {
        return fx->rows(kAllRuns).value(run - 1);
    }

private slots:
    void init() { fx = std::make_unique<ServerFixture>(); }
    void cleanup() { fx.reset(); }

    // The last of the runs is taken back: the table is exactly as before it, the run
    // keeps its counts and is marked with who undid it.
    void undoReturnsTheTableToItsStateBeforeTheRun_data()
    {
        QTest::addColumn<QList<QVariantList>>("earlier");
        QTest::addColumn<QVariantList>("run");
        QTest::addColumn<int>("inserted");
        QTest::addColumn<int>("replaced");
        QTest::newRow("new pairs only") << QList<QVariantList>{} << southBoth() << 16 << 0;
        QTest::newRow("sample pairs replaced") << QList<QVariantList>{} << southeastReplace() << 0 << 2;
        QTest::newRow("new and replaced") << QList<QVariantList>{} << southeastMixed() << 2 << 4;
        QTest::newRow("pairs of an earlier run replaced") << QList<QVariantList>{southBoth()} << southFirst() << 0 << 8;
        QTest::newRow("same scope again") << QList<QVariantList>{southBoth()} << southBoth(QStringLiteral("0A"))
                                          << 0 << 16;
    }

    void undoReturnsTheTableToItsStateBeforeTheRun()
    {
        QFETCH(QList<QVariantList>, earlier);
        QFETCH(QVariantList, run);
        QFETCH(int, inserted);
        QFETCH(int, replaced);
        runAll(earlier);
        fx->exec(kBackdate);
        const auto before = fx->rows(kAllPairs);
        QCOMPARE(okCount(fx->invoke(QStringLiteral("CadAutoAtende"), run)), qint64(inserted + replaced));
        const int number = int(earlier.size()) + 1;
        QCOMPARE(runRow(number).mid(1, 3), (QStringList{QString::number(inserted + replaced),
                                                        QString::number(inserted), QString::number(replaced)}));
        QVERIFY(fx->rows(kAllPairs) != before);

        QCOMPARE(okCount(undo(double(number))), qint64(inserted + replaced));
        QCOMPARE(fx->rows(kAllPairs), before);
        const QStringList marked = runRow(number);
        QVERIFY2(marked.at(4) != QLatin1String("<null>"), "DTDESFEITO");
        QCOMPARE(marked.at(5), QStringLiteral("tester"));
    }

    // Refusals name how many pairs changed and by which later run, and change nothing.
    void undoIsRefusedWhenItsPairsChangedAfterIt_data()
    {
        QTest::addColumn<QList<QVariantList>>("runs");
        QTest::addColumn<QString>("sabotage");   // a change made outside the server, or empty
        QTest::addColumn<int>("undone");
        QTest::addColumn<QString>("message");
        const QString refused = QStringLiteral("Não é possível desfazer a execução 1: ");
        QTest::newRow("one later run")
            << QList<QVariantList>{southBoth(), southFirst()} << QString() << 1
            << refused + "8 pares foram alterados depois pela execução 2.";
        QTest::newRow("one pair of a later run")
            << QList<QVariantList>{southBoth(), onePair("0015")} << QString() << 1
            << refused + "1 par foi alterado depois pela execução 2.";
        QTest::newRow("two later runs, most recent first")
            << QList<QVariantList>{southBoth(), southFirst(), onePair("0015")} << QString() << 1
            << refused + "9 pares foram alterados depois pelas execuções 3 (1 par) e 2 (8 pares).";
        QTest::newRow("a pair changed twice counts once, for its last run")
            << QList<QVariantList>{southBoth(), onePair("0015"), onePair("0016"), onePair("0017"), onePair("0018"),
                                   onePair("0019"), onePair("0015")}
            << QString() << 1
            << refused + "5 pares foram alterados depois pelas execuções 7 (1 par), 6 (1 par), 5 (1 par), "
                         "4 (1 par) e 3 (1 par).";
        QTest::newRow("more later runs than are named")
            << QList<QVariantList>{southBoth(), onePair("0015"), onePair("0016"), onePair("0017"), onePair("0018"),
                                   onePair("0019"), onePair("0020"), onePair("0021")}
            << QString() << 1
            << refused + "7 pares foram alterados depois pelas execuções 8 (1 par), 7 (1 par), 6 (1 par), "
                         "5 (1 par), 4 (1 par) e mais 2 execuções (2 pares).";
        QTest::newRow("pair rewritten outside the server")
            << QList<QVariantList>{southBoth()}
            << "UPDATE FORNATENDE SET NRLOGCADAUTO = NULL WHERE CDFORNECED = '1001' AND CDFILIAL = '0015'" << 1
            << refused + "1 par foi alterado ou excluído fora do cadastramento automático.";
        QTest::newRow("pairs deleted outside the server")
            << QList<QVariantList>{southBoth()}
            << "DELETE FROM FORNATENDE WHERE CDFORNECED = '1002' AND CDFILIAL IN ('0015', '0016')" << 1
            << refused + "2 pares foram alterados ou excluídos fora do cadastramento automático.";
        QTest::newRow("later run and outside")
            << QList<QVariantList>{southBoth(), southFirst()}
            << "DELETE FROM FORNATENDE WHERE CDFORNECED = '1002' AND CDFILIAL = '0022'" << 1
            << refused + "8 pares foram alterados depois pela execução 2; 1 par foi alterado ou excluído fora do "
                         "cadastramento automático.";
        QTest::newRow("replaced sample pair changed by a later run")
            << QList<QVariantList>{southeastMixed(), southeastReplace()} << QString() << 1
            << refused + "2 pares foram alterados depois pela execução 2.";
    }

    void undoIsRefusedWhenItsPairsChangedAfterIt()
    {
        QFETCH(QList<QVariantList>, runs);
        QFETCH(QString, sabotage);
        QFETCH(int, undone);
        QFETCH(QString, message);
        runAll(runs);
        if (!sabotage.isEmpty())
            fx->exec(sabotage);
        const auto pairs = fx->rows(kAllPairs);
        const auto logged = fx->rows(kAllRuns);
        QCOMPARE(failureMessage(undo(double(undone))), message);
        QCOMPARE(fx->rows(kAllPairs), pairs);
        QCOMPARE(fx->rows(kAllRuns), logged);
    }

    // Runs come off in reverse order, each back to the exact state before it, down to
    // the sample rows, which carry no run number; numbers are never given out twice.
    void runsAreUndoneFromTheLastBack()
    {
        fx->exec(kBackdate);
        const auto initial = fx->rows(kAllPairs);
        QVERIFY(okCount(fx->invoke(QStringLiteral("CadAutoAtende"), southeastMixed())) == 6);
        fx->exec(kBackdate);
        const auto afterFirst = fx->rows(kAllPairs);
        QVERIFY(okCount(fx->invoke(QStringLiteral("CadAutoAtende"), southeastReplace())) == 2);
        QVERIFY(okCount(fx->invoke(QStringLiteral("CadAutoAtende"), southBoth())) == 16);

        QVERIFY(failureMessage(undo(1.0)).contains(QStringLiteral("pela execução 2.")));
        QCOMPARE(okCount(undo(3.0)), 16);
        QCOMPARE(okCount(undo(2.0)), 2);
        QCOMPARE(fx->rows(kAllPairs), afterFirst);
        QCOMPARE(okCount(undo(1.0)), 6);
        QCOMPARE(fx->rows(kAllPairs), initial);
        QCOMPARE(fx->rows(QStringLiteral("SELECT COUNT(*) FROM FORNATENDE WHERE NRLOGCADAUTO IS NOT NULL")),
                 (QList<QStringList>{{"0"}}));

        QVERIFY(okCount(fx->invoke(QStringLiteral("CadAutoAtende"), southFirst())) == 8);
        QCOMPARE(fx->rows(QStringLiteral("SELECT NRLOGCADAUTO, DTDESFEITO IS NULL FROM LOGCADAUTO ORDER BY 1")),
                 (QList<QStringList>{{"1", "0"}, {"2", "0"}, {"3", "0"}, {"4", "1"}}));
    }

    void undoingTwiceIsRefused()
    {
        QVERIFY(okCount(fx->invoke(QStringLiteral("CadAutoAtende"), southBoth())) == 16);
        QCOMPARE(okCount(undo(1.0)), 16);
        const auto pairs = fx->rows(kAllPairs);
        const auto logged = fx->rows(kAllRuns);
        const QString message = failureMessage(undo(1));
        const QRegularExpression undoneAt(QStringLiteral(
            "^A execução 1 já foi desfeita em \\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d por tester\\.$"));
        QVERIFY2(undoneAt.match(message).hasMatch(), qPrintable(message));
        QCOMPARE(fx->rows(kAllPairs), pairs);
        QCOMPARE(fx->rows(kAllRuns), logged);
    }

    void aRunLoggedBeforeTheHistoryCannotBeUndone()
    {
        // As a server before the history logged it: no counts of new and replaced pairs.
        fx->exec(QStringLiteral("INSERT INTO LOGCADAUTO (NRLOGCADAUTO, DTEXECUCAO, NMUSUARIO, DSREGIOES, IDTODOSFORN,"
                                " QTFORNECED, IDTODASFIL, QTFILIAL, CDPERIENTR, QTDIASPRAZEXPED, QTPARES)"
                                " VALUES (1, '2026-01-05 09:00:00', 'antigo', '_S_', 'N', 1, 'S', 8, '07', 0, 8)"));
        const auto pairs = fx->rows(kAllPairs);
        QCOMPARE(failureMessage(undo(1.0)),
                 QStringLiteral("A execução 1 não pode ser desfeita: foi registrada antes do histórico das "
                                "alterações (sem histórico)."));
        QCOMPARE(fx->rows(kAllPairs), pairs);
        QCOMPARE(fx->rows(QStringLiteral("SELECT DTDESFEITO FROM LOGCADAUTO")), (QList<QStringList>{{"<null>"}}));
        // The next run is numbered after it.
        QVERIFY(okCount(fx->invoke(QStringLiteral("CadAutoAtende"), southFirst())) == 8);
        QCOMPARE(okCount(undo(2.0)), 8);
    }

    void badRunNumbersAreRefused_data()
    {
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QString>("message");
        const QString missing = QStringLiteral("Número da execução não informado");
        const QString invalid = QStringLiteral("Número da execução inválido: informe um número inteiro de 1 a 2147483647.");
        QTest::newRow("no argument") << QVariantList{} << "esperados 1, recebidos 0";
        QTest::newRow("two arguments") << QVariantList{1.0, 1.0} << "esperados 1, recebidos 2";
        QTest::newRow("unassigned") << QVariantList{QVariant()} << missing;
        QTest::newRow("null") << QVariantList{QVariant::fromValue(nullptr)} << missing;
        QTest::newRow("text") << QVariantList{QStringLiteral("1")} << invalid;
        QTest::newRow("empty text") << QVariantList{QString()} << invalid;
        QTest::newRow("zero") << QVariantList{0.0} << invalid;
        QTest::newRow("negative") << QVariantList{-1} << invalid;
        QTest::newRow("fraction") << QVariantList{1.5} << invalid;
        QTest::newRow("not a number") << QVariantList{std::numeric_limits<double>::quiet_NaN()} << invalid;
        QTest::newRow("past the column") << QVariantList{3e9} << invalid;
        QTest::newRow("unknown, as a double")
            << QVariantList{99.0} << "Execução 99 não encontrada: nenhum cadastramento automático tem esse número.";
        QTest::newRow("unknown, as an integer")
            << QVariantList{qlonglong(2)} << "Execução 2 não encontrada: nenhum cadastramento automático tem esse número.";
    }

    void badRunNumbersAreRefused()
    {
        QFETCH(QVariantList, args);
        QFETCH(QString, message);
        QVERIFY(okCount(fx->invoke(QStringLiteral("CadAutoAtende"), southBoth())) == 16);
        const auto pairs = fx->rows(kAllPairs);
        const auto logged = fx->rows(kAllRuns);
        const QString refused = failureMessage(fx->invoke(QStringLiteral("DesfazCadAuto"), args));
        QVERIFY2(refused.contains(message), qPrintable(refused));
        QCOMPARE(fx->rows(kAllPairs), pairs);
        QCOMPARE(fx->rows(kAllRuns), logged);
    }

    // An undo asked for while a registration over the same pairs holds the write lock
    // waits for it, then sees that run whole: every pair changed by it, nothing half-way.
    void undoDuringARegistrationInProgressWaitsAndSeesItWhole()
    {
        const int branches = 300;
        const int suppliers = 200;
        appserver::DataGenerator::populate(fx->db, branches, suppliers);
        const QVariantList everything{kNone, kT, kNone, kT, QStringLiteral("07"), kT, 3.0};
        QCOMPARE(okCount(fx->invoke(QStringLiteral("CadAutoAtende"), everything)), qint64(branches) * suppliers);

        std::atomic<bool> registering{true};
        QString registrationFailure;
        const QString path = fx->path();
        std::thread registration([&] {
            const QString connection = QStringLiteral("registering");
            try {
                appserver::ServerDatabase::openSqlite(path, connection);
                {
                    appserver::LocalAppServer server(connection, QStringLiteral("outro"));
                    QVariantList args{kNone, kT, kNone, kT, QStringLiteral("15"), kT, 8.0};
                    const QVariantMap result = server.Invoke(QStringLiteral("CadAutoAtende"), args).toMap();
                    if (!result.value(QStringLiteral("ok")).toBool())
                        registrationFailure = result.value(QStringLiteral("message")).toString();
                }
            } catch (const appserver::ServerError &error) {
                registrationFailure = error.message();
            }
            appserver::ServerDatabase::close(connection);
            registering = false;
        });

        // Ask only once the registration holds the write lock (or is already over).
        bool sawRegistrationWriting = false;
        {
            QSqlDatabase probe = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("probe"));
            probe.setDatabaseName(path);
            probe.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
            QVERIFY(probe.open());
            QSqlQuery lock(probe);
            while (registering && !sawRegistrationWriting) {
                sawRegistrationWriting = !lock.exec(QStringLiteral("BEGIN IMMEDIATE"));
                if (!sawRegistrationWriting) {
                    lock.exec(QStringLiteral("ROLLBACK"));
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("probe"));
        const QString refused = failureMessage(undo(1.0));
        registration.join();

        QCOMPARE(registrationFailure, QString());
        QCOMPARE(refused, QStringLiteral("Não é possível desfazer a execução 1: %1 pares foram alterados depois "
                                         "pela execução 2.").arg(branches * suppliers));
        QCOMPARE(fx->rows(QStringLiteral("SELECT NRLOGCADAUTO, CDPERIENTR, COUNT(*) FROM FORNATENDE GROUP BY 1, 2")),
                 (QList<QStringList>{{"2", "15", QString::number(branches * suppliers)}}));
        QCOMPARE(fx->rows(QStringLiteral("SELECT NRLOGCADAUTO, QTNOVOS, QTSUBSTITUIDOS, DTDESFEITO FROM LOGCADAUTO"
                                         " ORDER BY 1")),
                 (QList<QStringList>{{"1", QString::number(branches * suppliers), "0", "<null>"},
                                     {"2", "0", QString::number(branches * suppliers), "<null>"}}));
        if (!sawRegistrationWriting)
            qWarning("the registration ended before the undo was asked for; the wait was not exercised");
    }
};

QTEST_GUILESS_MAIN(TestDesfazCadAuto)
#include "tst_desfazcadauto.moc"
