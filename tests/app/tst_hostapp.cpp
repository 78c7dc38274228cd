// The host application end to end: the real main form, the module loaded from its file
// at run time exactly as pkg-host loads it (this program does not link the module, so it
// knows the module's screens only by class name), the in-process server on a SQLite file
// with the sample data. The screens are driven with real clicks and keys; dialogs are
// answered as a user would.

#include "dialoganswerer.h"
#include "hostdriving.h"
#include "frmprincipal.h"
#include "hostsession.h"
#include "localappserver.h"
#include "runtime/moduleloader.h"
#include "runtime/quorvel.h"

#include "data/tdataset.h"
#include "data/tdatasource.h"
#include "data/tdbgrid.h"

#include <QAbstractButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

int scalar(const QString &sql)
{
    QSqlQuery q(QSqlDatabase::database(QStringLiteral("adcGeral")));
    if (!q.exec(sql) || !q.next())
        return -1;
    return q.value(0).toInt();
}

} // namespace

class TestHostApp : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void cleanRegistrationWritesPairsAndReportsSuccess();
    void blockedRegistrationListsRowsAndWritesNothing();
    void registeredPairsAskBeforeReplacing_data();
    void registeredPairsAskBeforeReplacing();

private:
    // Opens the screen from the keyboard shortcut; `drive` runs once the screen is up
    // (from the event loop, so that the screen's own dialogs can open).
    void launch(const std::function<void(QWidget *)> &drive);

    QTemporaryDir m_dir;
    std::unique_ptr<HostSession> m_session;
    ModuleLoader m_module;
    std::unique_ptr<TfrmPrincipal> m_window;
    std::unique_ptr<DialogAnswerer> m_answerer;
    // What the list searches pick next, by key field.
    QMap<QString, QStringList> m_picks;
    int m_errorRows = -1;
    int m_runs = 0;
};

void TestHostApp::init()
{
    QVERIFY(m_dir.isValid());
    // A fresh database with the sample data for every test.
    m_session = std::make_unique<HostSession>(m_dir.filePath(QStringLiteral("host%1.db").arg(++m_runs)));
    m_window = std::make_unique<TfrmPrincipal>(m_session->Server());
    Quorvel::SetMainForm(m_window.get());
    QVERIFY2(m_module.Load(qEnvironmentVariable("MODULE_DIR") + QLatin1Char('/') + QLatin1String(ModuleAbi::FileName)),
             qPrintable(m_module.ErrorString()));
    m_window->SetModule(&m_module);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_answerer = std::make_unique<DialogAnswerer>(QMessageBox::Ok);
    m_errorRows = -1;
}

void TestHostApp::cleanup()
{
    m_answerer.reset();
    m_window.reset();
    m_module.Unload();
    m_session.reset();
}

void TestHostApp::launch(const std::function<void(QWidget *)> &drive)
{
    m_answerer->SetDialogHandler([this, drive](QWidget *dialog) {
        if (dialog->inherits("TfrmCadAutRF")) {
            QTimer::singleShot(0, dialog, [dialog, drive] { drive(dialog); });
        } else if (dialog->inherits("TfrmErroForneAteFili")) {
            QTimer::singleShot(0, dialog, [this, errors = dialog] {
                m_errorRows = errors->findChild<TDBGrid *>(QStringLiteral("dbgPadrao"))->model()->rowCount();
                QTest::keyClick(errors, Qt::Key_Return);
            });
        } else if (dialog->objectName() == QLatin1String("frmPesquisaLista")) {
            QTimer::singleShot(0, dialog, [this, dialog] {
                const auto *grid = dialog->findChild<TDBGrid *>(QStringLiteral("dbgLista"));
                TDataSet *dataSet = grid->DataSource()->DataSet();
                const QString key = dataSet->FindField(QStringLiteral("CDREGIAO")) ? QStringLiteral("CDREGIAO")
                                                                                   : QStringLiteral("CDFORNECED");
                PickInListSearch(dialog, key, m_picks.value(key));
            });
        }
    });
    QTest::keyClick(m_window.get(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
}

void TestHostApp::cleanRegistrationWritesPairsAndReportsSuccess()
{
    // South only, every branch there, suppliers 1001 (serves all) and 1002 (South and
    // Southeast): nothing blocks and none of these pairs exists yet.
    m_picks = {{"CDREGIAO", {"S"}}, {"CDFORNECED", {"1001", "1002"}}};
    const int before = scalar("SELECT COUNT(*) FROM FORNATENDE");
    launch([](QWidget *screen) {
        ClickNamed(screen, "sbtRegiao");
        ClickNamed(screen, "rbtTFilial");
        ClickNamed(screen, "sbtFornecedor");
        ClickNamed(screen, "sbtConfirma");
    });
    QCOMPARE(m_answerer->Messages(), QStringList{"O cadastramento automático foi realizado com sucesso."});
    QCOMPARE(scalar("SELECT COUNT(*) FROM FORNATENDE") - before, 16);
    QCOMPARE(scalar("SELECT COUNT(*) FROM FORNATENDE F JOIN FILIAL L ON L.CDFILIAL = F.CDFILIAL "
                    "WHERE L.CDREGIAO = 'S' AND F.CDFORNECED IN ('1001', '1002')"), 16);
}

void TestHostApp::blockedRegistrationListsRowsAndWritesNothing()
{
    // Supplier 1003 serves only the Southeast: the five Northern branches block.
    m_picks = {{"CDREGIAO", {"N"}}, {"CDFORNECED", {"1003"}}};
    const int before = scalar("SELECT COUNT(*) FROM FORNATENDE");
    launch([](QWidget *screen) {
        ClickNamed(screen, "sbtRegiao");
        ClickNamed(screen, "rbtTFilial");
        ClickNamed(screen, "sbtFornecedor");
        ClickNamed(screen, "sbtConfirma");
        QTest::keyClick(screen, Qt::Key_Escape);   // the screen stayed open; leave it
    });
    QCOMPARE(m_errorRows, 5);
    QVERIFY(m_answerer->Messages().isEmpty());
    QCOMPARE(scalar("SELECT COUNT(*) FROM FORNATENDE"), before);
}

void TestHostApp::registeredPairsAskBeforeReplacing_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("periodicity");
    QTest::newRow("yes replaces") << int(QMessageBox::Yes) << "01";
    QTest::newRow("no keeps") << int(QMessageBox::No) << "07";
}

void TestHostApp::registeredPairsAskBeforeReplacing()
{
    QFETCH(int, answer);
    QFETCH(QString, periodicity);
    // 1002 already serves 0001 and 0002 with periodicity 07 in the sample data.
    m_picks = {{"CDREGIAO", {"SE"}}, {"CDFORNECED", {"1002"}}};
    m_answerer->SetMessageButton(QMessageBox::StandardButton(answer));
    launch([](QWidget *screen) {
        ClickNamed(screen, "sbtRegiao");
        ClickNamed(screen, "rbtTFilial");
        ClickNamed(screen, "sbtFornecedor");
        auto *period = screen->findChild<QWidget *>(QStringLiteral("medCdPeriod"));
        period->setFocus();
        QTest::keyClicks(period, "01");
        ClickNamed(screen, "sbtConfirma");
        if (screen->isVisible())
            QTest::keyClick(screen, Qt::Key_Escape);
    });
    QVERIFY(!m_answerer->Messages().isEmpty());
    QCOMPARE(m_answerer->Messages().first(),
             QString("Atenção! Existem filiais atendidas com periodicidade diferenciada. Confirma operação?"));
    QCOMPARE(scalar("SELECT COUNT(*) FROM FORNATENDE WHERE CDFORNECED = '1002' AND CDFILIAL IN ('0001', '0002') "
                    "AND CDPERIENTR = '" + periodicity + "'"), 2);
}

QTEST_MAIN(TestHostApp)
#include "tst_hostapp.moc"
