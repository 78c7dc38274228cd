#include "tfrmcadautrf.h"
#include "ui_tfrmcadautrf.h"

#include "cli_cmp04702.h"
#include "cli_cmp04704.h"
#include "cli_cmp04706.h"

#include "data/tadoibquery.h"
#include "data/tclientdataset.h"
#include "data/tdatasource.h"
#include "runtime/errors.h"
#include "runtime/guard.h"
#include "runtime/quorvel.h"
#include "selection.h"
#include "screens/consiste.h"
#include "screens/tmaskedit.h"
#include "screens/pesqlista.h"
#include "screens/qvl_msg.h"
#include "screens/showavi.h"
#include "server/appserverclient.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMessageBox>
#include <QStyle>

namespace {

// Animation kinds of the host's busy animation.
constexpr Showavi::TShowAvi AviServerCall = 1;
constexpr Showavi::TShowAvi AviListLoad = 6;

// A non-null empty text: binds as '' rather than NULL in a query parameter.
const QString EmptyText = QStringLiteral("");

// Element `index` of an array the server returned.
QVariant ArrayElement(const QVariant &value, int index, const QString &method)
{
    const QVariantList list = value.toList();
    if (value.typeId() != QMetaType::QVariantList || list.size() <= index)
        throw EServerError(TfrmCadAutRF::tr("Resposta inválida do servidor de aplicação em %1: "
                                            "faltam elementos no resultado.").arg(method));
    return list.at(index);
}

// The server may write back into a by-reference text argument; its value replaces the
// screen's.
void TakeBack(const QVariantList &args, int index, QString &target)
{
    if (index < args.size() && args.at(index).typeId() == QMetaType::QString)
        target = args.at(index).toString();
}

// The text "caption|empty-list text" handed to a list search.
QString SearchTitle(const TMessages *messages, const char *captionKey, const char *emptyKey)
{
    return messages->Msg(QLatin1String(captionKey)) + QLatin1Char('|')
        + messages->Msg(QLatin1String(emptyKey));
}

// Supplier registration number laid out by the mask of its legal-person type.
QString FormattedInscricao(const TField &number, const QString &legalPersonType)
{
    return Consiste::FormatMaskText(Consiste::PictPess(legalPersonType), number.AsString());
}

QString TextOf(const TDataSet *dataSet, const char *fieldName)
{
    const TField *field = dataSet->FindField(QLatin1String(fieldName));
    return field ? field->AsString() : QString();
}

} // namespace

TfrmCadAutRF::TfrmCadAutRF(QWidget *parent)
    : TfrmRotiGeral(parent)
    , m_ui(std::make_unique<Ui::TfrmCadAutRF>())
{
    setObjectName(QStringLiteral("frmCadAutRF"));
    m_ui->setupUi(grbDadosRel);
    AdoptDescription(grbDadosRel);
    grbRegiao = m_ui->grbRegiao;
    rbtTodasReg = m_ui->rbtTodasReg;
    rbtListaReg = m_ui->rbtListaReg;
    sbtRegiao = m_ui->sbtRegiao;
    grbFilial = m_ui->grbFilial;
    rbtTFilial = m_ui->rbtTFilial;
    rbtLFilial = m_ui->rbtLFilial;
    sbtFilial = m_ui->sbtFilial;
    GroupBox1 = m_ui->GroupBox1;
    rbtTodos = m_ui->rbtTodos;
    rbtLista = m_ui->rbtLista;
    sbtFornecedor = m_ui->sbtFornecedor;
    grbPeriodicidade = m_ui->grbPeriodicidade;
    lblCdPeriod = m_ui->lblCdPeriod;
    medCdPeriod = m_ui->medCdPeriod;
    btpFilial = m_ui->btpFilial;
    grbPrazo = m_ui->grbPrazo;
    medPrazo = m_ui->medPrazo;

    resize(266, 260);
    SetUpControls();
    CreateDataComponents();
    WireEvents();
}

TfrmCadAutRF::~TfrmCadAutRF() = default;

// What the description cannot say: the search glyphs and the field the lookup button
// fills. The controls' own properties (masks, the lookup's title) come from the
// description through uic.
void TfrmCadAutRF::SetUpControls()
{
    // Search glyph; the disabled look comes from the icon's disabled mode.
    const QPixmap searchGlyph = style()->standardPixmap(QStyle::SP_FileDialogContentsView);
    for (TButtonFlat *button : {sbtRegiao, sbtFilial, sbtFornecedor})
        button->SetGlyph(searchGlyph);
    btpFilial->setIcon(searchGlyph);
    btpFilial->Associate = medCdPeriod;
}

// Queries, client data sets and data sources: not widgets, so they are set up here.
void TfrmCadAutRF::CreateDataComponents()
{
    qryFornecedor = new TADOIBQuery(this);
    qryFornecedor->setObjectName(QStringLiteral("qryFornecedor"));
    qryFornecedor->SQL = QStringLiteral(
        "SELECT CDFORNECED, IDTPIJURFORN, NRINSJURFORN, NMFANTFORN, NMRAZSOCFORN "
        "FROM FORNECEDOR ORDER BY NMFANTFORN");
    qryFornecedor->SQL_ORACLE = qryFornecedor->SQL_MSSQL = qryFornecedor->SQL_IB = qryFornecedor->SQL;
    qryFornecedor->AddField(QStringLiteral("CDFORNECED"), TFieldType::String, 21)->Visible = false;
    qryFornecedor->AddField(QStringLiteral("IDTPIJURFORN"), TFieldType::String, 1)->Visible = false;
    TField *inscricao = qryFornecedor->AddField(QStringLiteral("NRINSJURFORN"), TFieldType::String, 20,
                                                tr("Inscrição"));
    inscricao->OnGetText = [this](TField &sender, QString &text, bool displayText) {
        qryFornecedorNRINSJURFORNGetText(sender, text, displayText);
    };
    qryFornecedor->AddField(QStringLiteral("NMFANTFORN"), TFieldType::String, 40, tr("Nome Fantasia"));
    qryFornecedor->AddField(QStringLiteral("NMRAZSOCFORN"), TFieldType::String, 40, tr("Razão Social"));
    dtsFornecedor = new TDataSource(this, qryFornecedor);
    dtsFornecedor->setObjectName(QStringLiteral("dtsFornecedor"));

    qryRegiao = new TADOIBQuery(this);
    qryRegiao->setObjectName(QStringLiteral("qryRegiao"));
    qryRegiao->SQL = QStringLiteral("SELECT CDREGIAO, NMREGIAO FROM REGIAO ORDER BY CDREGIAO");
    qryRegiao->AddField(QStringLiteral("CDREGIAO"), TFieldType::String, 3, tr("Região"));
    qryRegiao->AddField(QStringLiteral("NMREGIAO"), TFieldType::String, 30, tr("Nome"));
    dtsRegiao = new TDataSource(this, qryRegiao);
    dtsRegiao->setObjectName(QStringLiteral("dtsRegiao"));

    qryRegiaoFilial = new TADOIBQuery(this);
    qryRegiaoFilial->setObjectName(QStringLiteral("qryRegiaoFilial"));
    qryRegiaoFilial->SQL = QStringLiteral(
        "SELECT CDREGIAO FROM FILIAL WHERE CDFILIAL = :P_CDFILIAL ORDER BY CDREGIAO");
    qryRegiaoFilial->AddField(QStringLiteral("CDREGIAO"), TFieldType::String, 3);

    qryPesqPeriod = new TADOIBQuery(this);
    qryPesqPeriod->setObjectName(QStringLiteral("qryPesqPeriod"));
    qryPesqPeriod->SQL = QStringLiteral(
        "SELECT CDPERIENTR, NMPERIENTR FROM PERIENTR "
        "WHERE (CDPERIENTR = :P_CDPERIENTR OR :P_TCDPERIENTR = 'T') ORDER BY CDPERIENTR");
    qryPesqPeriod->SQL_ORACLE = qryPesqPeriod->SQL_MSSQL = qryPesqPeriod->SQL_IB = qryPesqPeriod->SQL;
    qryPesqPeriod->AddField(QStringLiteral("CDPERIENTR"), TFieldType::String, 2, tr("Código"));
    qryPesqPeriod->AddField(QStringLiteral("NMPERIENTR"), TFieldType::String, 20, tr("Nome"));
    dtsPesqPeriod = new TDataSource(this, qryPesqPeriod);
    dtsPesqPeriod->setObjectName(QStringLiteral("dtsPesqPeriod"));
    btpFilial->DataSource = dtsPesqPeriod;

    cdsVerReFoReg = new TClientDataSet(this);
    cdsVerReFoReg->setObjectName(QStringLiteral("cdsVerReFoReg"));
    cdsVerReFoReg->AddField(QStringLiteral("FILIAL"), TFieldType::String, 37, tr("Filial"))->ReadOnly = true;
    cdsVerReFoReg->AddField(QStringLiteral("REGIAO"), TFieldType::String, 36, tr("Região"))->ReadOnly = true;
    TField *fornecedor = cdsVerReFoReg->AddField(QStringLiteral("FORNECEDOR"), TFieldType::String, 63,
                                                 tr("Fornecedor"));
    fornecedor->ReadOnly = true;
    fornecedor->OnGetText = [this](TField &sender, QString &text, bool displayText) {
        cdsVerReFoRegFORNECEDORGetText(sender, text, displayText);
    };
    cdsVerReFoReg->AddField(QStringLiteral("NMFANTFORN"), TFieldType::String, 40);
    cdsVerReFoReg->AddField(QStringLiteral("IDTPIJURFORN"), TFieldType::String, 1);

    cdsVerReForFil = new TClientDataSet(this);
    cdsVerReForFil->setObjectName(QStringLiteral("cdsVerReForFil"));

    cdsPesqFilial = new TClientDataSet(this);
    cdsPesqFilial->setObjectName(QStringLiteral("cdsPesqFilial"));
    struct BranchField { const char *name; const char *label; int size; int displayWidth; };
    const BranchField branchFields[] = {
        {"IDCHECK", " ", 1, 1},
        {"CDFILIAL", QT_TR_NOOP("Filial"), 4, 8},
        {"NMFILIAL", QT_TR_NOOP("Nome da Filial"), 30, 30},
        {"CDPAIS", QT_TR_NOOP("País"), 4, 6},
        {"NMPAIS", QT_TR_NOOP("Nome do País"), 30, 30},
        {"SGESTADO", QT_TR_NOOP("Estado"), 2, 4},
        {"NMESTADO", QT_TR_NOOP("Nome do Estado"), 30, 30},
        {"CDMUNICIPIO", QT_TR_NOOP("Município"), 4, 6},
        {"NMMUNICIPIO", QT_TR_NOOP("Nome do Município"), 30, 30},
    };
    for (const BranchField &definition : branchFields) {
        TField *field = cdsPesqFilial->AddField(QLatin1String(definition.name), TFieldType::String, definition.size,
                                                tr(definition.label));
        field->DisplayWidth = definition.displayWidth;
    }
    dtsPesqFilial = new TDataSource(this, cdsPesqFilial);
    dtsPesqFilial->setObjectName(QStringLiteral("dtsPesqFilial"));
}

void TfrmCadAutRF::WireEvents()
{
    // Radio buttons: their click handler runs when they become selected.
    auto onSelected = [this](QRadioButton *button, void (TfrmCadAutRF::*handler)(QObject *)) {
        connect(button, &QRadioButton::toggled, this, Guard::Wrap(this, [this, button, handler](bool on) {
            if (on)
                (this->*handler)(button);
        }));
    };
    onSelected(rbtTodasReg, &TfrmCadAutRF::rbtTodasRegClick);
    onSelected(rbtListaReg, &TfrmCadAutRF::rbtListaRegClick);
    onSelected(rbtTFilial, &TfrmCadAutRF::rbtTFilialClick);
    onSelected(rbtLFilial, &TfrmCadAutRF::rbtLFilialClick);
    onSelected(rbtTodos, &TfrmCadAutRF::rbtTodosClick);
    onSelected(rbtLista, &TfrmCadAutRF::rbtListaClick);

    auto onClick = [this](QAbstractButton *button, void (TfrmCadAutRF::*handler)(QObject *)) {
        connect(button, &QAbstractButton::clicked, this, Guard::Wrap(this, [this, button, handler](bool) {
            (this->*handler)(button);
        }));
    };
    onClick(sbtRegiao, &TfrmCadAutRF::sbtRegiaoClick);
    onClick(sbtFilial, &TfrmCadAutRF::sbtFilialClick);
    onClick(sbtFornecedor, &TfrmCadAutRF::sbtFornecedorClick);

    // Key-down handlers of the "Lista" buttons (see eventFilter).
    for (QRadioButton *button : {rbtListaReg, rbtLFilial, rbtLista})
        button->installEventFilter(this);

    // The controls run these through the handler guard themselves. A failing
    // preparation ends the lookup before its list opens.
    for (TMaskEdit *edit : {medCdPeriod, medPrazo})
        edit->OnKeyPress = [this, edit](QChar &key) { medCdPeriodKeyPress(edit, key); };
    medCdPeriod->OnExit = [this] { medCdPeriodExit(medCdPeriod); };
    btpFilial->OnBeforePesq = [this](QObject *sender, bool &cancel) { btpFilialBeforePesq(sender, cancel); };
    btpFilial->OnAfterPesq = [this](QObject *sender) { btpFilialAfterPesq(sender); };
}

bool TfrmCadAutRF::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        void (TfrmCadAutRF::*handler)(QObject *, int &, Qt::KeyboardModifiers) = nullptr;
        if (watched == rbtListaReg)
            handler = &TfrmCadAutRF::rbtListaRegKeyDown;
        else if (watched == rbtLFilial)
            handler = &TfrmCadAutRF::rbtLFilialKeyDown;
        else if (watched == rbtLista)
            handler = &TfrmCadAutRF::rbtListaKeyDown;
        if (handler) {
            const auto *keyEvent = static_cast<QKeyEvent *>(event);
            int key = keyEvent->key();
            Guard::Run(this, [&] { (this->*handler)(watched, key, keyEvent->modifiers()); });
        }
    }
    // The key goes on to the button either way: F9 is not consumed.
    return TfrmRotiGeral::eventFilter(watched, event);
}

// ---- Start-up -----------------------------------------------------------------------

void TfrmCadAutRF::FormCreate()
{
    TfrmRotiGeral::FormCreate();
    FListaFornecedor.clear();
    FListaFilial.clear();
    FCdPeriod.clear();
    FListaRegiao.clear();
    if (!Quorvel::ModuFili())
        return;

    // Single-branch mode: the host's branch and its region are the fixed selections.
    FListaFilial = contracts::writeSelection(QStringList{Quorvel::FiliProc()});
    qryRegiaoFilial->Close();
    qryRegiaoFilial->ParamByName(QStringLiteral("P_CDFILIAL")).SetAsString(Quorvel::FiliProc());
    qryRegiaoFilial->Open();
    FListaRegiao = contracts::writeSelection(QStringList{TextOf(qryRegiaoFilial, "CDREGIAO")});
    Consiste::SetChildEnabled(grbRegiao, !Quorvel::ModuFili());
    Consiste::SetChildEnabled(grbFilial, !Quorvel::ModuFili());
}

void TfrmCadAutRF::FormActivate()
{
    repaint();
    {
        Showavi::ShowAviScope avi(Quorvel::MainForm(), AviServerCall);
        QVariantList noArgs;
        const QVariant params = AppServerClient::Call(frmFornAt, QStringLiteral("getParamGeral"), noArgs);
        FUsaPrazo = ArrayElement(params, 0, QStringLiteral("getParamGeral")).toString() == QLatin1String("3");
    }
    medPrazo->SetText(QString());
    grbPrazo->setVisible(FUsaPrazo);
}

// ---- Regions ------------------------------------------------------------------------

void TfrmCadAutRF::rbtTodasRegClick(QObject *)
{
    sbtRegiao->setEnabled(false);
    FListaRegiao = QStringLiteral("T");
}

void TfrmCadAutRF::rbtListaRegClick(QObject *)
{
    sbtRegiao->setEnabled(true);
    FListaRegiao.clear();
    if (!Consiste::EmptyString(FListaFilial))
        FListaFilial.clear();
}

void TfrmCadAutRF::rbtListaRegKeyDown(QObject *, int &key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_F9)
        sbtRegiao->Click();
}

void TfrmCadAutRF::sbtRegiaoClick(QObject *)
{
    Pesqlista::PesquisaLista(dtsRegiao, QStringLiteral("CDREGIAO"),
                             SearchTitle(msgPadrao, "REGIAO", "REG_NAO_CAD"), false, FListaRegiao);
}

void TfrmCadAutRF::vd_Regiao()
{
    if (rbtListaReg->isChecked() && Consiste::EmptyString(FListaRegiao))
        Consiste::MensErro(msgPadrao->Msg(QStringLiteral("Reg_D_Inf")), true);
}

// ---- Branches -----------------------------------------------------------------------

void TfrmCadAutRF::rbtTFilialClick(QObject *)
{
    sbtFilial->setEnabled(false);
}

void TfrmCadAutRF::rbtLFilialClick(QObject *)
{
    sbtFilial->setEnabled(true);
}

void TfrmCadAutRF::rbtLFilialKeyDown(QObject *, int &key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_F9)
        sbtFilial->Click();
}

void TfrmCadAutRF::sbtFilialClick(QObject *)
{
    vd_Regiao();
    {
        Showavi::ShowAviScope avi(Quorvel::MainForm(), AviListLoad);
        QVariantList args{FListaRegiao};
        const QVariant packet = AppServerClient::Call(frmFornAt, QStringLiteral("getFilial"), args);
        cdsPesqFilial->SetData(packet);
        TakeBack(args, 0, FListaRegiao);
    }
    PesquisaFilAtende(dtsPesqFilial, QStringLiteral("CDFILIAL"),
                      SearchTitle(msgPadrao, "FILIAL", "Fil_N_Cad"), false, FListaFilial);
}

// ---- Suppliers ----------------------------------------------------------------------

void TfrmCadAutRF::rbtTodosClick(QObject *)
{
    sbtFornecedor->setEnabled(false);
}

void TfrmCadAutRF::rbtListaClick(QObject *)
{
    sbtFornecedor->setEnabled(true);
}

void TfrmCadAutRF::rbtListaKeyDown(QObject *, int &key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_F9)
        sbtFornecedor->Click();
}

void TfrmCadAutRF::sbtFornecedorClick(QObject *)
{
    Pesqlista::PesquisaLista(dtsFornecedor, QStringLiteral("CDFORNECED"),
                             SearchTitle(msgPadrao, "FORNECEDOR", "FORN_NAO_CAD"), false, FListaFornecedor);
}

// ---- Periodicity --------------------------------------------------------------------

// Digits, letters (turned upper case), backspace and Enter pass; anything else is dropped.
void TfrmCadAutRF::medCdPeriodKeyPress(QObject *, QChar &key)
{
    const char16_t c = key.unicode();
    if (c >= u'a' && c <= u'z') {
        key = QChar(char16_t(c - u'a' + u'A'));
        return;
    }
    const bool passes = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || c == 8 || c == 13;
    if (!passes)
        key = QChar();
}

void TfrmCadAutRF::medCdPeriodExit(QObject *)
{
    Vd_CdPerientr();
}

void TfrmCadAutRF::Vd_CdPerientr()
{
    TMaskEdit *edit = medCdPeriod;
    try {
        if (Consiste::EmptyString(edit->Text()))
            return;
        edit->SetText(Consiste::Ajusta(edit->Text(), 2));
        edit->SetText(AjustaPeri(edit->Text()));
        qryPesqPeriod->Close();
        qryPesqPeriod->ParamByName(QStringLiteral("P_CDPERIENTR")).SetAsString(edit->Text());
        qryPesqPeriod->ParamByName(QStringLiteral("P_TCDPERIENTR")).SetAsString(EmptyText);
        qryPesqPeriod->Open();
        if (qryPesqPeriod->IsEmpty())
            Consiste::MensErro(msgPadrao->Msg(QStringLiteral("PERIENTR_NCAD")), true);
    } catch (...) {
        edit->setFocus();
        throw;
    }
}

// A single upper-case letter gets a leading zero ("A" -> "0A"); anything else is kept.
QString TfrmCadAutRF::AjustaPeri(const QString &code) const
{
    if (code.size() < 2 && !Consiste::EmptyString(code) && code.at(0) >= QLatin1Char('A')
        && code.at(0) <= QLatin1Char('Z'))
        return QLatin1Char('0') + code;
    return code;
}

void TfrmCadAutRF::btpFilialBeforePesq(QObject *, bool &)
{
    qryPesqPeriod->Close();
    qryPesqPeriod->ParamByName(QStringLiteral("P_CDPERIENTR")).SetAsString(EmptyText);
    qryPesqPeriod->ParamByName(QStringLiteral("P_TCDPERIENTR")).SetAsString(QStringLiteral("T"));
    qryPesqPeriod->Open();
}

void TfrmCadAutRF::btpFilialAfterPesq(QObject *)
{
    medCdPeriod->SetText(TextOf(qryPesqPeriod, "CDPERIENTR"));
}

// ---- Confirmation -------------------------------------------------------------------

// The lead time typed: 0 when empty. Qt converts without raising, so a text that is
// not a whole number raises here, before anything is sent.
double TfrmCadAutRF::LeadTime() const
{
    const QString text = medPrazo->Text();
    if (Consiste::EmptyString(text))
        return 0;
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok)
        throw EConvertError(tr("Prazo para expedição inválido: \"%1\" não é um número.").arg(text));
    return value;
}

void TfrmCadAutRF::sbtConfirmaClick()
{
    vd_Regiao();
    if (rbtLFilial->isChecked() && Consiste::EmptyString(FListaFilial))
        Consiste::MensErro(msgPadrao->Msg(QStringLiteral("Fil_D_Inf")), true);
    if (rbtLista->isChecked() && Consiste::EmptyString(FListaFornecedor))
        Consiste::MensErro(msgPadrao->Msg(QStringLiteral("Forn_D_Inf")), true);
    repaint();
    Vd_CdPerientr();

    const QString allBranches = rbtTFilial->isChecked() ? QStringLiteral("T") : QString();
    const QString allSuppliers = rbtTodos->isChecked() ? QStringLiteral("T") : QString();
    FCdPeriod = medCdPeriod->Text();
    const double leadTime = LeadTime();

    {
        Showavi::ShowAviScope avi(Quorvel::MainForm(), AviServerCall);
        QVariantList args{FListaFornecedor, allSuppliers, FListaFilial, allBranches, FListaRegiao};
        const QVariant result = AppServerClient::Call(frmFornAt, QStringLiteral("GetValidReForFil"), args);
        // Both packets load or neither: the second is tried on a scratch data set first.
        const QVariant blocking = ArrayElement(result, 0, QStringLiteral("GetValidReForFil"));
        const QVariant otherPeriodicity = ArrayElement(result, 1, QStringLiteral("GetValidReForFil"));
        TClientDataSet().SetData(otherPeriodicity);
        cdsVerReFoReg->SetData(blocking);
        cdsVerReForFil->SetData(otherPeriodicity);
        TakeBack(args, 0, FListaFornecedor);
        TakeBack(args, 2, FListaFilial);
        TakeBack(args, 4, FListaRegiao);
    }

    if (cdsVerReFoReg->RecordCount() > 0) {
        CriaErroForneAteFili();
        return;
    }
    if (cdsVerReForFil->RecordCount() > 0) {
        QMessageBox question(QMessageBox::Warning, tr("Aviso"),
                             msgPadrao->Msg(QStringLiteral("msg_Alert")),
                             QMessageBox::Yes | QMessageBox::No, this);
        if (question.exec() != QMessageBox::Yes)
            return;
    }
    RegisterOnServer(allSuppliers, allBranches, leadTime);
}

void TfrmCadAutRF::RegisterOnServer(const QString &allSuppliers, const QString &allBranches, double leadTime)
{
    {
        Showavi::ShowAviScope avi(Quorvel::MainForm(), AviServerCall, msgPadrao->Msg(QStringLiteral("CadAuto")));
        QVariantList args{FListaFornecedor, allSuppliers, FListaFilial, allBranches,
                          FCdPeriod, FListaRegiao, leadTime};
        AppServerClient::Call(frmFornAt, QStringLiteral("CadAutoAtende"), args);
        TakeBack(args, 0, FListaFornecedor);
        TakeBack(args, 2, FListaFilial);
        TakeBack(args, 4, FCdPeriod);
        TakeBack(args, 5, FListaRegiao);
    }
    QMessageBox success(QMessageBox::Question, tr("Confirmação"),
                        msgPadrao->Msg(QStringLiteral("Sucess")), QMessageBox::Ok, this);
    success.exec();
    accept();
}

// ---- Field text formatters ----------------------------------------------------------
// They run while grids draw, so they never raise: a missing field reads as empty.

void TfrmCadAutRF::qryFornecedorNRINSJURFORNGetText(TField &sender, QString &text, bool)
{
    text = FormattedInscricao(sender, TextOf(sender.DataSet(), "IDTPIJURFORN"));
}

void TfrmCadAutRF::cdsVerReFoRegFORNECEDORGetText(TField &sender, QString &text, bool)
{
    text = FormattedInscricao(sender, TextOf(sender.DataSet(), "IDTPIJURFORN"))
        + QStringLiteral(" - ") + TextOf(sender.DataSet(), "NMFANTFORN");
}
