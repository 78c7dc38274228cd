#include "cli_cmp04706.h"

#include "tfrmpesqlistafilatende.h"

#include "data/tclientdataset.h"
#include "data/tdatasource.h"
#include "data/tdbgrid.h"
#include "runtime/errors.h"

#include <QScopeGuard>

TfrmPesqListaFilAtende *frmPesqListaFilAtende = nullptr;

namespace Cli_cmp04706 {

QString CampoChave;
QString ListaSelecao;
QString TituloPesquisa;
QString MsgListaVazia;
TCodigosEscolhidos CodigosEscolhidos;
QVector<int> MapaCampos;
int ContaPesquisa = 0;
TDataSet::DataSetNotify AfterOpenSalvo;

namespace {

void LiberaEstado()
{
    CampoChave = QString();
    ListaSelecao = QString();
    TituloPesquisa = QString();
    MsgListaVazia = QString();
    CodigosEscolhidos.Clear();
    MapaCampos = QVector<int>();
    ContaPesquisa = 0;
    AfterOpenSalvo = nullptr;
}

// The screen of the previous search served its call only. Its code lives in this
// module, so it must not outlive it; and a finished search need not keep its rows.
void LiberaTelaAnterior()
{
    delete frmPesqListaFilAtende;
    frmPesqListaFilAtende = nullptr;
}

} // namespace

void Initialization()
{
    LiberaEstado();
    frmPesqListaFilAtende = nullptr;
}

void Finalization()
{
    LiberaTelaAnterior();
    LiberaEstado();
}

} // namespace Cli_cmp04706

using namespace Cli_cmp04706;

bool PesquisaFilAtende(TDataSource *source, const QString &keyField, const QString &title,
                       bool /*flag: accepted, without effect*/, QString &selection)
{
    TDataSet *dataSet = source ? source->DataSet() : nullptr;
    if (!dataSet)
        throw EDatabaseError(TfrmPesqListaFilAtende::tr("A pesquisa não tem conjunto de dados."));

    bool result = true;
    CampoChave = keyField;
    CodigosEscolhidos.Clear();
    ListaSelecao = selection;

    LiberaTelaAnterior();
    TfrmPesqListaFilAtende *tela = CreateForm<TfrmPesqListaFilAtende>();
    // The owner may destroy the screen first (the application quitting).
    TrackScreen(frmPesqListaFilAtende, tela);

    const qsizetype barra = title.indexOf(QLatin1Char('|'));
    TituloPesquisa = barra < 0 ? title : title.left(barra);
    MsgListaVazia = barra < 0 ? QString() : title.mid(barra + 1);
    tela->setWindowTitle(TituloPesquisa);

    tela->dbgArquivo->SetDataSource(source);

    AfterOpenSalvo = dataSet->AfterOpen;
    dataSet->AfterOpen = [tela](TDataSet *aberto) { tela->AfterOpenPesqServ(aberto); };
    // Whatever happens, the data set gets its own handler back and the hidden screen
    // lets go of the caller's rows.
    auto restaura = qScopeGuard([dataSet, tela] {
        dataSet->AfterOpen = AfterOpenSalvo;
        tela->dbgArquivo->SetDataSource(nullptr);
    });

    if (auto *clientDataSet = qobject_cast<TClientDataSet *>(dataSet)) {
        clientDataSet->SetFilterCaseInsensitive(true);
        clientDataSet->SetFilter(QString());
        clientDataSet->SetFiltered(false);
    }

    tela->MontaOrdens();
    ContaPesquisa = 0;

    if (tela->AbreLista())
        result = tela->exec() == QDialog::Accepted;

    selection = ListaSelecao;
    return result;
}
