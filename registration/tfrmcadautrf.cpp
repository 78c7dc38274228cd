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

constexpr quint16 VK_F9 = 120;

// Animation kinds of the host's busy animation.
constexpr Showavi::TShowAvi AviServerCall = 1;
constexpr Showavi::TShowAvi AviListLoad = 6;

// A non-null empty text: binds as '' rather than NULL in a query parameter.
const QString EmptyText = QStringLiteral("");

quint16 VirtualKey(const QKeyEvent *event)
{
    const int key = event->key();
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return quint16(112 + (key - Qt::Key_F1));
    return quint16(key & 0xffff);
}

// Element `index` of an array the server returned.
QVariant ArrayElement(const QVariant &value, int index, const QString &method)
{
    const QVariantList list = value.toList();
    if (value.typeId() != QMetaType::QVariantList || list.size() <= index)
        throw EServerError(QStringLiteral("Resposta inválida do servidor de aplicação em %1: "
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
    , ui(new Ui::TfrmCadAutRF)
{
    ui->setupUi(grbDadosRel);
    AdoptDescription(grbDadosRel);
    resize(266, 260);
    ApplyDescriptionProperties();
    CreateDataComponents();
    WireEvents();
}

TfrmCadAutRF::~TfrmCadAutRF()
{
    delete ui;
}

// Properties of the host's custom controls that the description carries as dynamic
// properties (they are plain members, not Qt properties).
void TfrmCadAutRF::ApplyDescriptionProperties()
{
    // Search glyph; the disabled look comes from the icon's disabled mode.
    const QPixmap searchGlyph = style()->standardPixmap(QStyle::SP_FileDialogContentsView);
    for (TButtonFlat *button : {ui->sbtRegiao, ui->sbtFilial, ui->sbtFornecedor})
        button->SetGlyph(searchGlyph);
    ui->btpFilial->setIcon(searchGlyph);
    for (TMaskEdit *edit : {ui->medCdPeriod, ui->medPrazo})
        edit->SetEditMask(edit->property("EditMask").toString());
    ui->btpFilial->Title = ui->btpFilial->property("Title").toString();
    ui->btpFilial->EmptyError = ui->btpFilial->property("EmptyError").toString();
    ui->btpFilial->PesqChave = ui->btpFilial->property("PesqChave").toBool();
    ui->btpFilial->Associate = ui->medCdPeriod;
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
                                                QStringLiteral("Inscrição"));
    inscricao->OnGetText = [this](TField &sender, QString &text, bool displayText) {
        qryFornecedorNRINSJURFORNGetText(sender, text, displayText);
    };
    qryFornecedor->AddField(QStringLiteral("NMFANTFORN"), TFieldType::String, 40, QStringLiteral("Nome Fantasia"));
    qryFornecedor->AddField(QStringLiteral("NMRAZSOCFORN"), TFieldType::String, 40, QStringLiteral("Razão Social"));
    dtsFornecedor = new TDataSource(this, qryFornecedor);
    dtsFornecedor->setObjectName(QStringLiteral("dtsFornecedor"));

    qryRegiao = new TADOIBQuery(this);
    qryRegiao->setObjectName(QStringLiteral("qryRegiao"));
    qryRegiao->SQL = QStringLiteral("SELECT CDREGIAO, NMREGIAO FROM REGIAO ORDER BY CDREGIAO");
    qryRegiao->AddField(QStringLiteral("CDREGIAO"), TFieldType::String, 3, QStringLiteral("Região"));
    qryRegiao->AddField(QStringLiteral("NMREGIAO"), TFieldType::String, 30, QStringLiteral("Nome"));
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
    qryPesqPeriod->AddField(QStringLiteral("CDPERIENTR"), TFieldType::String, 2, QStringLiteral("Código"));
    qryPesqPeriod->AddField(QStringLiteral("NMPERIENTR"), TFieldType::String, 20, QStringLiteral("Nome"));
    dtsPesqPeriod = new TDataSource(this, qryPesqPeriod);
    dtsPesqPeriod->setObjectName(QStringLiteral("dtsPesqPeriod"));
    ui->btpFilial->DataSource = dtsPesqPeriod;

    cdsVerReFoReg = new TClientDataSet(this);
    cdsVerReFoReg->setObjectName(QStringLiteral("cdsVerReFoReg"));
    cdsVerReFoReg->AddField(QStringLiteral("FILIAL"), TFieldType::String, 37, QStringLiteral("Filial"))->ReadOnly = true;
    cdsVerReFoReg->AddField(QStringLiteral("REGIAO"), TFieldType::String, 36, QStringLiteral("Região"))->ReadOnly = true;
    TField *fornecedor = cdsVerReFoReg->AddField(QStringLiteral("FORNECEDOR"), TFieldType::String, 63,
                                                 QStringLiteral("Fornecedor"));
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
        {"CDFILIAL", "Filial", 4, 8},
        {"NMFILIAL", "Nome da Filial", 30, 30},
        {"CDPAIS", "País", 4, 6},
        {"NMPAIS", "Nome do País", 30, 30},
        {"SGESTADO", "Estado", 2, 4},
        {"NMESTADO", "Nome do Estado", 30, 30},
        {"CDMUNICIPIO", "Município", 4, 6},
        {"NMMUNICIPIO", "Nome do Município", 30, 30},
    };
    for (const BranchField &definition : branchFields) {
        TField *field = cdsPesqFilial->AddField(QLatin1String(definition.name), TFieldType::String, definition.size,
                                                QString::fromUtf8(definition.label));
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
    onSelected(ui->rbtTodasReg, &TfrmCadAutRF::rbtTodasRegClick);
    onSelected(ui->rbtListaReg, &TfrmCadAutRF::rbtListaRegClick);
    onSelected(ui->rbtTFilial, &TfrmCadAutRF::rbtTFilialClick);
    onSelected(ui->rbtLFilial, &TfrmCadAutRF::rbtLFilialClick);
    onSelected(ui->rbtTodos, &TfrmCadAutRF::rbtTodosClick);
    onSelected(ui->rbtLista, &TfrmCadAutRF::rbtListaClick);

    auto onClick = [this](QAbstractButton *button, void (TfrmCadAutRF::*handler)(QObject *)) {
        connect(button, &QAbstractButton::clicked, this, Guard::Wrap(this, [this, button, handler](bool) {
            (this->*handler)(button);
        }));
    };
    onClick(ui->sbtRegiao, &TfrmCadAutRF::sbtRegiaoClick);
    onClick(ui->sbtFilial, &TfrmCadAutRF::sbtFilialClick);
    onClick(ui->sbtFornecedor, &TfrmCadAutRF::sbtFornecedorClick);

    // Key-down handlers of the "Lista" buttons (see eventFilter).
    for (QRadioButton *button : {ui->rbtListaReg, ui->rbtLFilial, ui->rbtLista})
        button->installEventFilter(this);

    for (TMaskEdit *edit : {ui->medCdPeriod, ui->medPrazo}) {
        edit->OnKeyPress = [this, edit](QChar &key) {
            Guard::Run(this, [&] { medCdPeriodKeyPress(edit, key); });
        };
    }
    ui->medCdPeriod->OnExit = [this] {
        Guard::Run(this, [this] { medCdPeriodExit(ui->medCdPeriod); });
    };
    // A lookup whose preparation failed is not opened.
    ui->btpFilial->OnBeforePesq = [this](QObject *sender, bool &cancel) {
        if (!Guard::Run(this, [&] { btpFilialBeforePesq(sender, cancel); }))
            cancel = true;
    };
    ui->btpFilial->OnAfterPesq = [this](QObject *sender) {
        Guard::Run(this, [&] { btpFilialAfterPesq(sender); });
    };
}

bool TfrmCadAutRF::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        void (TfrmCadAutRF::*handler)(QObject *, quint16 &, Qt::KeyboardModifiers) = nullptr;
        if (watched == ui->rbtListaReg)
            handler = &TfrmCadAutRF::rbtListaRegKeyDown;
        else if (watched == ui->rbtLFilial)
            handler = &TfrmCadAutRF::rbtLFilialKeyDown;
        else if (watched == ui->rbtLista)
            handler = &TfrmCadAutRF::rbtListaKeyDown;
        if (handler) {
            const auto *keyEvent = static_cast<QKeyEvent *>(event);
            quint16 key = VirtualKey(keyEvent);
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
    Consiste::SetChildEnabled(ui->grbRegiao, !Quorvel::ModuFili());
    Consiste::SetChildEnabled(ui->grbFilial, !Quorvel::ModuFili());
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
    ui->medPrazo->SetText(QString());
    ui->grbPrazo->setVisible(FUsaPrazo);
}

// ---- Regions ------------------------------------------------------------------------

void TfrmCadAutRF::rbtTodasRegClick(QObject *)
{
    ui->sbtRegiao->setEnabled(false);
    FListaRegiao = QStringLiteral("T");
}

void TfrmCadAutRF::rbtListaRegClick(QObject *)
{
    ui->sbtRegiao->setEnabled(true);
    FListaRegiao.clear();
    if (!Consiste::EmptyString(FListaFilial))
        FListaFilial.clear();
}

void TfrmCadAutRF::rbtListaRegKeyDown(QObject *, quint16 &key, Qt::KeyboardModifiers)
{
    if (key == VK_F9)
        ui->sbtRegiao->Click();
}

void TfrmCadAutRF::sbtRegiaoClick(QObject *)
{
    Pesqlista::PesquisaLista(dtsRegiao, QStringLiteral("CDREGIAO"),
                             SearchTitle(msgPadrao, "REGIAO", "REG_NAO_CAD"), false, FListaRegiao);
}

void TfrmCadAutRF::vd_Regiao()
{
    if (ui->rbtListaReg->isChecked() && Consiste::EmptyString(FListaRegiao))
        Consiste::MensErro(msgPadrao->Msg(QStringLiteral("Reg_D_Inf")), true);
}

// ---- Branches -----------------------------------------------------------------------

void TfrmCadAutRF::rbtTFilialClick(QObject *)
{
    ui->sbtFilial->setEnabled(false);
}

void TfrmCadAutRF::rbtLFilialClick(QObject *)
{
    ui->sbtFilial->setEnabled(true);
}

void TfrmCadAutRF::rbtLFilialKeyDown(QObject *, quint16 &key, Qt::KeyboardModifiers)
{
    if (key == VK_F9)
        ui->sbtFilial->Click();
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
    ui->sbtFornecedor->setEnabled(false);
}

void TfrmCadAutRF::rbtListaClick(QObject *)
{
    ui->sbtFornecedor->setEnabled(true);
}

void TfrmCadAutRF::rbtListaKeyDown(QObject *, quint16 &key, Qt::KeyboardModifiers)
{
    if (key == VK_F9)
        ui->sbtFornecedor->Click();
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
    TMaskEdit *edit = ui->medCdPeriod;
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
    ui->medCdPeriod->SetText(TextOf(qryPesqPeriod, "CDPERIENTR"));
}

// ---- Confirmation -------------------------------------------------------------------

// The lead time typed: 0 when empty. Qt converts without raising, so a text that is
// not a whole number raises here, before anything is sent.
double TfrmCadAutRF::LeadTime() const
{
    const QString text = ui->medPrazo->Text();
    if (Consiste::EmptyString(text))
        return 0;
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok)
        throw EConvertError(QStringLiteral("Prazo para expedição inválido: \"%1\" não é um número.").arg(text));
    return value;
}

void TfrmCadAutRF::sbtConfirmaClick()
{
    vd_Regiao();
    if (ui->rbtLFilial->isChecked() && Consiste::EmptyString(FListaFilial))
        Consiste::MensErro(msgPadrao->Msg(QStringLiteral("Fil_D_Inf")), true);
    if (ui->rbtLista->isChecked() && Consiste::EmptyString(FListaFornecedor))
        Consiste::MensErro(msgPadrao->Msg(QStringLiteral("Forn_D_Inf")), true);
    repaint();
    Vd_CdPerientr();

    const QString allBranches = ui->rbtTFilial->isChecked() ? QStringLiteral("T") : QString();
    const QString allSuppliers = ui->rbtTodos->isChecked() ? QStringLiteral("T") : QString();
    FCdPeriod = ui->medCdPeriod->Text();
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
        QMessageBox question(QMessageBox::Warning, QStringLiteral("Aviso"),
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
    QMessageBox success(QMessageBox::Question, QStringLiteral("Confirmação"),
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
