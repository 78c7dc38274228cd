#pragma once
// Screen "LIB05600": the multi-select search over a caller's data set, with a check
// column, the sorted list of chosen entries, ordering by column and a delayed
// incremental search. Driven by PesquisaFilAtende (cli_cmp04706.h).

#include "screens/tfrmrotigeral.h"

#include <QColor>
#include <QImage>
#include <QStyle>
#include <functional>
#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QListView;
class QPainter;
class QSplitter;
class QTimer;
class TClientDataSet;
class TDataSet;
class TDBGrid;
class TField;
class TMaskEdit;
class TModeloEscolhidos;
struct TColumn;

namespace Ui { class TfrmPesqListaFilAtende; }

class TfrmPesqListaFilAtende : public TfrmRotiGeral {
    Q_OBJECT
public:
    // Marking modes, kept in the grid's Tag.
    enum { mmDesmarca = -1, mmIndefinido = 0, mmMarca = 1, mmAlterna = 2 };

    explicit TfrmPesqListaFilAtende(QWidget *parent = nullptr);
    ~TfrmPesqListaFilAtende() override;

    // Controls of the description.
    QFrame *Panel2 = nullptr;
    QLabel *lblOrdem = nullptr;
    QComboBox *cbbOrdem = nullptr;
    QLabel *lblProcurar = nullptr;
    TMaskEdit *medProcurar = nullptr;
    QFrame *Bevel1 = nullptr;
    TDBGrid *dbgArquivo = nullptr;
    QSplitter *splPesquisa = nullptr;
    QListView *lsbEscolhidos = nullptr;
    QLabel *imgCheck = nullptr;
    QLabel *imgUncheck = nullptr;
    QTimer *tmrPesquisa = nullptr;

    // The chosen list's entries (the model behind lsbEscolhidos).
    TModeloEscolhidos *Escolhidos() const { return m_escolhidos; }
    int ModoMarcacao() const;

    // Loading.
    bool AbreLista();
    void MarcaLista();
    void MontaOrdens();                  // ordering choices, MapaCampos, default choice
    void AfterOpenPesqServ(TDataSet *dataSet);

    // Marking.
    void dbgArquivoDblClick(QObject *sender);
    void dbgArquivoTitleClick(TColumn &column);
    void dbgArquivoKeyDown(int &key, Qt::KeyboardModifiers shift);
    void dbgArquivoKeyPress(QChar &key);
    void dbgArquivoColEnter();
    void dbgArquivoDrawColumnCell(QPainter *painter, const QRect &rect, int dataCol,
                                  TColumn &column, QStyle::State state);
    void lsbEscolhidosDblClick();
    void lsbEscolhidosKeyPress(QChar &key);

    // Ordering and search.
    void cbbOrdemChange();
    void medProcurarChange();
    void tmrPesquisaTimer();

    // Frame hooks.
    void FormActivate() override;
    void sbtConfirmaClick() override;
    void FormClose(TCloseAction &action) override;

    // The two mark images, 16 by 16 on olive (the transparent colour).
    static QImage ImagemMarca(bool marcada);
    static QColor CorTransparente();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TDataSet *DataSet() const;
    TClientDataSet *ClientDataSet() const;
    TField *CampoOrdem() const;          // the field of the current ordering choice
    void SetModoMarcacao(int modo);
    void AplicaVisualCheck();
    std::vector<TField *> CamposEntrada() const;
    static QString TextoEntrada(const std::vector<TField *> &campos);
    // Toggles the rows from the first to the end of the view in one batch, following
    // the marking mode; `entra` picks the rows concerned (all when empty). Errors end
    // the walk with the rows before kept; the error is passed on.
    void AlternaEmLote(const std::function<bool(const QString &chave)> &entra);
    void LimpaFiltro();
    void LigaEventos();

    std::unique_ptr<Ui::TfrmPesqListaFilAtende> m_ui;
    TModeloEscolhidos *m_escolhidos = nullptr;
};
