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

    // Of the benchmark's branches x suppliers (its two arguments).
    explicit BenchDatabase(const benchmark::State &state) : BenchDatabase(int(state.range(0)), int(state.range(1)))
    {
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

// What one iteration measured: the call through the automation object, its bare limit,
// and the second bare limit of the benchmarks that have one.
struct Times {
    double server = 0;
    double bare = 0;
    double otherBare = 0;
};

// The names under which a benchmark reports its second bare limit and the ratio to it.
struct OtherBare {
    const char *seconds = nullptr;
    const char *ratio = nullptr;
};

// The loop of every benchmark here: `iteration` makes the measured call, setting the
// failure when the server refuses it (that ends the benchmark with the server's
// message), and times the bare limits.
template <typename Iteration>
void measure(benchmark::State &state, Iteration iteration, const OtherBare &other = {})
{
    benchsupport::Totals totals;
    double otherBareTotal = 0;
    for (auto _ : state) {
        QString failure;
        const Times times = iteration(&failure);
        if (!failure.isEmpty()) {
            state.SkipWithError(failure.toUtf8().constData());
            break;
        }
        totals.add(state, times.server, times.bare);
        otherBareTotal += times.otherBare;
    }
    totals.report(state, state.range(0) * state.range(1));
    if (other.seconds) {
        state.counters[other.seconds] = otherBareTotal / double(state.iterations());
        state.counters[other.ratio] = otherBareTotal > 0 ? totals.server / otherBareTotal : 0;
    }
}

// Every pair registered once, through the server and in the bare table; false (the
// benchmark skipped with the server's message) when the server refuses.
bool registerEveryPair(benchmark::State &state, BenchDatabase &bench)
{
    QString failure;
    bench.timeServer(QStringLiteral("07"), 3.0, &failure);
    bench.timeBare({kBareInsert});
    if (!failure.isEmpty())
        state.SkipWithError(failure.toUtf8().constData());
    return failure.isEmpty();
}

// New pairs: the registration table is empty before each run.
void BM_CadAutoAtende_NewPairs(benchmark::State &state)
{
    BenchDatabase bench(state);
    measure(state, [&](QString *failure) {
        Times times;
        bench.exec(QStringLiteral("DELETE FROM FORNATENDE"));
        times.server = bench.timeServer(QStringLiteral("07"), 3.0, failure);
        bench.exec(QStringLiteral("DELETE FROM FORNATENDE_NU"));
        times.bare = bench.timeBare({kBareInsert});
        return times;
    });
}

// Replaced pairs: every pair already registered; the run changes periodicity and lead
// time. Also against the bare UPDATE plus a bare copy of the old values (ratio_history):
// the floor of any history that keeps the replaced values pair by pair.
void BM_CadAutoAtende_ReplacePairs(benchmark::State &state)
{
    BenchDatabase bench(state);
    if (!registerEveryPair(state, bench))
        return;
    int copy = 0;   // the bare history's run number
    measure(state, [&](QString *failure) {
        Times times;
        times.server = bench.timeServer(QStringLiteral("15"), 9.0, failure);
        times.bare = bench.timeBare({kBareUpdate});
        times.otherBare = bench.timeBare({bareHistoryCopy(++copy), kBareUpdate});
        return times;
    }, {"bare_history_s", "ratio_history"});
}

// DesfazCadAuto of a run that inserted every pair, against a bare DELETE of those rows.
void BM_DesfazCadAuto_NewPairs(benchmark::State &state)
{
    BenchDatabase bench(state);
    measure(state, [&](QString *failure) {
        Times times;
        bench.exec(QStringLiteral("DELETE FROM FORNATENDE"));
        bench.timeServer(QStringLiteral("07"), 3.0, failure);
        times.server = failure->isEmpty() ? bench.timeUndoOfLastRun(failure) : 0;
        bench.timeBare({kBareInsert});
        times.bare = bench.timeBare({kBareDelete});
        return times;
    });
}

// DesfazCadAuto of a run that replaced every pair, against a bare UPDATE of those rows,
// and against a bare UPDATE of them from a copy of their old values (ratio_copy).
void BM_DesfazCadAuto_ReplacedPairs(benchmark::State &state)
{
    BenchDatabase bench(state);
    if (!registerEveryPair(state, bench))
        return;
    int copy = 0;   // the bare history's run number
    measure(state, [&](QString *failure) {
        Times times;
        bench.timeServer(QStringLiteral("15"), 9.0, failure);
        times.server = failure->isEmpty() ? bench.timeUndoOfLastRun(failure) : 0;
        bench.timeBare({bareHistoryCopy(++copy), kBareUpdate});
        times.otherBare = bench.timeBare({bareRestoreFromCopy(copy)});
        bench.timeBare({kBareUpdate});
        times.bare = bench.timeBare({kBareRestore});
        return times;
    }, {"bare_copy_s", "ratio_copy"});
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
