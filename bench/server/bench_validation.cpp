// GetValidReForFil over the whole scope in-process on SQLite, next to its bare limits in
// the same database: with nothing blocked, the registration's own check (the scope
// loaded into its tables, then one query over distinct supplier x region combinations);
// with every pair blocked, the hand-written anti-join that lists the first rows of the
// error list and counts them all. Counters: the bare time and the ratio server / bare.

#include "barestatements.h"
#include "benchsupport.h"
#include "datagenerator.h"
#include "fornatendeservice.h"
#include "localappserver.h"
#include "scopetables.h"
#include "serverdatabase.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <memory>

namespace {

const QString kConnection = QStringLiteral("benchValidation");

class ValidationDatabase {
public:
    ValidationDatabase(int branches, int suppliers)
    {
        db = appserver::ServerDatabase::openSqlite(dir.filePath(QStringLiteral("bench.db")), kConnection);
        appserver::ServerDatabase::loadSampleData(db);
        appserver::DataGenerator::populate(db, branches, suppliers);
        server = std::make_unique<appserver::LocalAppServer>(kConnection, QStringLiteral("bench"));
    }

    ~ValidationDatabase()
    {
        server.reset();
        db = QSqlDatabase();
        appserver::ServerDatabase::close(kConnection);
    }

    // Seconds taken by GetValidReForFil over every supplier and branch of every region.
    double timeValidation(QString *failure)
    {
        QVariantList args = everything();
        QVariant result;
        const double seconds = benchsupport::secondsOf([&] {
            QMetaObject::invokeMethod(server.get(), "Invoke", Q_RETURN_ARG(QVariant, result),
                                      Q_ARG(QString, QStringLiteral("GetValidReForFil")), Q_ARG(QVariantList &, args));
        });
        const QVariantMap map = result.toMap();
        if (!map.value(QStringLiteral("ok")).toBool())
            *failure = map.value(QStringLiteral("message")).toString();
        return seconds;
    }

    // Seconds taken by the registration's check: the scope loaded, then whether any
    // supplier x region combination blocks.
    double timeCheck()
    {
        return benchsupport::secondsOf([this] {
            db.transaction();
            appserver::ScopeTables(db).load(appserver::parseScopeArguments(everything()));
            benchsupport::runAll(db, {bare::anyUnservedCombination()});
            db.commit();
        });
    }

    static QVariantList everything()
    {
        return {QString(), QStringLiteral("T"), QString(), QStringLiteral("T"), QStringLiteral("T")};
    }

    QTemporaryDir dir;
    QSqlDatabase db;
    std::unique_ptr<appserver::LocalAppServer> server;
};

void runValidation(benchmark::State &state, bool everyPairBlocks)
{
    const int branches = int(state.range(0));
    const int suppliers = int(state.range(1));
    ValidationDatabase bench(branches, suppliers);
    if (everyPairBlocks)
        benchsupport::runAll(bench.db, {QStringLiteral("DELETE FROM FORNREGIAO")});
    benchsupport::Totals totals;
    for (auto _ : state) {
        QString failure;
        const double server = bench.timeValidation(&failure);
        if (!failure.isEmpty()) {
            state.SkipWithError(failure.toUtf8().constData());
            break;
        }
        const double bare = everyPairBlocks
            ? benchsupport::timeBareTransaction(
                  bench.db, bare::listUnservedPairs(appserver::FornAtendeService::MaxListedRows))
            : bench.timeCheck();
        totals.add(state, server, bare);
    }
    totals.report(state, qint64(branches) * suppliers);
}

void BM_Validation_NothingBlocked(benchmark::State &state) { runValidation(state, false); }
void BM_Validation_EveryPairBlocked(benchmark::State &state) { runValidation(state, true); }

} // namespace

// Arguments: branches, suppliers (2,000 x 500 = 1M pairs; 5,000 x 2,000 = 10M pairs).
BENCHMARK(BM_Validation_NothingBlocked)->Args({2000, 500})->Args({5000, 2000})->Iterations(3)
    ->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Validation_EveryPairBlocked)->Args({2000, 500})->Args({5000, 2000})->Iterations(1)
    ->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);   // the SQL driver plug-ins need an application object
    return benchsupport::runBenchmarks(argc, argv);
}
