#include "tfrmpesqlistafilatende.h"
#include "ui_tfrmpesqlistafilatende.h"

#include "cli_cmp04706.h"
#include "modeloescolhidos.h"

#include "data/tclientdataset.h"
#include "data/tdataset.h"
#include "data/tdatasource.h"
#include "data/tdbgrid.h"
#include "data/tfield.h"
#include "runtime/errors.h"
#include "runtime/guard.h"
#include "screens/buttons.h"
#include "screens/tmaskedit.h"
#include "screens/consiste.h"
#include "screens/pesqlista.h"
#include "screens/qvl_msg.h"
#include "selection.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QListView>
#include <QMessageBox>
#include <QPainter>
#include <QScopeGuard>
#include <QSplitter>
#include <QTimer>

using namespace Cli_cmp04706;

namespace {

const QString kIdCheck = QStringLiteral("IDCHECK");
const QString kMarcaTitulo = QStringLiteral("\u2713");   // check mark shown in the title

bool EhCampo(const TField *field, const QString &name)
{
    return field && field->FieldName.compare(name, Qt::CaseInsensitive) == 0;
}

QString TextoDoErro(const std::exception &error)
{
    if (const auto *ownError = dynamic_cast<const contracts::Error *>(&error))
        return ownError->message();
    return QString::fromLocal8Bit(error.what());
}

// Suspends a data set's bound controls for the life of the object.
class ControlesSuspensos {
public:
    explicit ControlesSuspensos(TDataSet *dataSet) : m_dataSet(dataSet) { m_dataSet->DisableControls(); }
    ~ControlesSuspensos() { m_dataSet->EnableControls(); }
    ControlesSuspensos(const ControlesSuspensos &) = delete;
    ControlesSuspensos &operator=(const ControlesSuspensos &) = delete;
private:
    TDataSet *m_dataSet;
};

} // namespace

TfrmPesqListaFilAtende::TfrmPesqListaFilAtende(QWidget *parent)
    : TfrmRotiGeral(parent), m_ui(std::make_unique<Ui::TfrmPesqListaFilAtende>())
{
    setObjectName(QStringLiteral("frmPesqListaFilAtende"));
    m_ui->setupUi(grbDadosRel);
    const QSize tamanho = grbDadosRel->size();   // the description's outer size
    AdoptDescription(grbDadosRel);

    Panel2 = m_ui->Panel2;
    lblOrdem = m_ui->lblOrdem;
    cbbOrdem = m_ui->cbbOrdem;
    lblProcurar = m_ui->lblProcurar;
    medProcurar = m_ui->medProcurar;
    Bevel1 = m_ui->Bevel1;
    dbgArquivo = m_ui->dbgArquivo;
    splPesquisa = m_ui->splPesquisa;
    lsbEscolhidos = m_ui->lsbEscolhidos;
    imgCheck = m_ui->imgCheck;
    imgUncheck = m_ui->imgUncheck;

    // Sizeable, with a maximise box.
    setWindowFlags(windowFlags() | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);
    resize(tamanho);

    medProcurar->UpperCase = true;

    // Grid: whole-row selection that stays visible without the focus, no column
    // resizing, no editing until a column asks for it, tooltip background. The rows
    // belong to the caller: whatever a column's editing option says, nothing typed,
    // pasted or entered through an editor may change them; only the marks change.
    dbgArquivo->SetEditing(false);
    dbgArquivo->SetReadOnly(true);
    dbgArquivo->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    dbgArquivo->verticalHeader()->hide();
    QPalette paleta = dbgArquivo->palette();
    paleta.setColor(QPalette::Base, paleta.color(QPalette::ToolTipBase));
    paleta.setColor(QPalette::Inactive, QPalette::Highlight, paleta.color(QPalette::Active, QPalette::Highlight));
    paleta.setColor(QPalette::Inactive, QPalette::HighlightedText,
                    paleta.color(QPalette::Active, QPalette::HighlightedText));
    dbgArquivo->setPalette(paleta);
    dbgArquivo->Tag = mmIndefinido;

    // The chosen list: sorted entries, 87 pixels high under the splitter.
    m_escolhidos = new TModeloEscolhidos(CodigosEscolhidos, this);
    lsbEscolhidos->setModel(m_escolhidos);
    lsbEscolhidos->installEventFilter(this);
    splPesquisa->setStretchFactor(0, 1);
    splPesquisa->setStretchFactor(1, 0);
    splPesquisa->setSizes({qMax(tamanho.height() - 87, 1), 87});

    // The two mark images live hidden in the button panel.
    imgCheck->setParent(panMenu);
    imgUncheck->setParent(panMenu);
    imgCheck->setPixmap(QPixmap::fromImage(ImagemMarca(true)));
    imgUncheck->setPixmap(QPixmap::fromImage(ImagemMarca(false)));
    imgCheck->hide();
    imgUncheck->hide();

    tmrPesquisa = new QTimer(this);
    tmrPesquisa->setObjectName(QStringLiteral("tmrPesquisa"));
    tmrPesquisa->setInterval(10);

    LigaEventos();
}

TfrmPesqListaFilAtende::~TfrmPesqListaFilAtende()
{
    // The grid must not draw or call back while the screen goes.
    dbgArquivo->OnDrawColumnCell = nullptr;
}

void TfrmPesqListaFilAtende::LigaEventos()
{
    connect(cbbOrdem, qOverload<int>(&QComboBox::activated), this,
            Guard::Wrap(this, [this] { cbbOrdemChange(); }));
    connect(medProcurar, &QLineEdit::textChanged, this,
            Guard::Wrap(this, [this] { medProcurarChange(); }));
    connect(tmrPesquisa, &QTimer::timeout, this,
            Guard::Wrap(this, [this] { tmrPesquisaTimer(); }));
    connect(lsbEscolhidos, &QAbstractItemView::doubleClicked, this,
            Guard::Wrap(this, [this] { lsbEscolhidosDblClick(); }));

    // The grid runs its handlers through the handler guard itself.
    dbgArquivo->OnDblClick = [this] { dbgArquivoDblClick(dbgArquivo); };
    dbgArquivo->OnKeyDown = [this](int &key, Qt::KeyboardModifiers shift) { dbgArquivoKeyDown(key, shift); };
    dbgArquivo->OnKeyPress = [this](QChar &key) { dbgArquivoKeyPress(key); };
    dbgArquivo->OnTitleClick = [this](TColumn &column) { dbgArquivoTitleClick(column); };
    dbgArquivo->OnColEnter = [this] { dbgArquivoColEnter(); };
    dbgArquivo->OnDrawColumnCell = [this](QPainter *painter, const QRect &rect, int dataCol,
                                          TColumn &column, QStyle::State state) {
        dbgArquivoDrawColumnCell(painter, rect, dataCol, column, state);
    };
}

// ---- helpers ---------------------------------------------------------------------

TDataSet *TfrmPesqListaFilAtende::DataSet() const
{
    TDataSource *source = dbgArquivo->DataSource();
    TDataSet *dataSet = source ? source->DataSet() : nullptr;
    if (!dataSet)
        throw EDatabaseError(tr("A pesquisa não tem conjunto de dados."));
    return dataSet;
}

TClientDataSet *TfrmPesqListaFilAtende::ClientDataSet() const
{
    return qobject_cast<TClientDataSet *>(DataSet());
}

int TfrmPesqListaFilAtende::ModoMarcacao() const
{
    return dbgArquivo->Tag;
}

void TfrmPesqListaFilAtende::SetModoMarcacao(int modo)
{
    dbgArquivo->Tag = modo;
}

TField *TfrmPesqListaFilAtende::CampoOrdem() const
{
    const int item = cbbOrdem->currentIndex();
    if (item < 0 || item >= MapaCampos.size())
        throw EHostError(tr("Não há campo para a pesquisa."));
    return DataSet()->Fields(MapaCampos.at(item));
}

// The fields that make up a row's entry: from the second to the third from last.
std::vector<TField *> TfrmPesqListaFilAtende::CamposEntrada() const
{
    TDataSet *dataSet = DataSet();
    std::vector<TField *> campos;
    for (int i = 1; i <= dataSet->FieldCount() - 3; ++i)
        if (dataSet->Fields(i)->Visible)
            campos.push_back(dataSet->Fields(i));
    return campos;
}

// Entry text of the current row: each field's display text and two blanks.
QString TfrmPesqListaFilAtende::TextoEntrada(const std::vector<TField *> &campos)
{
    QString entrada;
    for (TField *campo : campos) {
        entrada += campo->DisplayText();
        entrada += QLatin1String("  ");
    }
    return entrada;
}

// ---- loading ---------------------------------------------------------------------

bool TfrmPesqListaFilAtende::AbreLista()
{
    bool ok = true;
    if (DataSet()->IsEmpty()) {
        ok = false;
        if (!Consiste::EmptyString(MsgListaVazia))
            Consiste::MensErro(MsgListaVazia, false);
        else
            Consiste::MensErro(msgPadrao->Msg(QStringLiteral("pesq_empty"))
                                   .replace(QLatin1String("%s"), TituloPesquisa.toLower()),
                               false);
    }
    if (!Consiste::EmptyString(ListaSelecao))
        MarcaLista();
    SetModoMarcacao(mmAlterna);
    return ok;
}

void TfrmPesqListaFilAtende::MarcaLista()
{
    TDataSet *dataSet = DataSet();
    ControlesSuspensos suspensos(dataSet);
    auto volta = qScopeGuard([dataSet] { dataSet->First(); });
    try {
        contracts::SelectionCodes selecao(ListaSelecao);
        AlternaEmLote([&selecao](const QString &chave) { return selecao.contains(chave); });
    } catch (const std::exception &error) {
        QMessageBox::warning(this, QApplication::applicationDisplayName(), TextoDoErro(error),
                             QMessageBox::Ok);
    }
}

void TfrmPesqListaFilAtende::AlternaEmLote(const std::function<bool(const QString &)> &entra)
{
    TDataSet *dataSet = DataSet();
    dataSet->First();
    if (dataSet->IsEmpty())
        return;
    TField *campoChave = dataSet->FieldByName(CampoChave);
    const std::vector<TField *> campos = CamposEntrada();

    // What the toggles of the walk amount to, applied to the chosen list at the end.
    int modo = ModoMarcacao();
    std::vector<TEscolha> novas;
    QSet<QString> novasDobradas;
    QSet<QString> removidas;
    auto aplica = [&] {
        m_escolhidos->RemoveChaves(removidas);
        m_escolhidos->InsereVarias(std::move(novas));
        SetModoMarcacao(modo);
        dbgArquivo->viewport()->update();
    };
    try {
        for (; !dataSet->Eof(); dataSet->Next()) {
            const QString chave = campoChave->AsString();
            if (entra && !entra(chave))
                continue;
            const QString dobrada = TCodigosEscolhidos::Dobra(chave);
            const bool marcada = novasDobradas.contains(dobrada)
                                 || (CodigosEscolhidos.Contains(chave) && !removidas.contains(dobrada));
            if (!marcada) {
                if (modo == mmDesmarca)
                    continue;
                novas.push_back({TextoEntrada(campos), chave});
                novasDobradas.insert(dobrada);
                if (modo == mmIndefinido)
                    modo = mmMarca;
            } else {
                if (modo == mmMarca)
                    continue;
                if (novasDobradas.remove(dobrada)) {
                    // Marked earlier in this same walk (ordinary toggling only).
                    novas.erase(std::find_if(novas.begin(), novas.end(), [&](const TEscolha &e) {
                        return TCodigosEscolhidos::Dobra(e.chave) == dobrada;
                    }));
                } else {
                    removidas.insert(dobrada);
                }
                if (modo == mmIndefinido)
                    modo = mmDesmarca;
            }
        }
    } catch (...) {
        aplica();
        throw;
    }
    aplica();
}

void TfrmPesqListaFilAtende::AfterOpenPesqServ(TDataSet *dataSet)
{
    // Rows delivered already checked become marked rows like any other: entries
    // composed and placed as the row toggle does, each key once.
    TField *check = dataSet->FindField(kIdCheck);
    if (check && check->AsString() == QLatin1String("S") && m_escolhidos->Count() == 0) {
        const int modo = ModoMarcacao();
        SetModoMarcacao(mmMarca);
        auto volta = qScopeGuard([&] { SetModoMarcacao(modo); });
        AlternaEmLote({});
    }
    AplicaVisualCheck();
}

// ---- ordering choices ------------------------------------------------------------

void TfrmPesqListaFilAtende::MontaOrdens()
{
    TDataSet *dataSet = DataSet();
    MapaCampos = QVector<int>(dataSet->FieldCount(), 0);
    cbbOrdem->clear();
    int padrao = -1;
    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        const TField *campo = dataSet->Fields(i);
        if (!campo->Visible || campo->Calculated || campo->Tag == 99
            || campo->DisplayLabel.trimmed().isEmpty())
            continue;
        const int item = cbbOrdem->count();
        cbbOrdem->addItem(campo->DisplayLabel);
        MapaCampos[item] = i;
        if (padrao < 0 && (campo->FieldName.startsWith(QLatin1String("NM"))
                           || campo->FieldName.startsWith(QLatin1String("DS"))))
            padrao = item;
    }
    // Only the choice: no order is applied and the search box keeps its mask.
    cbbOrdem->setCurrentIndex(padrao < 0 ? 0 : padrao);
}

void TfrmPesqListaFilAtende::cbbOrdemChange()
{
    TClientDataSet *clientDataSet = ClientDataSet();
    if (!clientDataSet)
        return;
    TField *campo = CampoOrdem();
    clientDataSet->SetIndexFieldNames(campo->FieldName);
    medProcurar->SetEditMask(campo->DataType == TFieldType::String ? campo->EditMask : QString());
    if (medProcurar->EditMask().isEmpty())
        medProcurar->setMaxLength(campo->Size > 0 ? campo->Size : 32767);   // 0: no limit
}

// ---- delayed search --------------------------------------------------------------

void TfrmPesqListaFilAtende::medProcurarChange()
{
    ContaPesquisa = 0;
    tmrPesquisa->start();
}

void TfrmPesqListaFilAtende::LimpaFiltro()
{
    if (TClientDataSet *clientDataSet = ClientDataSet()) {
        clientDataSet->SetFilter(QString());
        clientDataSet->SetFiltered(false);
    }
}

void TfrmPesqListaFilAtende::tmrPesquisaTimer()
{
    if (++ContaPesquisa <= 10)
        return;
    setUpdatesEnabled(false);
    try {
        // The grid takes the new rows once, not at every step of the filter change.
        ControlesSuspensos suspensos(DataSet());
        const QString campo = CampoOrdem()->FieldName;
        LimpaFiltro();
        const QString texto = medProcurar->Text();
        if (!Consiste::EmptyString(texto)) {
            if (TClientDataSet *clientDataSet = ClientDataSet()) {
                clientDataSet->SetFiltered(false);
                clientDataSet->SetFilter(campo + QLatin1String(" Like '") + texto + QLatin1String("%'"));
                clientDataSet->SetFiltered(true);
            } else {
                Pesqlista::LocateAll(DataSet(), {campo}, texto);
            }
        }
    } catch (...) {
        setUpdatesEnabled(true);
        tmrPesquisa->stop();
        LimpaFiltro();
        throw;
    }
    setUpdatesEnabled(true);
    tmrPesquisa->stop();
    ContaPesquisa = 0;
}

// ---- marking ---------------------------------------------------------------------

void TfrmPesqListaFilAtende::dbgArquivoDblClick(QObject * /*sender*/)
{
    TDataSet *dataSet = DataSet();
    if (!dataSet->IsEmpty()) {
        const QString chave = dataSet->FieldByName(CampoChave)->AsString();
        const int modo = ModoMarcacao();
        if (!CodigosEscolhidos.Contains(chave)) {
            if (modo != mmDesmarca) {
                m_escolhidos->Insere(TextoEntrada(CamposEntrada()), chave);
                if (modo == mmIndefinido)
                    SetModoMarcacao(mmMarca);
            }
        } else if (modo != mmMarca) {
            m_escolhidos->RemoveChave(chave, TextoEntrada(CamposEntrada()));
            if (modo == mmIndefinido)
                SetModoMarcacao(mmDesmarca);
        }
    }
    dbgArquivo->viewport()->update();
}

void TfrmPesqListaFilAtende::dbgArquivoTitleClick(TColumn &column)
{
    SetModoMarcacao(mmIndefinido);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto volta = qScopeGuard([this] {
        QApplication::restoreOverrideCursor();
        SetModoMarcacao(mmAlterna);
    });
    if (!EhCampo(column.Field, kIdCheck))
        return;
    TDataSet *dataSet = DataSet();
    ControlesSuspensos suspensos(dataSet);
    try {
        AlternaEmLote({});
    } catch (const std::exception &error) {
        dataSet->Cancel();
        Consiste::MensErro(TextoDoErro(error), false);
    }
}

void TfrmPesqListaFilAtende::dbgArquivoKeyDown(int &key, Qt::KeyboardModifiers shift)
{
    if (EhCampo(dbgArquivo->SelectedField(), kIdCheck) && key == Qt::Key_Space) {
        if (shift & Qt::ControlModifier)
            dbgArquivoTitleClick(dbgArquivo->Columns(0));
        else
            dbgArquivoDblClick(dbgArquivo);
    }
    if ((shift & Qt::AltModifier) && (key == Qt::Key_PageUp || key == Qt::Key_PageDown)) {
        const bool proximo = key == Qt::Key_PageDown;
        key = 0;
        dbgArquivo->setFocus();
        focusNextPrevChild(proximo);
    }
}

void TfrmPesqListaFilAtende::dbgArquivoKeyPress(QChar &key)
{
    TField *campo = dbgArquivo->SelectedField();
    if (!EhCampo(campo, QStringLiteral("DTINI")) && !EhCampo(campo, QStringLiteral("DTFIN")))
        key = QChar();
}

void TfrmPesqListaFilAtende::dbgArquivoColEnter()
{
    dbgArquivo->SetEditing(!EhCampo(dbgArquivo->SelectedField(), kIdCheck));
}

void TfrmPesqListaFilAtende::dbgArquivoDrawColumnCell(QPainter *painter, const QRect &rect,
                                                      int /*dataCol*/, TColumn &column,
                                                      QStyle::State /*state*/)
{
    if (!EhCampo(column.Field, kIdCheck))
        return;
    TDataSet *dataSet = DataSet();
    if (dataSet->IsEmpty())
        return;
    // While a cell is drawn, field reads refer to the row being drawn.
    const QString chave = dataSet->FieldByName(CampoChave)->AsString();
    const QLabel *imagem = CodigosEscolhidos.Contains(chave) ? imgCheck : imgUncheck;
    Consiste::InsereImagem(dbgArquivo, painter, rect, imagem->pixmap().toImage(), CorTransparente());
}

void TfrmPesqListaFilAtende::lsbEscolhidosDblClick()
{
    const QModelIndexList selecionados = lsbEscolhidos->selectionModel()->selectedIndexes();
    if (selecionados.isEmpty())
        return;
    m_escolhidos->RemovePosicao(selecionados.first().row());
    // Nothing stays selected: the next removal needs a new pick.
    lsbEscolhidos->selectionModel()->clear();
    medProcurar->setFocus();
    dbgArquivo->viewport()->update();
}

void TfrmPesqListaFilAtende::lsbEscolhidosKeyPress(QChar &key)
{
    if (key == QLatin1Char(' ')) {
        lsbEscolhidosDblClick();
        lsbEscolhidos->setFocus();
    }
}

bool TfrmPesqListaFilAtende::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lsbEscolhidos && event->type() == QEvent::KeyPress) {
        const QString texto = static_cast<QKeyEvent *>(event)->text();
        if (!texto.isEmpty()) {
            QChar key = texto.at(0);
            Guard::Run(this, [&] { lsbEscolhidosKeyPress(key); });
        }
    }
    return TfrmRotiGeral::eventFilter(watched, event);
}

// ---- check column, confirmation, close -------------------------------------------

void TfrmPesqListaFilAtende::FormActivate()
{
    update();
    AplicaVisualCheck();
}

void TfrmPesqListaFilAtende::AplicaVisualCheck()
{
    const int indice = Consiste::IndiceCol(dbgArquivo, kIdCheck);
    if (indice < 0)
        return;
    TColumn &coluna = dbgArquivo->Columns(indice);
    coluna.TitleAlignment = Qt::AlignCenter;
    coluna.ReadOnly = true;
    // The title follows the field's label.
    coluna.TitleCaption.clear();
    if (coluna.Field->DisplayLabel != kMarcaTitulo) {
        coluna.Field->DisplayLabel = kMarcaTitulo;
        DataSet()->NotifyFieldsChanged();
    }
    dbgArquivo->horizontalHeader()->viewport()->update();
}

void TfrmPesqListaFilAtende::sbtConfirmaClick()
{
    TDataSet *dataSet = DataSet();
    if (dataSet->state() == TDataSet::State::Edit || dataSet->state() == TDataSet::State::Insert)
        dataSet->Post();
    // Unconfirmable (the base screen's control disabled), the working copy is emptied.
    ListaSelecao.clear();
    if (ConfirmControl() && ConfirmControl()->isEnabled()) {
        ListaSelecao = contracts::writeSelection(CodigosEscolhidos.Itens());
        done(QDialog::Accepted);
    }
}

void TfrmPesqListaFilAtende::FormClose(TCloseAction &action)
{
    tmrPesquisa->stop();
    TDataSet *dataSet = DataSet();
    if (TField *check = dataSet->FindField(kIdCheck)) {
        // One blank keeps the field out of the next search's ordering choices.
        check->DisplayLabel = QStringLiteral(" ");
        dataSet->NotifyFieldsChanged();
    }
    LimpaFiltro();
    TfrmRotiGeral::FormClose(action);
}

// ---- mark images -----------------------------------------------------------------

QColor TfrmPesqListaFilAtende::CorTransparente()
{
    return QColor(128, 128, 0);
}

QImage TfrmPesqListaFilAtende::ImagemMarca(bool marcada)
{
    // 16 colours: the four used here are black, olive, light grey and white.
    enum { Preto = 0, Oliva = 3, CinzaClaro = 7, Branco = 15 };
    static const QRgb paleta[16] = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    QImage imagem(16, 16, QImage::Format_Indexed8);
    imagem.setColorTable(QVector<QRgb>(std::begin(paleta), std::end(paleta)));
    imagem.fill(Oliva);
    // A 10-by-10 box at (2,2): black top and left edges, white inside.
    for (int y = 2; y < 12; ++y)
        for (int x = 2; x < 12; ++x)
            imagem.setPixel(x, y, (x == 2 || y == 2) ? Preto : Branco);
    // After a one-pixel gap, a light grey line to the right and below.
    for (int i = 4; i <= 13; ++i) {
        imagem.setPixel(13, i, CinzaClaro);
        imagem.setPixel(i, 13, CinzaClaro);
    }
    if (marcada) {
        // A check mark, two pixels thick.
        static const QPoint traco[] = {{4, 6}, {5, 7}, {6, 8}, {7, 7}, {8, 6}, {9, 5}, {10, 4}};
        for (const QPoint &p : traco) {
            imagem.setPixel(p, Preto);
            imagem.setPixel(p.x(), p.y() + 1, Preto);
        }
    }
    return imagem;
}
