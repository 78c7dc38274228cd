// The branch search on large chains: opening with 10% of the rows pre-marked, marking
// all rows, one incremental search, toggling one row and confirming with every row
// marked. Each case reports its time per row next to the nearest bare limit, timed in
// the same run over the same strings, and the ratio of the two.
//
//   QT_QPA_PLATFORM=offscreen bench_branch_search

#include "benchsupport.h"
#include "cli_cmp04706.h"
#include "modeloescolhidos.h"
#include "tfrmpesqlistafilatende.h"

#include "datapacket.h"
#include "data/tclientdataset.h"
#include "data/tdatasource.h"
#include "data/tdbgrid.h"
#include "screens/buttons.h"
#include "screens/tmaskedit.h"

#include <QApplication>
#include <QSet>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <unordered_set>

using namespace Cli_cmp04706;
using Clock = std::chrono::steady_clock;

namespace {

const char *const kCities[] = {"SAO PAULO", "CAMPINAS", "SANTOS", "CURITIBA", "RECIFE",
                               "SALVADOR", "BELEM", "MANAUS", "NATAL", "OLINDA"};

QString Code(int i) { return QString::number(i).rightJustified(6, QLatin1Char('0')); }

// A branch list of n rows, nine fields as the registration screen loads them; the
// codes, names and the selection string of every tenth code.
struct Chain {
    explicit Chain(int n)
    {
        const struct { const char *name; int size; const char *label; } fields[] = {
            {"IDCHECK", 1, " "}, {"CDFILIAL", 6, "Filial"}, {"NMFILIAL", 30, "Nome da Filial"},
            {"CDPAIS", 4, "Pais"}, {"NMPAIS", 30, "Nome do Pais"}, {"SGESTADO", 2, "Estado"},
            {"NMESTADO", 30, "Nome do Estado"}, {"CDMUNICIPIO", 4, "Municipio"},
            {"NMMUNICIPIO", 30, "Nome do Municipio"}};
        contracts::DataPacket packet;
        for (const auto &f : fields) {
            data.AddField(f.name, TFieldType::String, f.size, QString::fromUtf8(f.label));
            packet.fields.append({f.name, contracts::PacketFieldType::String, f.size});
        }
        // Rows in a scrambled code order, so that sorting is real work.
        for (int k = 0; k < n; ++k) {
            const int i = int((qint64(k) * 7919) % n);
            const QString name = QStringLiteral("%1 %2").arg(kCities[i % 10]).arg(i);
            codes << Code(i);
            names << name;
            packet.rows.append({"N", Code(i), name, "0055", "BRASIL", "SP", "SAO PAULO", "0100", "CAPITAL"});
            if (i % 10 == 0)
                selection += QLatin1Char('_') + Code(i);
        }
        selection += QLatin1Char('_');
        data.SetData(contracts::encodePacket(packet));
    }
    int Rows() const { return int(codes.size()); }

    TClientDataSet data;
    TDataSource source{nullptr, &data};
    QStringList codes;
    QStringList names;
    QString selection;
};

Chain &ChainOf(int n)
{
    static std::map<int, std::unique_ptr<Chain>> chains;
    auto &chain = chains[n];
    if (!chain)
        chain = std::make_unique<Chain>(n);
    return *chain;
}

// A search screen over the chain set up as the entry sets it up, without the modal run.
std::unique_ptr<TfrmPesqListaFilAtende> OpenScreen(Chain &chain, const QString &selection)
{
    CampoChave = QStringLiteral("CDFILIAL");
    CodigosEscolhidos.Clear();
    ListaSelecao = selection;
    auto screen = std::make_unique<TfrmPesqListaFilAtende>();
    screen->Create();
    screen->dbgArquivo->SetDataSource(&chain.source);
    chain.data.SetFilterCaseInsensitive(true);
    chain.data.SetFilter(QString());
    chain.data.SetFiltered(false);
    screen->MontaOrdens();
    ContaPesquisa = 0;
    screen->AbreLista();
    return screen;
}

// Best of a few runs of a bare limit, in nanoseconds.
template <class F>
double BareNs(F &&work)
{
    double best = 1e300;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        work();
        best = std::min(best, double(std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count()));
    }
    return best;
}

// Times the measured part of each iteration, and reports per row and against the limit.
class Meter {
public:
    explicit Meter(benchmark::State &state) : m_state(state) {}
    template <class F>
    void Time(F &&work)
    {
        const auto start = Clock::now();
        work();
        m_ns += double(std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count());
        ++m_runs;
    }
    void Report(int rows, double bareNs)
    {
        const double ns = m_runs ? m_ns / m_runs : 0;
        m_state.counters["ns_por_linha"] = ns / rows;
        m_state.counters["limite_ns_por_linha"] = bareNs / rows;
        m_state.counters["razao"] = bareNs > 0 ? ns / bareNs : 0;
    }
private:
    benchmark::State &m_state;
    double m_ns = 0;
    long m_runs = 0;
};

// Bare limit of marking: the keys into a hash set, then one sort of them.
double BareMarking(const QStringList &keys)
{
    return BareNs([&] {
        std::unordered_set<QString> set;
        set.reserve(size_t(keys.size()));
        std::vector<QString> sorted;
        sorted.reserve(size_t(keys.size()));
        for (const QString &key : keys)
            if (set.insert(key).second)
                sorted.push_back(key);
        std::sort(sorted.begin(), sorted.end());
        benchmark::DoNotOptimize(sorted.data());
    });
}

// Bare limit of pre-marking: the selection's codes into a set, each row's key looked
// up, the found keys sorted.
double BarePreMarking(const Chain &chain)
{
    return BareNs([&] {
        const QStringList parts = chain.selection.split(QLatin1Char('_'), Qt::SkipEmptyParts);
        const QSet<QString> named(parts.begin(), parts.end());
        std::vector<QString> found;
        for (const QString &code : chain.codes)
            if (named.contains(code))
                found.push_back(code);
        std::sort(found.begin(), found.end());
        benchmark::DoNotOptimize(found.data());
    });
}

// ---- cases -------------------------------------------------------------------------

// The whole entry: screen, ordering choices, pre-marking of every tenth code, modal run
// (closed at once), restore.
void BM_Abrir(benchmark::State &state)
{
    Chain &chain = ChainOf(int(state.range(0)));
    Meter meter(state);
    for (auto _ : state) {
        QString selection = chain.selection;
        meter.Time([&] {
            QTimer::singleShot(0, [] { frmPesqListaFilAtende->reject(); });
            benchmark::DoNotOptimize(PesquisaFilAtende(&chain.source, "CDFILIAL", "Filial|", false, selection));
        });
    }
    const double bare = BarePreMarking(chain);
    meter.Report(chain.Rows(), bare);
}

// Pre-marking alone (loading of an already created screen).
void BM_PreMarcar(benchmark::State &state)
{
    Chain &chain = ChainOf(int(state.range(0)));
    Meter meter(state);
    for (auto _ : state) {
        state.PauseTiming();
        auto screen = OpenScreen(chain, QString());
        screen->Escolhidos()->Limpa();
        ListaSelecao = chain.selection;
        screen->dbgArquivo->Tag = TfrmPesqListaFilAtende::mmIndefinido;
        state.ResumeTiming();
        meter.Time([&] { screen->AbreLista(); });
        state.PauseTiming();
        screen.reset();
        state.ResumeTiming();
    }
    const double bare = BarePreMarking(chain);
    meter.Report(chain.Rows(), bare);
}

// A click on the check column's title with nothing marked: every row gets marked.
void BM_MarcarTodas(benchmark::State &state)
{
    Chain &chain = ChainOf(int(state.range(0)));
    auto screen = OpenScreen(chain, QString());
    Meter meter(state);
    for (auto _ : state) {
        state.PauseTiming();
        screen->Escolhidos()->Limpa();
        state.ResumeTiming();
        meter.Time([&] { screen->dbgArquivoTitleClick(screen->dbgArquivo->Columns(0)); });
    }
    if (CodigosEscolhidos.Count() != chain.Rows())
        state.SkipWithError("nem todas as linhas ficaram marcadas");
    meter.Report(chain.Rows(), BareMarking(chain.codes));
}

// One incremental search: the timer's eleventh tick filters the names by a prefix.
void BM_Pesquisar(benchmark::State &state)
{
    Chain &chain = ChainOf(int(state.range(0)));
    auto screen = OpenScreen(chain, QString());
    screen->medProcurar->SetText(QStringLiteral("sal"));
    screen->tmrPesquisa->stop();
    Meter meter(state);
    for (auto _ : state) {
        ContaPesquisa = 10;
        meter.Time([&] { screen->tmrPesquisaTimer(); });
    }
    if (chain.data.RecordCount() != chain.Rows() / 10)
        state.SkipWithError("a pesquisa nao filtrou como esperado");
    // Bare limit: a case-insensitive prefix scan over the same names.
    const double bare = BareNs([&] {
        int hits = 0;
        for (const QString &name : chain.names)
            hits += name.startsWith(QLatin1String("sal"), Qt::CaseInsensitive);
        benchmark::DoNotOptimize(hits);
    });
    chain.data.SetFiltered(false);
    meter.Report(chain.Rows(), bare);
}

// Toggling one row off and on again with every row marked (the largest chosen list).
void BM_AlternarLinha(benchmark::State &state)
{
    Chain &chain = ChainOf(int(state.range(0)));
    auto screen = OpenScreen(chain, QString());
    screen->dbgArquivoTitleClick(screen->dbgArquivo->Columns(0));
    chain.data.SetRecNo(chain.Rows() / 2);
    Meter meter(state);
    for (auto _ : state) {
        meter.Time([&] {
            screen->dbgArquivoDblClick(nullptr);
            screen->dbgArquivoDblClick(nullptr);
        });
    }
    if (CodigosEscolhidos.Count() != chain.Rows())
        state.SkipWithError("a linha nao voltou a ficar marcada");
    // Bare limit: the same removal and insertion in a sorted vector of the entries.
    std::vector<QString> sorted;
    for (int i = 0; i < screen->Escolhidos()->Count(); ++i)
        sorted.push_back(screen->Escolhidos()->Entrada(i));
    const QString entry = sorted[sorted.size() / 2];
    const double bare = BareNs([&] {
        auto at = std::lower_bound(sorted.begin(), sorted.end(), entry);
        sorted.erase(at);
        at = std::lower_bound(sorted.begin(), sorted.end(), entry);
        sorted.insert(at, entry);
        benchmark::DoNotOptimize(sorted.data());
    });
    meter.Report(chain.Rows(), bare);
}

// Confirming with every row marked: the selection string of all codes.
void BM_Confirmar(benchmark::State &state)
{
    Chain &chain = ChainOf(int(state.range(0)));
    auto screen = OpenScreen(chain, QString());
    screen->dbgArquivoTitleClick(screen->dbgArquivo->Columns(0));
    Meter meter(state);
    for (auto _ : state)
        meter.Time([&] { screen->sbtConfirmaClick(); });
    if (ListaSelecao.size() != chain.Rows() * 7 + 1)
        state.SkipWithError("a lista confirmada nao tem todos os codigos");
    const QStringList keys(CodigosEscolhidos.Itens().begin(), CodigosEscolhidos.Itens().end());
    const double bare = BareNs([&] {
        QString joined = QLatin1Char('_') + keys.join(QLatin1Char('_')) + QLatin1Char('_');
        benchmark::DoNotOptimize(joined.data());
    });
    meter.Report(chain.Rows(), bare);
}

} // namespace

BENCHMARK(BM_Abrir)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreMarcar)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarcarTodas)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pesquisar)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AlternarLinha)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Confirmar)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    return benchsupport::runBenchmarks(argc, argv);
}
