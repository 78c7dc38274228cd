// pkg-appserver as a separate process over real sockets, on a throwaway PostgreSQL
// cluster (and on SQLite where said), next to the nearest bare limits in the same run:
// - registrations of 1,000 x 1,000 pairs, new and replaced, against a bare
//   INSERT ... SELECT / UPDATE of a table of the same shape in the same database;
// - GetValidReForFil with every pair blocked against the hand-written anti-join, with
//   the server's peak memory (VmHWM) as a counter;
// - small calls per second from 8 concurrent clients against the same server answering
//   its health route.
// Counters: the bare figure and the ratio server / bare.

#include "apiclient.h"
#include "appserverprocess.h"
#include "barestatements.h"
#include "benchsupport.h"
#include "datagenerator.h"
#include "fornatendeservice.h"
#include "testdatabase.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace {

const QString kUser = QStringLiteral("bench");
const QString kPassword = QStringLiteral("senha-do-bench");
const int kCallLimitMs = 30 * 60 * 1000;   // a million pairs on a loaded machine take minutes

PostgresCluster &cluster(QString *error)
{
    static PostgresCluster instance;
    static QString startError;
    static const bool started = instance.start(&startError);
    if (!started)
        *error = QStringLiteral("PostgreSQL: ") + startError;
    return instance;
}

// One database with generated data and one pkg-appserver on it, logged in.
class ServedDatabase {
public:
    bool start(const QString &engine, int branches, int suppliers, QString *error)
    {
        static int databases = 0;
        const QString name = QStringLiteral("bench%1").arg(++databases);
        if (engine == QLatin1String("sqlite")) {
            m_db = TestDatabase::sqlite(m_dir.path(), name);
        } else {
            PostgresCluster &postgres = cluster(error);
            if (!error->isEmpty())
                return false;
            m_db = TestDatabase::postgres(postgres, name, error);
        }
        if (!m_db || !m_db->addUser(kUser, kPassword, error))
            return false;
        appserver::DataGenerator::populate(m_db->connection(), branches, suppliers);
        if (!benchsupport::runAll(m_db->connection(), bare::createRegistrationTable())) {
            *error = QStringLiteral("tabela de comparação não criada");
            return false;
        }
        // A generous statement limit: a million-pair registration on a loaded machine may
        // run past the default one, and the benchmark measures it, not the limit.
        if (!m_server.start(m_db->serverOptions() + QStringList{QStringLiteral("--db-timeout"), QStringLiteral("900")},
                            error))
            return false;
        m_token = ApiClient(m_server.baseUrl()).token(kUser, kPassword);
        if (m_token.isEmpty())
            *error = QStringLiteral("login falhou");
        return !m_token.isEmpty();
    }

    QSqlDatabase connection() { return m_db->connection(); }
    bool exec(const QStringList &statements) { return benchsupport::runAll(connection(), statements); }
    QUrl baseUrl() const { return m_server.baseUrl(); }
    QString token() const { return m_token; }

    // Seconds taken by one call; the failure message, if any, in failure.
    double timeCall(const QString &method, const QVariantList &args, QString *failure)
    {
        ApiClient client(m_server.baseUrl());
        ApiReply reply;
        const double seconds = benchsupport::secondsOf([&] {
            reply = ApiClient::finish(client.startCall(method, args, m_token), kCallLimitMs);
        });
        const QCborMap result = reply.result();
        if (reply.status != 200 || !result.value(QStringLiteral("ok")).toBool())
            *failure = QStringLiteral("%1: %2 %3 %4").arg(method).arg(reply.status)
                           .arg(reply.message(), result.value(QStringLiteral("message")).toString());
        return seconds;
    }

    // The server process's peak resident memory so far, in MB.
    double peakMemoryMb() const
    {
        QFile status(QStringLiteral("/proc/%1/status").arg(m_server.processId()));
        if (!status.open(QIODevice::ReadOnly))
            return 0;
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
        return 0;
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TestDatabase> m_db;
    AppServerProcess m_server;
    QString m_token;
};

QVariantList everything(const QString &periodicity, double leadTime)
{
    return {QString(), QStringLiteral("T"), QString(), QStringLiteral("T"), periodicity, QStringLiteral("T"), leadTime};
}

// Skips the benchmark unless the served database started; true when it did.
bool started(benchmark::State &state, ServedDatabase &served, const QString &engine)
{
    QString error;
    if (served.start(engine, int(state.range(0)), int(state.range(1)), &error))
        return true;
    state.SkipWithError(error.toUtf8().constData());
    return false;
}

const QStringList kEmptyBothTables{QStringLiteral("TRUNCATE FORNATENDE, FORNATENDE_NU"),
                                   QStringLiteral("VACUUM ANALYZE FORNATENDE"),
                                   QStringLiteral("VACUUM ANALYZE FORNATENDE_NU")};
const QStringList kVacuumBothTables{QStringLiteral("VACUUM ANALYZE FORNATENDE"),
                                    QStringLiteral("VACUUM ANALYZE FORNATENDE_NU")};

void BM_Http_Postgres_NewPairs(benchmark::State &state)
{
    ServedDatabase served;
    if (!started(state, served, QStringLiteral("postgresql")))
        return;
    benchsupport::Totals totals;
    for (auto _ : state) {
        served.exec(kEmptyBothTables);
        QString failure;
        const double server = served.timeCall(QStringLiteral("CadAutoAtende"), everything(QStringLiteral("07"), 3), &failure);
        if (!failure.isEmpty()) {
            state.SkipWithError(failure.toUtf8().constData());
            break;
        }
        totals.add(state, server, benchsupport::timeBareTransaction(served.connection(), {bare::insertEveryPair()}));
    }
    totals.report(state, state.range(0) * state.range(1));
}

void BM_Http_Postgres_ReplacePairs(benchmark::State &state)
{
    ServedDatabase served;
    if (!started(state, served, QStringLiteral("postgresql")))
        return;
    QString failure;
    served.timeCall(QStringLiteral("CadAutoAtende"), everything(QStringLiteral("07"), 3), &failure);
    served.exec({bare::insertEveryPair()});
    benchsupport::Totals totals;
    for (auto _ : state) {
        served.exec(kVacuumBothTables);
        const double server = served.timeCall(QStringLiteral("CadAutoAtende"), everything(QStringLiteral("15"), 9), &failure);
        if (!failure.isEmpty()) {
            state.SkipWithError(failure.toUtf8().constData());
            break;
        }
        totals.add(state, server, benchsupport::timeBareTransaction(served.connection(), {bare::updateEveryPair()}));
    }
    totals.report(state, state.range(0) * state.range(1));
}

// range(2): 0 SQLite, 1 PostgreSQL.
void BM_Http_Validation_EveryPairBlocked(benchmark::State &state)
{
    ServedDatabase served;
    if (!started(state, served, state.range(2) ? QStringLiteral("postgresql") : QStringLiteral("sqlite")))
        return;
    served.exec({QStringLiteral("DELETE FROM FORNREGIAO")});
    const QVariantList scope{QString(), QStringLiteral("T"), QString(), QStringLiteral("T"), QStringLiteral("T")};
    const double memoryBefore = served.peakMemoryMb();
    benchsupport::Totals totals;
    for (auto _ : state) {
        QString failure;
        const double server = served.timeCall(QStringLiteral("GetValidReForFil"), scope, &failure);
        if (!failure.isEmpty()) {
            state.SkipWithError(failure.toUtf8().constData());
            break;
        }
        totals.add(state, server,
                   benchsupport::timeBareTransaction(
                       served.connection(), bare::listUnservedPairs(appserver::FornAtendeService::MaxListedRows)));
    }
    totals.report(state, state.range(0) * state.range(1));
    state.counters["server_peak_MB_before"] = memoryBefore;
    state.counters["server_peak_MB"] = served.peakMemoryMb();
}

// Calls per second from the clients at once, each sending its next request when the
// previous one is answered; failures counts the answers other than 200.
double callsPerSecond(std::vector<std::unique_ptr<ApiClient>> &clients, int callsPerClient,
                      const std::function<QNetworkReply *(ApiClient &)> &send, int *failures)
{
    QEventLoop loop;
    size_t running = clients.size();
    std::function<void(size_t, int)> next = [&](size_t client, int left) {
        if (left == 0) {
            if (--running == 0)
                loop.quit();
            return;
        }
        QNetworkReply *reply = send(*clients.at(client));
        QObject::connect(reply, &QNetworkReply::finished, &loop, [&, reply, client, left] {
            if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() != 200)
                ++*failures;
            reply->deleteLater();
            next(client, left - 1);
        });
    };
    const double seconds = benchsupport::secondsOf([&] {
        for (size_t client = 0; client < clients.size(); ++client)
            next(client, callsPerClient);
        loop.exec();
    });
    return double(clients.size()) * callsPerClient / seconds;
}

void BM_Http_Postgres_SmallCallsEightClients(benchmark::State &state)
{
    ServedDatabase served;
    if (!started(state, served, QStringLiteral("postgresql")))
        return;
    std::vector<std::unique_ptr<ApiClient>> clients;
    for (int i = 0; i < 8; ++i)
        clients.push_back(std::make_unique<ApiClient>(served.baseUrl()));
    const QString token = served.token();
    const int callsPerClient = 250;
    double callRate = 0;
    double bareRate = 0;
    int failures = 0;
    for (auto _ : state) {
        callRate += callsPerSecond(clients, callsPerClient, [&token](ApiClient &client) {
            return client.startCall(QStringLiteral("getParamGeral"), {}, token);
        }, &failures);
        bareRate += callsPerSecond(clients, callsPerClient, [](ApiClient &client) {
            return client.startGet(QStringLiteral("/api/v1/health"));
        }, &failures);
    }
    if (failures > 0)
        state.SkipWithError("respostas diferentes de 200");
    const double runs = double(state.iterations());
    state.counters["calls_per_s"] = callRate / runs;
    state.counters["bare_calls_per_s"] = bareRate / runs;
    state.counters["ratio"] = bareRate > 0 ? callRate / bareRate : 0;
}

} // namespace

// Arguments: branches, suppliers (1,000 x 1,000 = 1M pairs).
BENCHMARK(BM_Http_Postgres_NewPairs)->Args({1000, 1000})->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Http_Postgres_ReplacePairs)->Args({1000, 1000})->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);
// Arguments: branches, suppliers, engine (0 SQLite, 1 PostgreSQL); 1M and 10M pairs.
BENCHMARK(BM_Http_Validation_EveryPairBlocked)
    ->Args({2000, 500, 0})->Args({2000, 500, 1})->Args({5000, 2000, 0})->Args({5000, 2000, 1})
    ->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Http_Postgres_SmallCallsEightClients)->Args({40, 30})->Iterations(3)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return benchsupport::runBenchmarks(argc, argv);
}
