// CadAutoAtende over 1,000 branches x 1,000 suppliers (1,000,000 pairs), and
// DesfazCadAuto of such a run, through the in-process automation object, against the
// nearest bare limit in the same run: one SQLite statement writing the same rows into a
// table of the same shape (same columns, primary key, foreign keys and check) in the same
// database. Counters: the bare time and the ratio server / bare.

#include "barestatements.h"
#include "benchsupport.h"
#include "datagenerator.h"
#include "localappserver.h"
#include "serverdatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

const QString kConnection = QStringLiteral("benchServer");

// A table of the history's shape, for the bare copy of the replaced values.
const char *kBareHistoryTable =
    "CREATE TABLE LOGCADAUTOSUBST_NU ("
    " NRLOGCADAUTO INTEGER NOT NULL, CDFORNECED VARCHAR(21) NOT NULL, CDFILIAL VARCHAR(4) NOT NULL,"
    " CDPERIENTR VARCHAR(2), QTDIASPRAZEXPED INTEGER NOT NULL, DTULTALTER TIMESTAMP NOT NULL,"
    " NMUSUULTALTER VARCHAR(30) NOT NULL, NRLOGCADAUTOANT INTEGER)";

class BenchDatabase {
public:
    BenchDatabase(int branches, int suppliers)
    {
        db = appserver::ServerDatabase::openSqlite(dir.filePath(QStringLiteral("bench.db")), kConnection);
        appserver::ServerDatabase::loadSampleData(db);
        appserver::DataGenerator::populate(db, branches, suppliers);
        for (const QString &sql : bare::createRegistrationTable())
            exec(sql);
        exec(QString::fromLatin1(kBareHistoryTable));
        exec(QStringLiteral("CREATE INDEX IX_LOGCADAUTOSUBST_NU ON LOGCADAUTOSUBST_NU (NRLOGCADAUTO)"));
        server = std::make_unique<appserver::LocalAppServer>(kConnection, QStringLiteral("bench"));
    }

    ~BenchDatabase()
    {
        server.reset();
        db = QSqlDatabase();
        appserver::ServerDatabase::close(kConnection);
    }

    bool exec(const QString &sql)
    {
        QSqlQuery query(db);
        return query.exec(sql);
    }

    // Seconds taken by the statements, run as one transaction.
    double timeBare(const QStringList &statements)
    {
        QElapsedTimer timer;
        timer.start();
        bool ok = exec(QStringLiteral("BEGIN IMMEDIATE"));
        for (const QString &sql : statements)
            ok = ok && exec(sql);
        ok = ok && exec(QStringLiteral("COMMIT"));
        const double seconds = timer.nsecsElapsed() / 1e9;
        return ok ? seconds : -1;
    }

    // Seconds taken by the call through the automation object.
    double timeCall(const QString &method, QVariantList args, QString *failure)
    {
        QVariant result;
        QElapsedTimer timer;
        timer.start();
        QMetaObject::invokeMethod(server.get(), "Invoke", Q_RETURN_ARG(QVariant, result), Q_ARG(QString, method),
                                  Q_ARG(QVariantList &, args));
        const double seconds = timer.nsecsElapsed() / 1e9;
        const QVariantMap map = result.toMap();
        if (!map.value(QStringLiteral("ok")).toBool())
            *failure = map.value(QStringLiteral("message")).toString();
        return seconds;
    }

    // Seconds taken by CadAutoAtende over every supplier and every branch.
    double timeServer(const QString &periodicity, double leadTime, QString *failure)
    {
        return timeCall(QStringLiteral("CadAutoAtende"),
                        {QString(), QStringLiteral("T"), QString(), QStringLiteral("T"), periodicity,
                         QStringLiteral("T"), leadTime},
                        failure);
    }

    // Seconds taken by DesfazCadAuto of the last run.
    double timeUndoOfLastRun(QString *failure)
    {
        QSqlQuery last(db);
        last.exec(QStringLiteral("SELECT MAX(NRLOGCADAUTO) FROM LOGCADAUTO"));
        last.next();
        return timeCall(QStringLiteral("DesfazCadAuto"), {last.value(0).toDouble()}, failure);
    }

    QTemporaryDir dir;
    QSqlDatabase db;
    std::unique_ptr<appserver::LocalAppServer> server;
};

const QString kBareInsert = bare::insertEveryPair();
const QString kBareUpdate = bare::updateEveryPair();
// The least any history of the replaced pairs costs: a copy of their values, row by row.
QString bareHistoryCopy(int run)
{
    return QStringLiteral(
        "INSERT INTO LOGCADAUTOSUBST_NU (NRLOGCADAUTO, CDFORNECED, CDFILIAL, CDPERIENTR, QTDIASPRAZEXPED,"
        " DTULTALTER, NMUSUULTALTER, NRLOGCADAUTOANT)"
        " SELECT %1, CDFORNECED, CDFILIAL, CDPERIENTR, QTDIASPRAZEXPED, DTULTALTER, NMUSUULTALTER, NULL"
        " FROM FORNATENDE_NU").arg(run);
}
// And the least a restore from such a copy costs: each row found by its key.
QString bareRestoreFromCopy(int run)
{
    return QStringLiteral(
        "UPDATE FORNATENDE_NU SET CDPERIENTR = h.CDPERIENTR, QTDIASPRAZEXPED = h.QTDIASPRAZEXPED,"
        " DTULTALTER = h.DTULTALTER, NMUSUULTALTER = h.NMUSUULTALTER"
        " FROM LOGCADAUTOSUBST_NU h WHERE h.NRLOGCADAUTO = %1"
        " AND FORNATENDE_NU.CDFORNECED = h.CDFORNECED AND FORNATENDE_NU.CDFILIAL = h.CDFILIAL").arg(run);
}
// Every row deleted one by one (a DELETE without WHERE would drop the pages whole).
const QString kBareDelete = QStringLiteral("DELETE FROM FORNATENDE_NU WHERE QTDIASPRAZEXPED >= 0");
const QString kBareRestore = QStringLiteral(
    "UPDATE FORNATENDE_NU SET CDPERIENTR = '07', QTDIASPRAZEXPED = 3, DTULTALTER = CURRENT_TIMESTAMP,"
    " NMUSUULTALTER = 'bench'");

// New pairs: the registration table is empty before each run.
void BM_CadAutoAtende_NewPairs(benchmark::State &state)
{
    const int branches = int(state.range(0));
    const int suppliers = int(state.range(1));
    BenchDatabase bench(branches, suppliers);
    double serverTotal = 0;
    double bareTotal = 0;
    for (auto _ : state) {
        bench.exec(QStringLiteral("DELETE FROM FORNATENDE"));
        QString failure;
        const double server = bench.timeServer(QStringLiteral("07"), 3.0, &failure);
        if (!failure.isEmpty()) {
            state.SkipWithError(failure.toUtf8().constData());
            break;
        }
        bench.exec(QStringLiteral("DELETE FROM FORNATENDE_NU"));
        const double bare = bench.timeBare({kBareInsert});
        state.SetIterationTime(server);
        serverTotal += server;
        bareTotal += bare;
    }
    benchsupport::report(state, serverTotal, bareTotal, qint64(branches) * suppliers);
}

// Replaced pairs: every pair already registered; the run changes periodicity and lead
// time. Also against the bare UPDATE plus a bare copy of the old values (ratio_history):
// the floor of any history that keeps the replaced values pair by pair.
void BM_CadAutoAtende_ReplacePairs(benchmark::State &state)
{
    const int branches = int(state.range(0));
    const int suppliers = int(state.range(1));
    BenchDatabase bench(branches, suppliers);
    QString failure;
    bench.timeServer(QStringLiteral("07"), 3.0, &failure);
    bench.timeBare({kBareInsert});
    double serverTotal = 0;
    double bareTotal = 0;
    double bareWithHistoryTotal = 0;
    int copy = 0;   // the bare history's run number
    for (auto _ : state) {
        const double server = bench.timeServer(QStringLiteral("15"), 9.0, &failure);
        if (!failure.isEmpty()) {
            state.SkipWithError(failure.toUtf8().constData());
            break;
        }
        const double bare = bench.timeBare({kBareUpdate});
        const double bareWithHistory = bench.timeBare({bareHistoryCopy(++copy), kBareUpdate});
        state.SetIterationTime(server);
        serverTotal += server;
        bareTotal += bare;
        bareWithHistoryTotal += bareWithHistory;
    }
    benchsupport::report(state, serverTotal, bareTotal, qint64(branches) * suppliers);
    state.counters["bare_history_s"] = bareWithHistoryTotal / double(state.iterations());
    state.counters["ratio_history"] = bareWithHistoryTotal > 0 ? serverTotal / bareWithHistoryTotal : 0;
}

// DesfazCadAuto of a run that inserted every pair, against a bare DELETE of those rows.
void BM_DesfazCadAuto_NewPairs(benchmark::State &state)
{
    const int branches = int(state.range(0));
    const int suppliers = int(state.range(1));
    BenchDatabase bench(branches, suppliers);
    double serverTotal = 0;
    double bareTotal = 0;
    for (auto _ : state) {
        bench.exec(QStringLiteral("DELETE FROM FORNATENDE"));
        QString failure;
        bench.timeServer(QStringLiteral("07"), 3.0, &failure);
        const double server = failure.isEmpty() ? bench.timeUndoOfLastRun(&failure) : 0;
        if (!failure.isEmpty()) {
            state.SkipWithError(failure.toUtf8().constData());
            break;
        }
        bench.timeBare({kBareInsert});
        const double bare = bench.timeBare({kBareDelete});
        state.SetIterationTime(server);
        serverTotal += server;
        bareTotal += bare;
    }
    benchsupport::report(state, serverTotal, bareTotal, qint64(branches) * suppliers);
}

// DesfazCadAuto of a run that replaced every pair, against a bare UPDATE of those rows,
// and against a bare UPDATE of them from a copy of their old values (ratio_copy).
void BM_DesfazCadAuto_ReplacedPairs(benchmark::State &state)
{
    const int branches = int(state.range(0));
    const int suppliers = int(state.range(1));
    BenchDatabase bench(branches, suppliers);
    QString failure;
    bench.timeServer(QStringLiteral("07"), 3.0, &failure);
    bench.timeBare({kBareInsert});
    double serverTotal = 0;
    double bareTotal = 0;
    double bareFromCopyTotal = 0;
    int copy = 0;   // the bare history's run number
    for (auto _ : state) {
        bench.timeServer(QStringLiteral("15"), 9.0, &failure);
        const double server = failure.isEmpty() ? bench.timeUndoOfLastRun(&failure) : 0;
        if (!failure.isEmpty()) {
            state.SkipWithError(failure.toUtf8().constData());
            break;
        }
        bench.timeBare({bareHistoryCopy(++copy), kBareUpdate});
        const double bareFromCopy = bench.timeBare({bareRestoreFromCopy(copy)});
        bench.timeBare({kBareUpdate});
        const double bare = bench.timeBare({kBareRestore});
        state.SetIterationTime(server);
        serverTotal += server;
        bareTotal += bare;
        bareFromCopyTotal += bareFromCopy;
    }
    benchsupport::report(state, serverTotal, bareTotal, qint64(branches) * suppliers);
    state.counters["bare_copy_s"] = bareFromCopyTotal / double(state.iterations());
    state.counters["ratio_copy"] = bareFromCopyTotal > 0 ? serverTotal / bareFromCopyTotal : 0;
}

} // namespace

BENCHMARK(BM_CadAutoAtende_NewPairs)->Args({1000, 1000})->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CadAutoAtende_ReplacePairs)->Args({1000, 1000})->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DesfazCadAuto_NewPairs)->Args({1000, 1000})->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DesfazCadAuto_ReplacedPairs)->Args({1000, 1000})->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);   // the SQL driver plug-ins need an application object
    return benchsupport::runBenchmarks(argc, argv);
}
