#pragma once
// Unit Cli_cmp04706: the multi-select branch search (screen "LIB05600").
//
// PesquisaFilAtende shows the rows of a caller's data set with the rows whose key is
// in the selection string marked, and on confirmation writes the marked keys back as
// "_A_B_" (empty when none). The search keeps its working state at module level:
// one search runs at a time.

#include "pkg_export.h"
#include "codigosescolhidos.h"

#include "data/tdataset.h"

#include <QString>
#include <QVector>

class TDataSource;
class TfrmPesqListaFilAtende;

// The search's entry, exported to the host with C linkage.
PKG_EXPORT bool PesquisaFilAtende(TDataSource *source, const QString &keyField,
                                  const QString &title, bool flag, QString &selection);

// The screen of the current (or last) search.
PKG_EXPORT TfrmPesqListaFilAtende *frmPesqListaFilAtende;

namespace Cli_cmp04706 {

// Unit start-up and clean-up, run by the module's Initialize and Finalize.
void Initialization();
void Finalization();

// State of the running search.
extern QString CampoChave;                  // key field name
extern QString ListaSelecao;                // working copy of the selection string
extern QString TituloPesquisa;              // caption: the title before its first "|"
extern QString MsgListaVazia;               // empty-list message: the title after it
extern TCodigosEscolhidos CodigosEscolhidos; // keys of the marked rows, chosen-list order
extern QVector<int> MapaCampos;             // ordering choice -> field index
extern int ContaPesquisa;                   // ticks since the search text last changed
extern TDataSet::DataSetNotify AfterOpenSalvo; // the data set's own after-open handler

} // namespace Cli_cmp04706
