// The base screen: the handler guard, the ways of closing, activation, help, the
// adopted screen description, creation through the application's owner.

#include "dialoganswerer.h"
#include "runtime/errors.h"
#include "runtime/quorvel.h"
#include "screens/buttons.h"
#include "screens/consiste.h"
#include "screens/qvl_msg.h"
#include "screens/tfrmrotigeral.h"
#include "runtime/guard.h"
#include "ui_tst_descricao.h"

#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QtTest>

namespace {

// A screen that counts its hooks and fails on request.
class ProbeScreen : public TfrmRotiGeral {
public:
    explicit ProbeScreen(QWidget *parent = nullptr) : TfrmRotiGeral(parent) { ++s_alive; }
    ~ProbeScreen() override { --s_alive; }

    static int s_alive;
    int creates = 0;
    int closes = 0;
    int activations = 0;
    int confirms = 0;
    bool failCreate = false;
    bool failActivate = false;
    bool failClose = false;
    bool refuseClose = false;
    std::function<void()> onConfirm;

    void FormCreate() override
    {
        TfrmRotiGeral::FormCreate();
        ++creates;
        if (failCreate)
            throw EDatabaseError("Tabela REGIAO inexistente.");
    }
    void FormClose(TCloseAction &action) override
    {
        ++closes;
        if (failClose)
            throw EHostError("Não foi possível fechar.");
        if (refuseClose)
            action = TCloseAction::caNone;
        TfrmRotiGeral::FormClose(action);
    }
    void FormActivate() override
    {
        ++activations;
        if (failActivate)
            throw EServerError("Servidor fora do ar.");
    }
    void sbtConfirmaClick() override
    {
        ++confirms;
        if (onConfirm)
            onConfirm();
    }
    using TfrmRotiGeral::AdoptDescription;
};
int ProbeScreen::s_alive = 0;

QString g_helpFile;
int g_helpContext = 0;
void RecordHelp(const QString &file, int context)
{
    g_helpFile = file;
    g_helpContext = context;
}

// Lets queued window-system and posted events through, a bounded number of rounds.
void Settle()
{
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
}

} // namespace

class TestRotiGeral : public QObject {
    Q_OBJECT
private slots:
    void frame_hasTheNamedParts();
    void guard_errorInConfirmShowsMessageAndKeepsScreenOpen();
    void guard_mensErroShowsItsMessageOnce();
    void close_endsTheModalRunNotOk_data();
    void close_endsTheModalRunNotOk();
    void close_acceptRunsFormCloseAndGivesOk();
    void close_caNoneOrErrorKeepsTheScreenOpen();
    void activate_runsOnEachActivationAndAnErrorIsShownOnce();
    void f1_callsTheHelpHook();
    void adoptDescription_takesCodeMessagesAndCaption();
    void description_setUpOnTheMainGroup();
    void guardWrap_connectsToSignalsWithMoreArguments();
    void createForm_ownerAndCreateErrors();
    void quorvel_singleBranchAndMainForm();
    void createForm_withoutOwnerGoesWhenTheApplicationQuits();
};

void TestRotiGeral::frame_hasTheNamedParts()
{
    ProbeScreen screen;
    QCOMPARE(screen.findChild<QLabel *>("lblCodTela"), screen.lblCodTela);
    QCOMPARE(screen.findChild<QGroupBox *>("grbDadosRel"), screen.grbDadosRel);
    QCOMPARE(screen.findChild<QFrame *>("panMenu"), screen.panMenu);
    QVERIFY(screen.panMenu->isAncestorOf(screen.panBotoes));
    QVERIFY(screen.panBotoes->isAncestorOf(screen.sbtConfirma));
    QCOMPARE(screen.sbtConfirma->objectName(), QStringLiteral("sbtConfirma"));
    QCOMPARE(screen.sbtConfirma->toolTip(), QStringLiteral("Confirmar"));
    QCOMPARE(screen.findChild<TMessages *>("msgPadrao"), screen.msgPadrao);
    QCOMPARE(screen.ConfirmControl(), screen.sbtConfirma);
}

void TestRotiGeral::guard_errorInConfirmShowsMessageAndKeepsScreenOpen()
{
    DialogAnswerer answerer;
    ProbeScreen screen;
    bool reachedAfterError = false;
    screen.onConfirm = [&] {
        throw EServerError("Fornecedor deve ser informado.");
        reachedAfterError = true;
    };
    screen.show();
    QTest::mouseClick(screen.sbtConfirma, Qt::LeftButton);
    QCOMPARE(screen.confirms, 1);
    QVERIFY(!reachedAfterError);
    QCOMPARE(answerer.Messages(), QStringList{"Fornecedor deve ser informado."});
    QCOMPARE(answerer.Icons().value(0), QMessageBox::Critical);
    QVERIFY(screen.isVisible());
    QCOMPARE(screen.closes, 0);

    // Errors that are not the library's are reported too; the screen still works.
    screen.onConfirm = [] { throw std::runtime_error("falha interna"); };
    QTest::mouseClick(screen.sbtConfirma, Qt::LeftButton);
    screen.onConfirm = [] { throw 42; };
    QTest::mouseClick(screen.sbtConfirma, Qt::LeftButton);
    QCOMPARE(answerer.Messages().size(), 3);
    QCOMPARE(answerer.Messages().value(1), QStringLiteral("falha interna"));
    QVERIFY(!answerer.Messages().value(2).isEmpty());
    QVERIFY(screen.isVisible());
}

void TestRotiGeral::guard_mensErroShowsItsMessageOnce()
{
    DialogAnswerer answerer;
    ProbeScreen screen;
    bool reachedAfterCheck = false;
    screen.onConfirm = [&] {
        Consiste::MensErro("Região deve ser informada.", true);
        reachedAfterCheck = true;
    };
    screen.show();
    QTest::mouseClick(screen.sbtConfirma, Qt::LeftButton);
    QVERIFY(!reachedAfterCheck);
    QCOMPARE(answerer.Messages(), QStringList{"Região deve ser informada."});
    QVERIFY(screen.isVisible());
}

void TestRotiGeral::close_endsTheModalRunNotOk_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("close button") << "button";
    QTest::newRow("Esc") << "esc";
    QTest::newRow("window close box") << "closebox";
}

void TestRotiGeral::close_endsTheModalRunNotOk()
{
    QFETCH(QString, way);
    ProbeScreen screen;
    DialogAnswerer answerer;
    answerer.SetDialogHandler([&](QWidget *dialog) {
        QCOMPARE(dialog, &screen);
        if (way == "button")
            QTest::mouseClick(screen.sbtFechar, Qt::LeftButton);
        else if (way == "esc")
            QTest::keyClick(&screen, Qt::Key_Escape);
        else
            screen.close();
    });
    const int result = screen.exec();
    QVERIFY(result != QDialog::Accepted);
    QCOMPARE(screen.ModalResult(), result);
    QCOMPARE(screen.closes, 1);
    QVERIFY(!screen.isVisible());
    QVERIFY(answerer.Messages().isEmpty());
}

void TestRotiGeral::close_acceptRunsFormCloseAndGivesOk()
{
    ProbeScreen screen;
    screen.onConfirm = [&] { screen.accept(); };
    DialogAnswerer answerer;
    answerer.SetDialogHandler([&](QWidget *) { QTest::mouseClick(screen.sbtConfirma, Qt::LeftButton); });
    QCOMPARE(screen.exec(), int(QDialog::Accepted));
    QCOMPARE(screen.ModalResult(), 1);
    QCOMPARE(screen.closes, 1);
}

void TestRotiGeral::close_caNoneOrErrorKeepsTheScreenOpen()
{
    ProbeScreen screen;
    screen.refuseClose = true;
    screen.show();
    QTest::keyClick(&screen, Qt::Key_Escape);
    screen.close();
    QVERIFY(screen.isVisible());
    QCOMPARE(screen.closes, 2);

    DialogAnswerer answerer;
    screen.refuseClose = false;
    screen.failClose = true;
    QTest::mouseClick(screen.sbtFechar, Qt::LeftButton);
    QVERIFY(screen.isVisible());
    QCOMPARE(answerer.Messages(), QStringList{"Não foi possível fechar."});

    screen.failClose = false;
    QTest::mouseClick(screen.sbtFechar, Qt::LeftButton);
    QVERIFY(!screen.isVisible());
    QCOMPARE(screen.closes, 4);
}

void TestRotiGeral::activate_runsOnEachActivationAndAnErrorIsShownOnce()
{
    ProbeScreen screen;
    screen.show();
    screen.activateWindow();
    QTRY_COMPARE(screen.activations, 1);

    // Back from another window of the application: activation runs again.
    QWidget elsewhere;
    elsewhere.show();
    auto activate = [](QWidget *window) {
        window->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), window);
    };
    activate(&elsewhere);
    activate(&screen);
    QCOMPARE(screen.activations, 2);

    // A failing activation shows its error; the screen becoming active again when the
    // error box closes does not run the activation again (it would fail and show the
    // box again, without end).
    DialogAnswerer answerer;
    screen.failActivate = true;
    activate(&elsewhere);
    screen.activateWindow();
    QTRY_COMPARE(answerer.Messages().size(), 1);
    QTRY_COMPARE(QApplication::activeWindow(), &screen);
    Settle();
    QCOMPARE(answerer.Messages(), QStringList{"Servidor fora do ar."});
    QCOMPARE(screen.activations, 3);
    QVERIFY(screen.isVisible());

    // The next real return to the screen runs it again.
    screen.failActivate = false;
    activate(&elsewhere);
    activate(&screen);
    QCOMPARE(screen.activations, 4);

    // So does the return from a message that another handler showed over the screen.
    screen.onConfirm = [] { throw EHostError("Região deve ser informada."); };
    QTest::mouseClick(screen.sbtConfirma, Qt::LeftButton);
    QTRY_COMPARE(screen.activations, 5);
    QCOMPARE(answerer.Messages().last(), QStringLiteral("Região deve ser informada."));
}

void TestRotiGeral::f1_callsTheHelpHook()
{
    Quorvel::SetHelpHook(&RecordHelp);
    ProbeScreen screen;
    screen.HelpFile = "SUPHELP.HLP";
    screen.HelpContext = 12801716;
    screen.show();
    QTest::keyClick(&screen, Qt::Key_F1);
    QCOMPARE(g_helpFile, QStringLiteral("SUPHELP.HLP"));
    QCOMPARE(g_helpContext, 12801716);
    QVERIFY(screen.isVisible());
    Quorvel::SetHelpHook(nullptr);
}

void TestRotiGeral::adoptDescription_takesCodeMessagesAndCaption()
{
    ProbeScreen screen;
    // What a derived screen's setupUi(grbDadosRel) leaves on the group.
    QGroupBox *content = screen.grbDadosRel;
    content->setObjectName("grbConteudo");
    content->setWindowTitle("Cadastramento Automático");
    content->setProperty("codTela", "CMP04702");
    content->setProperty("msgPadrao", QStringList{"REGIAO|Região", "Sucess|Cadastro efetuado."});
    screen.AdoptDescription(content);

    QCOMPARE(screen.lblCodTela->text(), QStringLiteral("CMP04702"));
    QCOMPARE(screen.msgPadrao->Msg("Sucess"), QStringLiteral("Cadastro efetuado."));
    QCOMPARE(screen.windowTitle(), QStringLiteral("Cadastramento Automático"));
    QCOMPARE(screen.grbDadosRel->objectName(), QStringLiteral("grbDadosRel"));
}

void TestRotiGeral::description_setUpOnTheMainGroup()
{
    // A derived screen's description, set up as a derived screen does.
    ProbeScreen screen;
    Ui::TstDescricao ui;
    ui.setupUi(screen.grbDadosRel);
    screen.AdoptDescription(screen.grbDadosRel);

    QCOMPARE(screen.grbDadosRel->objectName(), QStringLiteral("grbDadosRel"));
    QCOMPARE(screen.grbDadosRel->title(), QStringLiteral("Fornecedor que Atende"));
    QCOMPARE(screen.lblCodTela->text(), QStringLiteral("CMP04702"));
    QCOMPARE(screen.windowTitle(), QStringLiteral("Cadastramento Automático"));
    QCOMPARE(screen.msgPadrao->Msg("Reg_D_Inf"), QStringLiteral("Região deve ser informada."));
    QCOMPARE(ui.medPrazo->EditMask(), QStringLiteral("999;0; "));
    QCOMPARE(ui.medPrazo->Text(), QString());
    QVERIFY(ui.medCdPeriod->UpperCase);
    QCOMPARE(ui.medCdPeriod->maxLength(), 2);
    QCOMPARE(ui.btpFilial->Title, QStringLiteral("Periodicidade"));
    QCOMPARE(ui.btpFilial->EmptyError, QStringLiteral("Não há periodicidade cadastrada."));
    QVERIFY(ui.btpFilial->PesqChave);
    QCOMPARE(ui.sbtRegiao->toolTip(), QStringLiteral("Pesquisar"));

    // The main group's title is bold, its content is not.
    screen.show();
    QVERIFY(screen.grbDadosRel->font().bold());
    QVERIFY(!ui.medPrazo->font().bold());
}

void TestRotiGeral::guardWrap_connectsToSignalsWithMoreArguments()
{
    DialogAnswerer answerer;
    ProbeScreen screen;
    screen.show();
    int runs = 0;
    connect(screen.sbtFechar, &QAbstractButton::clicked, &screen, Guard::Wrap(&screen, [&runs] {
                ++runs;
                throw EHostError("Erro no botão.");
            }));
    bool checkedSeen = true;
    connect(screen.sbtConfirma, &QAbstractButton::clicked, &screen,
            Guard::Wrap(&screen, [&checkedSeen](bool checked) { checkedSeen = checked; }));
    screen.refuseClose = true;   // the close button's own reject stays without effect
    QTest::mouseClick(screen.sbtFechar, Qt::LeftButton);
    QTest::mouseClick(screen.sbtConfirma, Qt::LeftButton);
    QCOMPARE(runs, 1);
    QVERIFY(!checkedSeen);
    QCOMPARE(answerer.Messages(), QStringList{"Erro no botão."});
}

void TestRotiGeral::createForm_ownerAndCreateErrors()
{
    QMainWindow mainForm;
    Quorvel::SetMainForm(&mainForm);
    ProbeScreen *screen = CreateForm<ProbeScreen>();
    QCOMPARE(screen->parent(), &mainForm);
    QCOMPARE(screen->creates, 1);
    QCOMPARE(ProbeScreen::s_alive, 1);

    // An error in the create handling reaches the creator; the half-made screen goes.
    struct FailingScreen : ProbeScreen {
        explicit FailingScreen(QWidget *parent) : ProbeScreen(parent) { failCreate = true; }
    };
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, CreateForm<FailingScreen>());
    QCOMPARE(ProbeScreen::s_alive, 1);

    Quorvel::SetMainForm(nullptr);
    delete screen;
    QCOMPARE(ProbeScreen::s_alive, 0);
}

void TestRotiGeral::quorvel_singleBranchAndMainForm()
{
    Quorvel::SetFiliProc("0007");
    QVERIFY(Quorvel::ModuFili());
    QCOMPARE(Quorvel::FiliProc(), QStringLiteral("0007"));
    Quorvel::SetFiliProc(QString());
    QVERIFY(!Quorvel::ModuFili());

    // Without a main form set, the first visible main window stands in.
    QVERIFY(!Quorvel::MainForm());
    QMainWindow window;
    QVERIFY(!Quorvel::MainForm());
    window.show();
    QCOMPARE(Quorvel::MainForm(), &window);
    {
        QMainWindow set;
        Quorvel::SetMainForm(&set);
        QCOMPARE(Quorvel::MainForm(), &set);
    }
    QCOMPARE(Quorvel::MainForm(), &window);   // the set form was destroyed
}

void TestRotiGeral::createForm_withoutOwnerGoesWhenTheApplicationQuits()
{
    // Last test: it runs the application's event loop to its end.
    QVERIFY(!Quorvel::MainForm());
    QPointer<ProbeScreen> screen = CreateForm<ProbeScreen>();
    QVERIFY(screen && !screen->parent());
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    QVERIFY(!screen);
    QCOMPARE(ProbeScreen::s_alive, 0);
}

QTEST_MAIN(TestRotiGeral)
#include "tst_rotigeral.moc"
