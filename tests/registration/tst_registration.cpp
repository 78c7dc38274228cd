// The registration screen driven by mouse and keyboard against a scripted server and a
// real SQLite database: description, start-up, selections, periodicity, confirmation
// and branch selection.

#include "screenfixture.h"
#include "fakehttpserver.h"

#include "cli_cmp04702.h"
#include "tfrmcadautrf.h"

#include "httpbody.h"
#include "server/appserverclient.h"
#include "server/httpappserver.h"

#include "data/tadoibquery.h"
#include "data/tclientdataset.h"
#include "data/tfield.h"
#include "runtime/errors.h"
#include "runtime/quorvel.h"
#include "screens/buttons.h"
#include "screens/tmaskedit.h"
#include "screens/qvl_msg.h"
#include "screens/showavi.h"
#include "serverresult.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

const QString RegionRequired = QStringLiteral("Região deve ser informada.");
const QString BranchRequired = QStringLiteral("Filial deve ser informada.");
const QString SupplierRequired = QStringLiteral("Fornecedor deve ser informado.");
const QString PeriodUnknown = QStringLiteral("Periodicidade não cadastrada.");
const QString Success = QStringLiteral("O cadastramento automático foi realizado com sucesso.");
const QString Alert = QStringLiteral(
    "Atenção! Existem filiais atendidas com periodicidade diferenciada. Confirma operação?");

const QString GetParamGeral = QStringLiteral("getParamGeral");
const QString GetFilial = QStringLiteral("getFilial");
const QString GetValid = QStringLiteral("GetValidReForFil");
const QString CadAuto = QStringLiteral("CadAutoAtende");

QVariant Params(const QString &element0)
{
    return contracts::okResult(QVariantList{element0, QStringLiteral("x")});
}

QByteArray NoRows()
{
    return FakeAppServer::BlockingRowsPacket({});
}

QByteArray BlockingRows()
{
    return FakeAppServer::BlockingRowsPacket(
        {{QStringLiteral("0002 - Campinas"), QStringLiteral("002 - Sudeste"), QStringLiteral("12345678000195"),
          QStringLiteral("Alfa"), QStringLiteral("J")}});
}

bool AnimationVisible()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("frmShowAvi") && widget->isVisible())
            return true;
    }
    return false;
}

} // namespace

class TestRegistration : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // Description and start-up
    void description();
    void activationReadsGeneralParameters_data();
    void activationReadsGeneralParameters();
    void activationFailureKeepsLeadTimeGroup_data();
    void activationFailureKeepsLeadTimeGroup();
    void singleBranchMode_data();
    void singleBranchMode();

    // Regions and suppliers
    void regionRadioButtonsKeepTheirPairs();
    void supplierRadioButtonsKeepTheList();
    void searchesWriteSelectionStrings();
    void emptyRegionTableShowsItsMessage();
    void f9OnListaOpensTheGroupSearch_data();
    void f9OnListaOpensTheGroupSearch();
    void supplierTextFormatters();

    // Periodicity
    void periodKeyFilter_data();
    void periodKeyFilter();
    void periodTyping_data();
    void periodTyping();
    void periodLookupOnExit_data();
    void periodLookupOnExit();
    void periodLookupDatabaseError();
    void periodPickedFromLookupList();

    // Confirmation
    void checksStopInOrder_data();
    void checksStopInOrder();
    void argumentsWhenEverythingIsAll();
    void listsKeptAfterSwitchingToAll();
    void leadTimeSentAsNumber();
    void threeWays_data();
    void threeWays();
    void serverWriteBackReachesTheScreen();
    void httpFailuresKeepTheScreenOpen_data();
    void httpFailuresKeepTheScreenOpen();
    void serverFailuresKeepTheScreenOpen_data();
    void serverFailuresKeepTheScreenOpen();

    // Branch selection
    void branchSearchChecksRegionsFirst();
    void branchSearchAsksTheServerAtEveryClick();
    void getFilialFailureKeepsBranchSelection_data();
    void getFilialFailureKeepsBranchSelection();

private:
    // Chooses "Todas" / "Todos" in the three groups.
    void ChooseAll()
    {
        f->Click("rbtTodasReg");
        f->Click("rbtTFilial");
        f->Click("rbtTodos");
    }
    void Confirm() { f->Click("sbtConfirma"); }

    std::unique_ptr<ScreenFixture> f;
};

void TestRegistration::init()
{
    f = std::make_unique<ScreenFixture>();
    QVERIFY(f->database().isOpen());
}

void TestRegistration::cleanup()
{
    f.reset();
    QVERIFY(!Showavi::ShowAviActive());
}

// ---- Description and start-up -------------------------------------------------------

void TestRegistration::description()
{
    TfrmCadAutRF *screen = f->Open();
    QCOMPARE(screen->windowTitle(), QStringLiteral("Cadastramento Automático"));
    QCOMPARE(screen->lblCodTela->text(), QStringLiteral("CMP04702"));
    QCOMPARE(screen->grbDadosRel->title(), QStringLiteral("Fornecedor que Atende"));

    const QList<QPair<const char *, QString>> groups{
        {"grbRegiao", QStringLiteral("Região")}, {"grbFilial", QStringLiteral("Filial")},
        {"GroupBox1", QStringLiteral("Fornecedor")}, {"grbPeriodicidade", QStringLiteral("Periodicidade")},
        {"grbPrazo", QStringLiteral("Prazo para Expedição")}};
    for (const auto &group : groups) {
        auto *box = f->Child<QGroupBox>(group.first);
        QVERIFY2(box, group.first);
        QCOMPARE(box->title(), group.second);
        box->ensurePolished();
        QVERIFY2(box->font().bold(), group.first);
    }
    QVERIFY(f->Child<QGroupBox>("grbPrazo")->isHidden());

    const QList<QPair<const char *, QString>> radios{
        {"rbtTodasReg", QStringLiteral("Todas")}, {"rbtListaReg", QStringLiteral("Lista")},
        {"rbtTFilial", QStringLiteral("Todas")}, {"rbtLFilial", QStringLiteral("Lista")},
        {"rbtTodos", QStringLiteral("Todos")}, {"rbtLista", QStringLiteral("Lista")}};
    for (const auto &radio : radios) {
        auto *button = f->Child<QRadioButton>(radio.first);
        QVERIFY2(button, radio.first);
        QCOMPARE(button->text(), radio.second);
        QCOMPARE(button->isChecked(), radio.second == QLatin1String("Lista"));
        button->ensurePolished();
        QVERIFY2(!button->font().bold(), radio.first);
    }
    for (const char *name : {"sbtRegiao", "sbtFilial", "sbtFornecedor"}) {
        auto *button = f->Child<TButtonFlat>(name);
        QVERIFY2(button && button->isEnabled(), name);
        QCOMPARE(button->toolTip(), QStringLiteral("Pesquisar"));
    }
    auto *lookup = f->Child<TBtnPesquisa>("btpFilial");
    QVERIFY(lookup);
    QCOMPARE(lookup->toolTip(), QStringLiteral("Pesquisar"));
    QCOMPARE(lookup->Title, QStringLiteral("Periodicidade"));
    QCOMPARE(lookup->EmptyError, QStringLiteral("Não há periodicidade cadastrada."));
    QVERIFY(lookup->PesqChave);
    QCOMPARE(lookup->Associate, f->Child<QWidget>("medCdPeriod"));
    QCOMPARE(lookup->DataSource, screen->dtsPesqPeriod);

    auto *period = f->Child<TMaskEdit>("medCdPeriod");
    QCOMPARE(period->maxLength(), 2);
    QVERIFY(period->EditMask().isEmpty());
    QCOMPARE(f->Child<QLabel>("lblCdPeriod")->text(), QStringLiteral("Código"));
    QCOMPARE(f->Child<QLabel>("lblCdPeriod")->buddy(), period);
    auto *leadTime = f->Child<TMaskEdit>("medPrazo");
    QCOMPARE(leadTime->EditMask(), QStringLiteral("999;0; "));
    QCOMPARE(leadTime->maxLength(), 3);
    QVERIFY(leadTime->Text().isEmpty());

    // Focus chain of the controls that take the focus (Qt lets only the focused radio
    // button of a group take Tab, so the chain is checked, not the focus policies).
    QStringList chain;
    QWidget *widget = f->Child<QWidget>("rbtTodasReg");
    do {
        chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != f->Child<QWidget>("rbtTodasReg"));
    const QStringList expected{"rbtTodasReg", "rbtListaReg", "rbtTFilial", "rbtLFilial",
                               "rbtTodos", "rbtLista", "medCdPeriod", "medPrazo"};
    QStringList ours;
    for (const QString &name : chain) {
        if (expected.contains(name))
            ours << name;
    }
    QCOMPARE(ours.join(' '), expected.join(' '));

    const QStringList messages{
        "Fil_D_Inf|Filial deve ser informada.",
        "Forn_D_Inf|Fornecedor deve ser informado.",
        "Sucess|O cadastramento automático foi realizado com sucesso.",
        "FILIAL|Filial",
        "Fil_N_Cad|Não há filial cadastrada.",
        "FORNECEDOR|Fornecedor",
        "FORN_NAO_CAD|Não há fornecedor cadastrado.",
        "CadAuto|Efetuando cadastramento automático no servidor...",
        "PERIODICIDADE|Periodicidade",
        "PERIOD_NAO_CAD|Não há periodicidade cadastrada.",
        "Period_DINF|Periodicidade deve ser informada.",
        "PERIENTR_NCAD|Periodicidade não cadastrada.",
        "msg_Alert|Atenção! Existem filiais atendidas com periodicidade diferenciada. Confirma operação?",
        "REG_NAO_CAD|Não há região cadastrada.",
        "REGIAO|Região",
        "Reg_D_Inf|Região deve ser informada."};
    QCOMPARE(screen->msgPadrao->Lines(), messages);

    // Data components: fields as the searches and the error list show them.
    QCOMPARE(screen->qryFornecedor->FieldByName("CDFORNECED")->Visible, false);
    QCOMPARE(screen->qryFornecedor->FieldByName("IDTPIJURFORN")->Visible, false);
    QCOMPARE(screen->qryFornecedor->FieldByName("NRINSJURFORN")->DisplayLabel, QStringLiteral("Inscrição"));
    QCOMPARE(screen->cdsPesqFilial->FieldByName("CDFILIAL")->DisplayWidth, 8);
    QCOMPARE(screen->cdsPesqFilial->FieldByName("IDCHECK")->DisplayLabel, QStringLiteral(" "));
    for (const char *name : {"FILIAL", "REGIAO", "FORNECEDOR"})
        QVERIFY2(screen->cdsVerReFoReg->FieldByName(QLatin1String(name))->ReadOnly, name);

    // Start state: nothing chosen.
    QVERIFY(screen->ListaRegiao().isEmpty());
    QVERIFY(screen->ListaFilial().isEmpty());
    QVERIFY(screen->ListaFornecedor().isEmpty());
    QVERIFY(screen->CdPeriod().isEmpty());
}

void TestRegistration::activationReadsGeneralParameters_data()
{
    QTest::addColumn<QString>("element0");
    QTest::addColumn<bool>("leadTimeShown");
    QTest::newRow("3: lead time in use") << QStringLiteral("3") << true;
    QTest::newRow("1: not in use") << QStringLiteral("1") << false;
    QTest::newRow("33: not in use") << QStringLiteral("33") << false;
}

void TestRegistration::activationReadsGeneralParameters()
{
    QFETCH(QString, element0);
    QFETCH(bool, leadTimeShown);
    f->server()->Answer(GetParamGeral, Params(element0));
    TfrmCadAutRF *screen = f->Open();
    auto *group = f->Child<QGroupBox>("grbPrazo");
    QCOMPARE(group->isVisible(), leadTimeShown);
    QCOMPARE(screen->UsaPrazo(), leadTimeShown);

    auto *leadTime = f->Child<TMaskEdit>("medPrazo");
    leadTime->SetText(QStringLiteral("45"));
    f->Reactivate();
    QVERIFY(leadTime->Text().isEmpty());   // emptied at every activation
    QCOMPARE(group->isVisible(), leadTimeShown);

    const auto calls = f->server()->CallsOf(GetParamGeral);
    QCOMPARE(calls.size(), 2);
    for (const auto &call : calls) {
        QVERIFY(call.args.isEmpty());
        QVERIFY(call.aviActive);
        QCOMPARE(call.aviKind, 1);
        QCOMPARE(call.aviText, QString());
    }
    QVERIFY(f->answerer().Messages().isEmpty());
}

void TestRegistration::activationFailureKeepsLeadTimeGroup_data()
{
    QTest::addColumn<QVariant>("answer");
    QTest::addColumn<QString>("message");
    QTest::newRow("server failure") << contracts::failResult(QStringLiteral("Servidor indisponível."))
                                    << QStringLiteral("Servidor indisponível.");
    QTest::newRow("no array") << contracts::okResult(QStringLiteral("3"))
                              << QStringLiteral("Resposta inválida do servidor de aplicação");
}

void TestRegistration::activationFailureKeepsLeadTimeGroup()
{
    QFETCH(QVariant, answer);
    QFETCH(QString, message);
    f->server()->Answer(GetParamGeral, Params(QStringLiteral("3")));
    TfrmCadAutRF *screen = f->Open();
    auto *leadTime = f->Child<TMaskEdit>("medPrazo");
    leadTime->SetText(QStringLiteral("12"));

    f->server()->AnswerOnce(GetParamGeral, answer);
    f->Reactivate();

    QCOMPARE(f->answerer().Messages().size(), 1);
    QVERIFY2(f->answerer().Messages().first().startsWith(message), qPrintable(f->answerer().Messages().first()));
    QVERIFY(f->Child<QGroupBox>("grbPrazo")->isVisible());
    QCOMPARE(leadTime->Text(), QStringLiteral("12"));
    QVERIFY(screen->UsaPrazo());
    QVERIFY(!Showavi::ShowAviActive());
    QVERIFY(!AnimationVisible());
    QVERIFY(screen->isVisible());
}

void TestRegistration::singleBranchMode_data()
{
    QTest::addColumn<QString>("branch");
    QTest::addColumn<QString>("regions");
    QTest::newRow("branch with its region") << QStringLiteral("0002") << QStringLiteral("_002_");
    QTest::newRow("branch without a row") << QStringLiteral("0999") << QStringLiteral("__");
}

void TestRegistration::singleBranchMode()
{
    QFETCH(QString, branch);
    QFETCH(QString, regions);
    Quorvel::SetFiliProc(branch);
    TfrmCadAutRF *screen = f->Open();

    QCOMPARE(screen->ListaFilial(), QStringLiteral("_%1_").arg(branch));
    QCOMPARE(screen->ListaRegiao(), regions);
    for (const char *name : {"rbtTodasReg", "rbtListaReg", "sbtRegiao", "rbtTFilial", "rbtLFilial", "sbtFilial"})
        QVERIFY2(!f->Child<QWidget>(name)->isEnabled(), name);
    QVERIFY(f->Child<QRadioButton>("rbtListaReg")->isChecked());
    QVERIFY(f->Child<QRadioButton>("rbtLFilial")->isChecked());
    for (const char *name : {"rbtTodos", "rbtLista", "sbtFornecedor", "medCdPeriod"})
        QVERIFY2(f->Child<QWidget>(name)->isEnabled(), name);

    // The fixed selections pass the checks and reach the server as they are.
    f->Click("rbtTodos");
    f->server()->Answer(GetValid, FakeAppServer::ValidationResult(NoRows(), NoRows()));
    f->server()->Answer(CadAuto, contracts::okResult(true));
    Confirm();
    const auto calls = f->server()->CallsOf(GetValid);
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.first().args.value(2).toString(), QStringLiteral("_%1_").arg(branch));
    QCOMPARE(calls.first().args.value(3).toString(), QString());
    QCOMPARE(calls.first().args.value(4).toString(), regions);
}

// ---- Regions and suppliers ------------------------------------------------------------

void TestRegistration::regionRadioButtonsKeepTheirPairs()
{
    TfrmCadAutRF *screen = f->Open();
    f->Click("rbtTodasReg");
    QCOMPARE(screen->ListaRegiao(), QStringLiteral("T"));
    QVERIFY(!f->Child<QWidget>("sbtRegiao")->isEnabled());

    // "Todas" keeps a branch list picked before.
    f->ChooseBranches({QStringLiteral("0003")});
    QCOMPARE(screen->ListaFilial(), QStringLiteral("_0003_"));
    f->Click("rbtTodasReg");
    QCOMPARE(screen->ListaFilial(), QStringLiteral("_0003_"));

    // Back to "Lista": both strings empty, the search button usable again.
    f->Click("rbtListaReg");
    QVERIFY(screen->ListaRegiao().isEmpty());
    QVERIFY(screen->ListaFilial().isEmpty());
    QVERIFY(f->Child<QWidget>("sbtRegiao")->isEnabled());
}

void TestRegistration::supplierRadioButtonsKeepTheList()
{
    TfrmCadAutRF *screen = f->Open();
    f->ChooseSuppliers({QStringLiteral("F2"), QStringLiteral("F3")});
    const QString chosen = screen->ListaFornecedor();
    QCOMPARE(chosen.size(), 7);   // "_F2_F3_" in the list's order
    QVERIFY(chosen.contains(QLatin1String("_F2_")) && chosen.contains(QLatin1String("_F3_")));

    f->Click("rbtTodos");
    QVERIFY(!f->Child<QWidget>("sbtFornecedor")->isEnabled());
    QCOMPARE(screen->ListaFornecedor(), chosen);
    f->Click("rbtLista");
    QVERIFY(f->Child<QWidget>("sbtFornecedor")->isEnabled());
    QCOMPARE(screen->ListaFornecedor(), chosen);

    // Branch radio buttons only switch their search button.
    f->Click("rbtTFilial");
    QVERIFY(!f->Child<QWidget>("sbtFilial")->isEnabled());
    f->Click("rbtLFilial");
    QVERIFY(f->Child<QWidget>("sbtFilial")->isEnabled());
}

void TestRegistration::searchesWriteSelectionStrings()
{
    TfrmCadAutRF *screen = f->Open();
    QString caption;
    QStringList columns;
    f->answerer().SetDialogHandler([&](QWidget *dialog) {
        caption = dialog->windowTitle();
        auto *grid = dialog->findChild<TDBGrid *>(QStringLiteral("dbgLista"));
        columns.clear();
        for (int i = 0; i < grid->model()->columnCount(); ++i) {
            if (!grid->isColumnHidden(i))
                columns << grid->model()->headerData(i, Qt::Horizontal).toString();
        }
        ScreenFixture::PickInList(dialog, QStringLiteral("CDREGIAO"), {QStringLiteral("002"), QStringLiteral("001")});
    });
    f->Click("sbtRegiao");
    QCOMPARE(caption, QStringLiteral("Região"));
    QCOMPARE(columns, (QStringList{QStringLiteral("Região"), QStringLiteral("Nome")}));
    QCOMPARE(screen->ListaRegiao(), QStringLiteral("_001_002_"));

    f->answerer().SetDialogHandler([&](QWidget *dialog) {
        caption = dialog->windowTitle();
        auto *grid = dialog->findChild<TDBGrid *>(QStringLiteral("dbgLista"));
        columns.clear();
        for (int i = 0; i < grid->model()->columnCount(); ++i) {
            if (!grid->isColumnHidden(i))
                columns << grid->model()->headerData(i, Qt::Horizontal).toString();
        }
        ScreenFixture::PickInList(dialog, QStringLiteral("CDFORNECED"), {QStringLiteral("F2")});
    });
    f->Click("sbtFornecedor");
    QCOMPARE(caption, QStringLiteral("Fornecedor"));
    QCOMPARE(columns, (QStringList{QStringLiteral("Inscrição"), QStringLiteral("Nome Fantasia"),
                                   QStringLiteral("Razão Social")}));
    QCOMPARE(screen->ListaFornecedor(), QStringLiteral("_F2_"));
    // Listed by trade name.
    QCOMPARE(screen->qryFornecedor->FieldByName("NMFANTFORN")->ValueAt(0).toString(), QStringLiteral("Alfa"));
    QCOMPARE(screen->qryFornecedor->FieldByName("NMFANTFORN")->ValueAt(2).toString(), QStringLiteral("Gama"));
    QVERIFY(f->answerer().Messages().isEmpty());
}

void TestRegistration::emptyRegionTableShowsItsMessage()
{
    QVERIFY(f->database().exec(QStringLiteral("DELETE FROM REGIAO")));
    TfrmCadAutRF *screen = f->Open();
    f->Click("sbtRegiao");
    QCOMPARE(f->answerer().Messages(), QStringList{QStringLiteral("Não há região cadastrada.")});
    QVERIFY(screen->ListaRegiao().isEmpty());
}

void TestRegistration::f9OnListaOpensTheGroupSearch_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("caption");
    QTest::newRow("regions") << QStringLiteral("rbtListaReg") << QStringLiteral("Região");
    QTest::newRow("branches") << QStringLiteral("rbtLFilial") << QStringLiteral("Filial");
    QTest::newRow("suppliers") << QStringLiteral("rbtLista") << QStringLiteral("Fornecedor");
}

void TestRegistration::f9OnListaOpensTheGroupSearch()
{
    QFETCH(QString, radio);
    QFETCH(QString, caption);
    f->server()->Answer(GetFilial, contracts::okResult(FakeAppServer::BranchPacket(
                                       {{QStringLiteral("0001"), QStringLiteral("Porto Alegre")}})));
    f->Open();
    if (radio == QLatin1String("rbtLFilial")) {
        // The branch search needs the regions; pick them first and come back.
        f->Click("rbtTodasReg");
    }
    QStringList opened;
    f->answerer().SetDialogHandler([&](QWidget *dialog) {
        opened << dialog->windowTitle();
        dialog->close();
    });
    auto *button = f->Child<QRadioButton>(qPrintable(radio));
    button->setFocus();
    QTest::keyClick(button, Qt::Key_F8);
    QVERIFY(opened.isEmpty());
    QTest::keyClick(button, Qt::Key_F9);
    QCOMPARE(opened, QStringList{caption});
    QVERIFY(button->isChecked());
    QVERIFY(f->answerer().Messages().isEmpty());
}

void TestRegistration::supplierTextFormatters()
{
    TfrmCadAutRF *screen = f->Open();
    screen->qryFornecedor->Open();
    TField *number = screen->qryFornecedor->FieldByName("NRINSJURFORN");
    QCOMPARE(number->DisplayTextAt(0), QStringLiteral("12.345.678/0001-95"));   // Alfa, company
    QCOMPARE(number->DisplayTextAt(1), QStringLiteral("123.456.789-09"));       // Beta, individual

    screen->cdsVerReFoReg->SetData(FakeAppServer::BlockingRowsPacket(
        {{QStringLiteral("0001"), QStringLiteral("001"), QStringLiteral("12345678000195"), QStringLiteral("Alfa"),
          QStringLiteral("J")},
         {QStringLiteral("0002"), QStringLiteral("002"), QStringLiteral("12345678909"), QString(), QStringLiteral("F")},
         {QStringLiteral("0003"), QStringLiteral("002"), QStringLiteral("777"), QStringLiteral("Sem tipo"), QString()}}));
    TField *supplier = screen->cdsVerReFoReg->FieldByName("FORNECEDOR");
    QCOMPARE(supplier->DisplayTextAt(0), QStringLiteral("12.345.678/0001-95 - Alfa"));
    QCOMPARE(supplier->DisplayTextAt(1), QStringLiteral("123.456.789-09 - "));
    QCOMPARE(supplier->DisplayTextAt(2), QStringLiteral("777 - Sem tipo"));
}

// ---- Periodicity ----------------------------------------------------------------------

void TestRegistration::periodKeyFilter_data()
{
    QTest::addColumn<QChar>("typed");
    QTest::addColumn<QChar>("passed");
    QTest::newRow("digit") << QChar(u'7') << QChar(u'7');
    QTest::newRow("upper letter") << QChar(u'Z') << QChar(u'Z');
    QTest::newRow("lower letter") << QChar(u'a') << QChar(u'A');
    QTest::newRow("backspace") << QChar(8) << QChar(8);
    QTest::newRow("enter") << QChar(13) << QChar(13);
    QTest::newRow("percent") << QChar(u'%') << QChar();
    QTest::newRow("blank") << QChar(u' ') << QChar();
    QTest::newRow("accented") << QChar(u'é') << QChar();
    QTest::newRow("underscore") << QChar(u'_') << QChar();
}

void TestRegistration::periodKeyFilter()
{
    QFETCH(QChar, typed);
    QFETCH(QChar, passed);
    TfrmCadAutRF *screen = f->Open();
    QChar key = typed;
    screen->medCdPeriodKeyPress(f->Child<QObject>("medCdPeriod"), key);
    QCOMPARE(key, passed);
}

void TestRegistration::periodTyping_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::newRow("lower case shown upper") << QStringLiteral("medCdPeriod") << QStringLiteral("a") << QStringLiteral("A");
    QTest::newRow("percent dropped") << QStringLiteral("medCdPeriod") << QStringLiteral("%1") << QStringLiteral("1");
    QTest::newRow("blank dropped") << QStringLiteral("medCdPeriod") << QStringLiteral(" b") << QStringLiteral("B");
    QTest::newRow("accent dropped") << QStringLiteral("medCdPeriod") << QStringLiteral("ç2") << QStringLiteral("2");
    QTest::newRow("two at most") << QStringLiteral("medCdPeriod") << QStringLiteral("123") << QStringLiteral("12");
    QTest::newRow("backspace passes") << QStringLiteral("medCdPeriod") << QStringLiteral("12\b") << QStringLiteral("1");
    QTest::newRow("lead time digits only") << QStringLiteral("medPrazo") << QStringLiteral("a1%2") << QStringLiteral("12");
}

void TestRegistration::periodTyping()
{
    QFETCH(QString, field);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    f->server()->Answer(GetParamGeral, Params(QStringLiteral("3")));
    f->Open();
    auto *edit = f->Child<TMaskEdit>(qPrintable(field));
    edit->setFocus();
    for (const QChar c : keys) {
        if (c == QChar(8)) {
            QTest::keyClick(edit, Qt::Key_Backspace);
        } else if (c.unicode() > 127) {
            // A key that produces a character outside ASCII (QTest has no key code for it).
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
        } else {
            QTest::keyClicks(edit, QString(c));
        }
    }
    QCOMPARE(edit->Text(), shown);
}

void TestRegistration::periodLookupOnExit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("normalised");
    QTest::addColumn<bool>("found");
    QTest::newRow("empty: no lookup") << QString() << QString() << true;
    QTest::newRow("single digit") << QStringLiteral("1") << QStringLiteral("01") << true;
    QTest::newRow("single letter") << QStringLiteral("a") << QStringLiteral("0A") << true;
    QTest::newRow("two characters kept") << QStringLiteral("1a") << QStringLiteral("1A") << true;
    QTest::newRow("unknown code") << QStringLiteral("9") << QStringLiteral("09") << false;
    QTest::newRow("unknown letters") << QStringLiteral("zz") << QStringLiteral("ZZ") << false;
}

void TestRegistration::periodLookupOnExit()
{
    QFETCH(QString, typed);
    QFETCH(QString, normalised);
    QFETCH(bool, found);
    TfrmCadAutRF *screen = f->Open();
    auto *edit = f->Child<TMaskEdit>("medCdPeriod");
    f->Type("medCdPeriod", typed);
    QTest::keyClick(edit, Qt::Key_Tab);

    QCOMPARE(edit->Text(), normalised);
    if (found) {
        QVERIFY(f->answerer().Messages().isEmpty());
        QVERIFY(screen->focusWidget() != edit);
        if (!typed.isEmpty())
            QCOMPARE(screen->qryPesqPeriod->FieldByName("CDPERIENTR")->AsString(), normalised);
        else
            QVERIFY(!screen->qryPesqPeriod->Active());
    } else {
        QCOMPARE(f->answerer().Messages(), QStringList{PeriodUnknown});
        QCOMPARE(screen->focusWidget(), edit);
    }
}

void TestRegistration::periodLookupDatabaseError()
{
    TfrmCadAutRF *screen = f->Open();
    QVERIFY(f->database().exec(QStringLiteral("DROP TABLE PERIENTR")));
    auto *edit = f->Child<TMaskEdit>("medCdPeriod");
    f->Type("medCdPeriod", QStringLiteral("1"));
    QTest::keyClick(edit, Qt::Key_Tab);
    QCOMPARE(f->answerer().Messages().size(), 1);
    QVERIFY(f->answerer().Messages().first() != PeriodUnknown);
    QCOMPARE(f->answerer().Icons().first(), QMessageBox::Critical);
    QCOMPARE(screen->focusWidget(), edit);
    QCOMPARE(edit->Text(), QStringLiteral("01"));
}

void TestRegistration::periodPickedFromLookupList()
{
    TfrmCadAutRF *screen = f->Open();
    auto *edit = f->Child<TMaskEdit>("medCdPeriod");
    int listed = 0;
    f->answerer().SetDialogHandler([&](QWidget *dialog) {
        auto *grid = dialog->findChild<TDBGrid *>();
        listed = grid->model()->rowCount();
        grid->setCurrentIndex(grid->model()->index(1, 0));   // "02", ordered by code
        QTest::keyClick(grid, Qt::Key_Return);
    });
    f->Click("btpFilial");
    QCOMPARE(listed, 4);
    QCOMPARE(edit->Text(), QStringLiteral("02"));   // shown at once...
    QCOMPARE(screen->qryPesqPeriod->RecordCount(), 4);   // ...not looked up yet
    screen->activateWindow();   // back from the lookup list
    QVERIFY(QTest::qWaitForWindowActive(screen));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Tab);
    QCOMPARE(screen->qryPesqPeriod->RecordCount(), 1);   // looked up on leaving
    QCOMPARE(edit->Text(), QStringLiteral("02"));
    QVERIFY(f->answerer().Messages().isEmpty());
}

// ---- Confirmation ---------------------------------------------------------------------

void TestRegistration::checksStopInOrder_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("message");
    QTest::newRow("regions") << 1 << RegionRequired;
    QTest::newRow("branches") << 2 << BranchRequired;
    QTest::newRow("suppliers") << 3 << SupplierRequired;
    QTest::newRow("periodicity") << 4 << PeriodUnknown;
    QTest::newRow("lead time") << 5 << QStringLiteral("Prazo para expedição inválido: \"1 2\" não é um número.");
}

void TestRegistration::checksStopInOrder()
{
    QFETCH(int, step);
    QFETCH(QString, message);
    f->server()->Answer(GetParamGeral, Params(QStringLiteral("3")));
    f->Open();
    // Every check before `step` passes; every later one would fail too.
    if (step > 1)
        f->Click("rbtTodasReg");
    if (step > 2)
        f->Click("rbtTFilial");
    if (step > 3)
        f->Click("rbtTodos");
    f->Child<TMaskEdit>("medCdPeriod")->SetText(step > 4 ? QStringLiteral("01") : QStringLiteral("9"));
    auto *leadTime = f->Child<TMaskEdit>("medPrazo");
    leadTime->setFocus();
    QTest::keyClicks(leadTime, QStringLiteral("1"));
    QTest::keyClick(leadTime, Qt::Key_Right);   // leaves a blank between the digits
    QTest::keyClicks(leadTime, QStringLiteral("2"));
    QCOMPARE(leadTime->Text(), QStringLiteral("1 2"));
    f->answerer().Clear();

    Confirm();
    QCOMPARE(f->answerer().Messages(), QStringList{message});
    QVERIFY(f->server()->CallsOf(GetValid).isEmpty());
    QVERIFY(f->server()->CallsOf(CadAuto).isEmpty());
    QVERIFY(f->screen()->isVisible());
    if (step == 5) {
        // Nothing else was shown: the animation never started.
        const auto calls = f->server()->Calls();
        QCOMPARE(calls.size(), f->server()->CallsOf(GetParamGeral).size());
    }
}

void TestRegistration::argumentsWhenEverythingIsAll()
{
    TfrmCadAutRF *screen = f->Open();
    ChooseAll();
    f->server()->Answer(GetValid, FakeAppServer::ValidationResult(NoRows(), NoRows()));
    f->server()->Answer(CadAuto, contracts::okResult(true));
    Confirm();

    const auto valid = f->server()->CallsOf(GetValid);
    QCOMPARE(valid.size(), 1);
    QCOMPARE(valid.first().args, (QVariantList{QString(), QStringLiteral("T"), QString(), QStringLiteral("T"),
                                               QStringLiteral("T")}));
    QVERIFY(valid.first().aviActive);
    QCOMPARE(valid.first().aviKind, 1);
    QCOMPARE(valid.first().aviText, QString());
    const auto registration = f->server()->CallsOf(CadAuto);
    QCOMPARE(registration.size(), 1);
    const QVariantList args = registration.first().args;
    QCOMPARE(args.size(), 7);
    QCOMPARE(args.mid(0, 6), (QVariantList{QString(), QStringLiteral("T"), QString(), QStringLiteral("T"),
                                           QString(), QStringLiteral("T")}));
    QCOMPARE(args.at(6).typeId(), int(QMetaType::Double));
    QCOMPARE(args.at(6).toDouble(), 0.0);
    QVERIFY(registration.first().aviActive);
    QCOMPARE(registration.first().aviKind, 1);
    QCOMPARE(registration.first().aviText, QStringLiteral("Efetuando cadastramento automático no servidor..."));

    QCOMPARE(f->answerer().Messages(), QStringList{Success});
    QCOMPARE(f->answerer().Icons(), QList<QMessageBox::Icon>{QMessageBox::Question});
    QVERIFY(!screen->isVisible());
    QCOMPARE(screen->ModalResult(), int(QDialog::Accepted));
}

void TestRegistration::listsKeptAfterSwitchingToAll()
{
    TfrmCadAutRF *screen = f->Open();
    f->Click("rbtTodasReg");
    f->ChooseBranches({QStringLiteral("0001")});
    f->ChooseSuppliers({QStringLiteral("F1")});
    QCOMPARE(screen->ListaFilial(), QStringLiteral("_0001_"));
    QCOMPARE(screen->ListaFornecedor(), QStringLiteral("_F1_"));
    f->Click("rbtTFilial");
    f->Click("rbtTodos");
    f->Child<TMaskEdit>("medCdPeriod")->SetText(QStringLiteral("A"));
    f->server()->Answer(GetValid, FakeAppServer::ValidationResult(NoRows(), NoRows()));
    f->server()->Answer(CadAuto, contracts::okResult(true));
    Confirm();

    const auto valid = f->server()->CallsOf(GetValid);
    QCOMPARE(valid.size(), 1);
    QCOMPARE(valid.first().args, (QVariantList{QStringLiteral("_F1_"), QStringLiteral("T"), QStringLiteral("_0001_"),
                                               QStringLiteral("T"), QStringLiteral("T")}));
    const auto registration = f->server()->CallsOf(CadAuto);
    QCOMPARE(registration.size(), 1);
    QCOMPARE(registration.first().args.at(4).toString(), QStringLiteral("0A"));   // normalised periodicity
    QCOMPARE(screen->CdPeriod(), QStringLiteral("0A"));
}

void TestRegistration::leadTimeSentAsNumber()
{
    f->server()->Answer(GetParamGeral, Params(QStringLiteral("3")));
    f->Open();
    ChooseAll();
    f->Type("medPrazo", QStringLiteral("007"));
    f->server()->Answer(GetValid, FakeAppServer::ValidationResult(NoRows(), NoRows()));
    f->server()->Answer(CadAuto, contracts::okResult(true));
    Confirm();
    const auto registration = f->server()->CallsOf(CadAuto);
    QCOMPARE(registration.size(), 1);
    QCOMPARE(registration.first().args.at(6), QVariant(7.0));
}

void TestRegistration::threeWays_data()
{
    QTest::addColumn<bool>("blocking");
    QTest::addColumn<bool>("otherPeriodicity");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("errorScreen");
    QTest::addColumn<bool>("question");
    QTest::addColumn<bool>("registered");
    QTest::newRow("both with rows") << true << true << int(QMessageBox::Yes) << true << false << false;
    QTest::newRow("second only, Yes") << false << true << int(QMessageBox::Yes) << false << true << true;
    QTest::newRow("second only, No") << false << true << int(QMessageBox::No) << false << true << false;
    QTest::newRow("both empty") << false << false << int(QMessageBox::Yes) << false << false << true;
}

void TestRegistration::threeWays()
{
    QFETCH(bool, blocking);
    QFETCH(bool, otherPeriodicity);
    QFETCH(int, answer);
    QFETCH(bool, errorScreen);
    QFETCH(bool, question);
    QFETCH(bool, registered);

    f->server()->Answer(GetParamGeral, Params(QStringLiteral("3")));
    TfrmCadAutRF *screen = f->Open();
    ChooseAll();
    f->Type("medPrazo", QStringLiteral("45"));
    f->server()->Answer(GetValid, FakeAppServer::ValidationResult(
                                      blocking ? BlockingRows() : NoRows(),
                                      FakeAppServer::PeriodicityRowsPacket(otherPeriodicity ? 2 : 0)));
    f->server()->Answer(CadAuto, contracts::okResult(true));
    f->answerer().SetMessageButton(QMessageBox::StandardButton(answer));
    int errorRows = -1;
    f->answerer().SetDialogHandler([&](QWidget *dialog) {
        QCOMPARE(dialog->metaObject()->className(), "TfrmErroForneAteFili");
        errorRows = dialog->findChild<TDBGrid *>(QStringLiteral("dbgPadrao"))->model()->rowCount();
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("btnOk")), Qt::LeftButton);
    });
    Confirm();

    QCOMPARE(errorRows, errorScreen ? 1 : -1);
    QCOMPARE(f->answerer().Messages().contains(Alert), question);
    if (question)
        QCOMPARE(f->answerer().Icons().at(f->answerer().Messages().indexOf(Alert)), QMessageBox::Warning);
    QCOMPARE(f->server()->CallsOf(CadAuto).size(), registered ? 1 : 0);
    QCOMPARE(f->answerer().Messages().contains(Success), registered);
    QCOMPARE(screen->isVisible(), !registered);
    QCOMPARE(screen->cdsVerReFoReg->RecordCount(), blocking ? 1 : 0);
    QCOMPARE(screen->cdsVerReForFil->RecordCount(), otherPeriodicity ? 2 : 0);
    // The selections are as they were.
    QCOMPARE(screen->ListaRegiao(), QStringLiteral("T"));
    if (!registered) {
        // The window system gives the activation back to the screen when the error list
        // or the question closes (the offscreen platform leaves that to us): the
        // activation asks for the general parameters anew and empties the lead time.
        screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(screen));
        QTRY_COMPARE(f->server()->CallsOf(GetParamGeral).size(), 2);
        QVERIFY(f->Child<TMaskEdit>("medPrazo")->Text().isEmpty());
    }
}

// Arguments the server writes back reach the screen's selections, and from there the
// calls that follow.
void TestRegistration::serverWriteBackReachesTheScreen()
{
    TfrmCadAutRF *screen = f->Open();
    f->Click("rbtTodasReg");
    f->server()->Answer(GetFilial, contracts::okResult(FakeAppServer::BranchPacket({{"0001", "MATRIZ"}})));
    f->server()->Answer(GetValid, FakeAppServer::ValidationResult(NoRows(), NoRows()));
    f->server()->Answer(CadAuto, contracts::okResult(true));
    f->server()->OnCall = [](const QString &method, QVariantList &args) {
        if (method == GetFilial)
            args[0] = QStringLiteral("_R1_");
        if (method == GetValid) {
            args[0] = QStringLiteral("_V0_");
            args[2] = QStringLiteral("_V2_");
            args[4] = QStringLiteral("_V4_");
        }
        if (method == CadAuto) {
            args[0] = QStringLiteral("_C0_");
            args[2] = QStringLiteral("_C2_");
            args[4] = QStringLiteral("C4");
            args[5] = QStringLiteral("_C5_");
        }
    };
    f->answerer().SetDialogHandler([](QWidget *dialog) { dialog->close(); });
    f->Click("sbtFilial");
    QCOMPARE(screen->ListaRegiao(), QStringLiteral("_R1_"));
    f->Click("rbtTFilial");
    f->Click("rbtTodos");
    Confirm();

    QCOMPARE(f->server()->CallsOf(GetValid).value(0).args.value(4), QVariant(QStringLiteral("_R1_")));
    const QVariantList registered = f->server()->CallsOf(CadAuto).value(0).args;
    QCOMPARE(registered.value(0), QVariant(QStringLiteral("_V0_")));
    QCOMPARE(registered.value(2), QVariant(QStringLiteral("_V2_")));
    QCOMPARE(registered.value(5), QVariant(QStringLiteral("_V4_")));
    QCOMPARE(screen->ListaFornecedor(), QStringLiteral("_C0_"));
    QCOMPARE(screen->ListaFilial(), QStringLiteral("_C2_"));
    QCOMPARE(screen->CdPeriod(), QStringLiteral("C4"));
    QCOMPARE(screen->ListaRegiao(), QStringLiteral("_C5_"));
}

// The screen over a shared server reached by HTTP: the scripted server answers every
// call through the fake automation object, except the call of the row (the validation or
// the registration), which fails the way the row says. The failure reaches the user as
// the screen's usual error; the screen stays open with the user's selections and without
// the busy animation, and the same confirmation goes through once the server answers.
void TestRegistration::httpFailuresKeepTheScreenOpen_data()
{
    using Reply = FakeHttpServer::Reply;
    QTest::addColumn<QString>("failing");
    QTest::addColumn<Reply>("failure");
    QTest::addColumn<QString>("message");
    for (const QString &method : {GetValid, CadAuto}) {
        auto row = [&](const char *name) { return &QTest::addRow("%s: %s", qPrintable(method), name); };
        *row("slow") << method << Reply::Late(3000) << QStringLiteral("não respondeu em 1 segundos");
        *row("no answer at all") << method << Reply::Silent() << QStringLiteral("não respondeu em 1 segundos");
        *row("connection closed") << method << Reply::HangUp() << QStringLiteral("fechou a conexão");
        *row("garbage") << method << Reply::Raw("HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\n???")
                        << QStringLiteral("Resposta ilegível");
        *row("server unavailable")
            << method << Reply::With(503, contracts::http::encodeMessage(QStringLiteral("Banco de dados indisponível.")))
            << QStringLiteral("Banco de dados indisponível.");
    }
}

void TestRegistration::httpFailuresKeepTheScreenOpen()
{
    using Reply = FakeHttpServer::Reply;
    QFETCH(QString, failing);
    QFETCH(Reply, failure);
    QFETCH(QString, message);
    FakeHttpServer http;
    http.SetScript([&](const FakeHttpServer::Request &request) {
        if (request.path == QLatin1String("/api/v1/login"))
            return Reply::With(200, contracts::http::encodeSession({QStringLiteral("t"), 60}));
        const QString method = request.path.section(QLatin1Char('/'), -1);
        if (method == failing)
            return failure;
        QVariantList args = contracts::http::decodeCallRequest(request.body);
        const QVariant result = f->server()->Invoke(method, args);
        return Reply::With(200, contracts::http::encodeCallAnswer({result, args}));
    });
    HttpAppServer client(QUrl(http.BaseUrl()), [](HttpAppServer::Credentials &credentials, const QString &) {
        credentials = {QStringLiteral("ana"), QStringLiteral("segredo")};
        return true;
    });
    client.SetTimeout(1000);
    f->host()->connection()->SetAutomationObject(&client);

    TfrmCadAutRF *screen = f->Open();
    f->answerer().SetDialogHandler([](QWidget *dialog) {
        ScreenFixture::PickInList(dialog, QStringLiteral("CDREGIAO"), {QStringLiteral("001"), QStringLiteral("002")});
    });
    f->Click("sbtRegiao");
    f->ChooseBranches({QStringLiteral("0001"), QStringLiteral("0003")});
    f->ChooseSuppliers({QStringLiteral("F1"), QStringLiteral("F2")});
    f->Child<TMaskEdit>("medCdPeriod")->SetText(QStringLiteral("02"));
    f->server()->Answer(GetValid, FakeAppServer::ValidationResult(NoRows(), NoRows()));
    f->server()->Answer(CadAuto, contracts::okResult(true));
    const QVariantList chosen{QStringLiteral("_F1_F2_"), QString(), QStringLiteral("_0001_0003_"), QString(),
                              QStringLiteral("02"), QStringLiteral("_001_002_")};
    Confirm();

    QCOMPARE(f->answerer().Messages().size(), 1);
    QVERIFY2(f->answerer().Messages().first().contains(message), qPrintable(f->answerer().Messages().first()));
    QCOMPARE(f->answerer().Icons(), QList<QMessageBox::Icon>{QMessageBox::Critical});
    QVERIFY(screen->isVisible());
    QCOMPARE((QVariantList{screen->ListaFornecedor(), QString(), screen->ListaFilial(), QString(), screen->CdPeriod(),
                           screen->ListaRegiao()}),
             chosen);
    QVERIFY(screen->rbtLFilial->isChecked() && !screen->rbtTodos->isChecked());
    QVERIFY(!Showavi::ShowAviActive());
    QVERIFY(!AnimationVisible());
    QVERIFY(f->server()->CallsOf(CadAuto).isEmpty());
    QCOMPARE(http.Requests().last().path, QStringLiteral("/api/v1/call/") + failing);

    // The server answers again: the same confirmation, with the same selections, registers.
    failing.clear();
    f->answerer().Clear();
    Confirm();
    QCOMPARE(f->answerer().Messages(), QStringList{Success});
    QCOMPARE(f->server()->CallsOf(CadAuto).size(), 1);
    QCOMPARE(f->server()->CallsOf(CadAuto).first().args.mid(0, 6), chosen);
    QVERIFY(!screen->isVisible());
}

void TestRegistration::serverFailuresKeepTheScreenOpen_data()
{
    QTest::addColumn<QString>("failing");
    QTest::addColumn<QVariant>("answer");
    QTest::addColumn<QString>("message");
    const QVariant failure = contracts::failResult(QStringLiteral("Falha no servidor."));
    QTest::newRow("validation") << GetValid << failure << QStringLiteral("Falha no servidor.");
    QTest::newRow("registration") << CadAuto << failure << QStringLiteral("Falha no servidor.");
    QTest::newRow("validation, second packet unreadable")
        << GetValid << FakeAppServer::ValidationResult(BlockingRows(), QByteArray("não é um pacote")) << QString();
}

void TestRegistration::serverFailuresKeepTheScreenOpen()
{
    QFETCH(QString, failing);
    QFETCH(QVariant, answer);
    QFETCH(QString, message);
    TfrmCadAutRF *screen = f->Open();
    ChooseAll();
    // Rows from an earlier validation stay when the next one fails.
    screen->cdsVerReForFil->SetData(FakeAppServer::PeriodicityRowsPacket(3));
    f->server()->Answer(GetValid, FakeAppServer::ValidationResult(NoRows(), NoRows()));
    f->server()->Answer(CadAuto, contracts::okResult(true));
    f->server()->Answer(failing, answer);
    Confirm();

    QCOMPARE(f->answerer().Messages().size(), 1);
    if (!message.isEmpty())
        QCOMPARE(f->answerer().Messages().first(), message);
    QCOMPARE(screen->cdsVerReFoReg->RecordCount(), 0);
    QVERIFY(screen->isVisible());
    QVERIFY(!Showavi::ShowAviActive());
    QVERIFY(!AnimationVisible());
    QCOMPARE(f->server()->CallsOf(failing).size(), 1);
    QVERIFY(f->server()->CallsOf(failing).first().aviActive);
    QCOMPARE(screen->cdsVerReForFil->RecordCount(), failing == GetValid ? 3 : 0);
    if (failing == GetValid)
        QVERIFY(f->server()->CallsOf(CadAuto).isEmpty());
}

// ---- Branch selection -----------------------------------------------------------------

void TestRegistration::branchSearchChecksRegionsFirst()
{
    TfrmCadAutRF *screen = f->Open();
    f->Click("sbtFilial");
    QCOMPARE(f->answerer().Messages(), QStringList{RegionRequired});
    QVERIFY(f->server()->CallsOf(GetFilial).isEmpty());
    QVERIFY(screen->ListaFilial().isEmpty());
}

void TestRegistration::branchSearchAsksTheServerAtEveryClick()
{
    TfrmCadAutRF *screen = f->Open();
    f->Click("rbtTodasReg");
    f->ChooseBranches({QStringLiteral("0002"), QStringLiteral("0001")});
    QCOMPARE(screen->ListaFilial(), QStringLiteral("_0001_0002_"));

    QString caption;
    f->answerer().SetDialogHandler([&](QWidget *dialog) {
        caption = dialog->windowTitle();
        dialog->close();   // leaves without confirming
    });
    f->Click("sbtFilial");
    QCOMPARE(caption, QStringLiteral("Filial"));
    QCOMPARE(screen->ListaFilial(), QStringLiteral("_0001_0002_"));

    const auto calls = f->server()->CallsOf(GetFilial);
    QCOMPARE(calls.size(), 2);
    for (const auto &call : calls) {
        QCOMPARE(call.args, QVariantList{QStringLiteral("T")});
        QVERIFY(call.aviActive);
        QCOMPARE(call.aviKind, 6);
    }
    QCOMPARE(screen->cdsPesqFilial->RecordCount(), 3);
}

void TestRegistration::getFilialFailureKeepsBranchSelection_data()
{
    QTest::addColumn<QVariant>("answer");
    QTest::addColumn<QString>("message");
    QTest::newRow("server failure") << contracts::failResult(QStringLiteral("Sem conexão."))
                                    << QStringLiteral("Sem conexão.");
    QTest::newRow("packet without the branch fields")
        << contracts::okResult(FakeAppServer::TextPacket({QStringLiteral("CDFILIAL")}, {{QStringLiteral("0009")}}))
        << QString();
}

void TestRegistration::getFilialFailureKeepsBranchSelection()
{
    QFETCH(QVariant, answer);
    QFETCH(QString, message);
    TfrmCadAutRF *screen = f->Open();
    f->Click("rbtTodasReg");
    f->ChooseBranches({QStringLiteral("0003")});
    QCOMPARE(screen->ListaFilial(), QStringLiteral("_0003_"));

    bool searchOpened = false;
    f->answerer().SetDialogHandler([&](QWidget *dialog) {
        searchOpened = true;
        dialog->close();
    });
    f->server()->AnswerOnce(GetFilial, answer);
    f->Click("sbtFilial");
    QVERIFY(!searchOpened);
    QCOMPARE(f->answerer().Messages().size(), 1);
    if (!message.isEmpty())
        QCOMPARE(f->answerer().Messages().first(), message);
    QCOMPARE(screen->ListaFilial(), QStringLiteral("_0003_"));
    QCOMPARE(screen->cdsPesqFilial->RecordCount(), 3);   // the rows of the last good load
    QVERIFY(!Showavi::ShowAviActive());
    QVERIFY(!AnimationVisible());
    QVERIFY(f->server()->CallsOf(GetFilial).last().aviActive);
}

Q_DECLARE_METATYPE(FakeHttpServer::Reply)

QTEST_MAIN(TestRegistration)
#include "tst_registration.moc"
