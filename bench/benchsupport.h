#pragma once
// What the benchmark programs share: timing a piece of work, running bare statements in
// one transaction, reporting a pair of times as counters with their ratio, and main.

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <benchmark/benchmark.h>

namespace benchsupport {

template <typename Work>
double secondsOf(Work &&work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e9;
}

// Runs each statement to its last row; false when one fails.
inline bool runAll(const QSqlDatabase &db, const QStringList &statements)
{
    for (const QString &sql : statements) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.exec(sql))
            return false;
        while (query.next()) {
        }
    }
    return true;
}

// Seconds taken by the statements as one transaction; negative when one fails.
inline double timeBareTransaction(QSqlDatabase db, const QStringList &statements)
{
    bool ok = true;
    const double seconds = secondsOf([&] {
        ok = db.transaction() && runAll(db, statements) && db.commit();
    });
    if (!ok)
        db.rollback();
    return ok ? seconds : -1;
}

// The measured work's and the bare limit's totals over the iterations, as counters: the
// mean of each and the ratio work / bare.
inline void report(benchmark::State &state, double serverTotal, double bareTotal, qint64 pairs)
{
    const double runs = double(state.iterations());
    state.counters["pairs"] = double(pairs);
    state.counters["server_s"] = serverTotal / runs;
    state.counters["bare_s"] = bareTotal / runs;
    state.counters["ratio"] = bareTotal > 0 ? serverTotal / bareTotal : 0;
}

// The benchmarks' main, once the program made its Qt application object. `prepare` runs
// once the arguments are known to be good, before the first benchmark: the place for
// set-up that every benchmark of the program shares and that takes long.
template <typename Prepare>
int runBenchmarks(int argc, char **argv, Prepare &&prepare)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    prepare();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

inline int runBenchmarks(int argc, char **argv)
{
    return runBenchmarks(argc, argv, [] {});
}

// Totals of the measured work and of its bare limit over the iterations.
struct Totals {
    double server = 0;
    double bare = 0;

    void add(benchmark::State &state, double serverSeconds, double bareSeconds)
    {
        state.SetIterationTime(serverSeconds);
        server += serverSeconds;
        bare += bareSeconds;
    }

    void report(benchmark::State &state, qint64 pairs) const { benchsupport::report(state, server, bare, pairs); }
};

} // namespace benchsupport
