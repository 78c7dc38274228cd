// "Fornecedores que atendem" and "Execuções" over 1,000 suppliers x 1,000 branches
// (1,000,000 pairs, registered through the in-process server) and 10,000 runs: the
// list's first page read (with and without filters), opening each window (created,
// first page read, shown and painted) and applying a filter in the window (Enter in a
// filter field, until painted), each against the nearest bare limit in the same run —
// the bare query reading a first page of the same table in key order, with nothing
// joined, filtered or shown. Counters: window (or list) and bare milliseconds and their
// ratio.

#include "benchsupport.h"
#include "datagenerator.h"
#include "frmconsfornatende.h"
#include "frmexeccadauto.h"
#include "localappserver.h"
#include "pairlistmodel.h"
#include "readconnection.h"
#include "runlistmodel.h"
#include "serverdatabase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

const QString kServerConnection = QStringLiteral("benchServer");
constexpr int kBranches = 1000;
constexpr int kSuppliers = 1000;
constexpr int kRuns = 10000;

// The database of the whole run: made once, read by the windows through "adcGeral".
class BenchDatabase {
public:
    BenchDatabase()
    {
        const QString path = m_dir.filePath(QStringLiteral("bench.db"));
        {
            QSqlDatabase db = appserver::ServerDatabase::openSqlite(path, kServerConnection);
            appserver::ServerDatabase::loadSampleData(db);
            appserver::DataGenerator::populate(db, kBranches, kSuppliers);
            registerEveryPair();
            addRuns(db);
        }
        appserver::ServerDatabase::close(kServerConnection);
        ReadConnection::OpenSqlite(path, false);
    }
    ~BenchDatabase() { ReadConnection::Close(); }

    QString problem;

private:
    void registerEveryPair()
    {
        appserver::LocalAppServer server(kServerConnection, QStringLiteral("bench"));
        QVariantList args{QString(), QStringLiteral("T"), QString(), QStringLiteral("T"), QStringLiteral("07"),
                          QStringLiteral("T"), 3.0};
        QVariant result;
        QMetaObject::invokeMethod(&server, "Invoke", Q_RETURN_ARG(QVariant, result),
                                  Q_ARG(QString, QStringLiteral("CadAutoAtende")), Q_ARG(QVariantList &, args));
        if (!result.toMap().value(QStringLiteral("ok")).toBool())
            problem = result.toMap().value(QStringLiteral("message")).toString();
    }

    static void addRuns(const QSqlDatabase &db)
    {
        QSqlQuery query(db);
        query.exec(QStringLiteral(
            "WITH RECURSIVE N(I) AS (SELECT 2 UNION ALL SELECT I + 1 FROM N WHERE I < %1)"
            " INSERT INTO LOGCADAUTO (NRLOGCADAUTO, DTEXECUCAO, NMUSUARIO, DSREGIOES, IDTODOSFORN, QTFORNECED,"
            " IDTODASFIL, QTFILIAL, CDPERIENTR, QTDIASPRAZEXPED, QTPARES, QTNOVOS, QTSUBSTITUIDOS)"
            " SELECT I, CURRENT_TIMESTAMP, 'bench', '_S_SE_', 'N', 10, 'S', 400, '07', 3, 4000, 4000, 0 FROM N")
                       .arg(kRuns));
    }

    QTemporaryDir m_dir;
};

BenchDatabase *database = nullptr;

// Milliseconds the bare statement takes to read its rows.
double timeBare(const QString &sql)
{
    QElapsedTimer timer;
    timer.start();
    QSqlQuery query(QSqlDatabase::database(QStringLiteral("adcGeral")));
    query.setForwardOnly(true);
    query.exec(sql);
    int rows = 0;
    while (query.next())
        benchmark::DoNotOptimize(query.value(0)), ++rows;
    benchmark::DoNotOptimize(rows);
    return timer.nsecsElapsed() / 1e6;
}

const QString kBarePairs = QStringLiteral(
    "SELECT CDFORNECED, CDFILIAL, CDPERIENTR, QTDIASPRAZEXPED, NMUSUULTALTER, DTULTALTER"
    " FROM FORNATENDE ORDER BY CDFORNECED, CDFILIAL LIMIT 201");
const QString kBareRuns = QStringLiteral(
    "SELECT NRLOGCADAUTO, DTEXECUCAO, NMUSUARIO, DSREGIOES, QTPARES FROM LOGCADAUTO"
    " ORDER BY NRLOGCADAUTO DESC LIMIT 201");

void report(benchmark::State &state, double windowTotal, double bareTotal, int rows)
{
    const double runs = double(state.iterations());
    state.counters["rows"] = rows;
    state.counters["window_ms"] = windowTotal / runs;
    state.counters["bare_ms"] = bareTotal / runs;
    state.counters["ratio"] = bareTotal > 0 ? windowTotal / bareTotal : 0;
}

// Milliseconds from creating the window to its first page painted.
template <class Window>
double timeOpen(int *rows)
{
    QElapsedTimer timer;
    timer.start();
    Window window(nullptr);
    window.Refresh();
    window.show();
    QCoreApplication::processEvents();
    const double ms = timer.nsecsElapsed() / 1e6;
    *rows = window.template findChild<QTableView *>()->model()->rowCount();
    return ms;
}

template <class Window>
void BM_OpenWindow(benchmark::State &state, const QString &bare)
{
    if (!database->problem.isEmpty()) {
        state.SkipWithError(database->problem.toUtf8().constData());
        return;
    }
    double windowTotal = 0;
    double bareTotal = 0;
    int rows = 0;
    for (auto _ : state) {
        const double window = timeOpen<Window>(&rows);
        state.SetIterationTime(window / 1e3);
        windowTotal += window;
        bareTotal += timeBare(bare);
    }
    report(state, windowTotal, bareTotal, rows);
}

void BM_OpenPairs(benchmark::State &state)
{
    BM_OpenWindow<TfrmConsFornAtende>(state, kBarePairs);
}

void BM_OpenRuns(benchmark::State &state)
{
    BM_OpenWindow<TfrmExecCadAuto>(state, kBareRuns);
}

// The list alone: its first page read (joined names, filters), nothing shown.
template <class Model>
void ReadFirstPage(benchmark::State &state, Model &model, const QString &bare)
{
    if (!database->problem.isEmpty()) {
        state.SkipWithError(database->problem.toUtf8().constData());
        return;
    }
    double listTotal = 0;
    double bareTotal = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        model.Reload();
        const double ms = timer.nsecsElapsed() / 1e6;
        state.SetIterationTime(ms / 1e3);
        listTotal += ms;
        bareTotal += timeBare(bare);
    }
    report(state, listTotal, bareTotal, model.rowCount());
}

void PairsPage(benchmark::State &state, const char *supplier, const char *branch, const char *region)
{
    PairListModel model;
    model.SetFilter(PairFilter{QString::fromUtf8(supplier), QString::fromUtf8(branch), QString::fromUtf8(region)});
    ReadFirstPage(state, model, kBarePairs);
}

void BM_RunsPage(benchmark::State &state)
{
    RunListModel model;
    ReadFirstPage(state, model, kBareRuns);
}

// Enter in the filter field: the list reads the first page of the filtered pairs.
void FilterPairs(benchmark::State &state, const char *field, const char *text)
{
    if (!database->problem.isEmpty()) {
        state.SkipWithError(database->problem.toUtf8().constData());
        return;
    }
    TfrmConsFornAtende window(nullptr);
    window.Refresh();
    window.show();
    QCoreApplication::processEvents();
    auto *edit = window.findChild<QLineEdit *>(QString::fromLatin1(field));
    QAbstractItemModel *model = window.findChild<QTableView *>()->model();
    double windowTotal = 0;
    double bareTotal = 0;
    for (auto _ : state) {
        edit->setText(QString::fromUtf8(text));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QElapsedTimer timer;
        timer.start();
        QCoreApplication::sendEvent(edit, &enter);
        QCoreApplication::processEvents();
        const double ms = timer.nsecsElapsed() / 1e6;
        state.SetIterationTime(ms / 1e3);
        windowTotal += ms;
        bareTotal += timeBare(kBarePairs);
        edit->clear();
    }
    report(state, windowTotal, bareTotal, model->rowCount());
}

} // namespace

BENCHMARK_CAPTURE(PairsPage, no_filter, "", "", "")->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PairsPage, supplier_one_near_the_end, "gerado 999", "", "")
    ->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PairsPage, supplier_none, "zzz", "", "")->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PairsPage, branch_one, "", "gerada 777", "")
    ->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PairsPage, branch_none, "", "zzz", "")->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PairsPage, region_south, "", "", "sul")->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PairsPage, all_three, "gerado 99", "gerada 7", "sul")
    ->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunsPage)->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPairs)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenRuns)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterPairs, supplier_one_near_the_end, "edtFornecedor", "gerado 999")
    ->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterPairs, supplier_code_prefix, "edtFornecedor", "G00005")
    ->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterPairs, supplier_none, "edtFornecedor", "zzz")
    ->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterPairs, branch_one, "edtFilial", "gerada 777")
    ->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterPairs, branch_none, "edtFilial", "zzz")
    ->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterPairs, region_south, "edtRegiao", "sul")
    ->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::unique_ptr<BenchDatabase> data;
    return benchsupport::runBenchmarks(argc, argv, [&data] {
        std::fprintf(stderr, "Gerando %d fornecedores x %d filiais...\n", kSuppliers, kBranches);
        data = std::make_unique<BenchDatabase>();
        database = data.get();
    });
}
