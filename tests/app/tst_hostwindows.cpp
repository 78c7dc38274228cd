// The host's windows over the registered data, driven from the real main form with key
// and mouse events: "Fornecedores que atendem" (paging, filters as typed) and
// "Execuções" (the scope in words, undoing a run through the application server). The
// data is a real database with the server's schema and sample data — a SQLite file, or
// with HOSTWINDOWS_ENGINE=postgresql a database of a throwaway PostgreSQL cluster, so
// that the same statements are checked on both; the server is a scripted automation
// object that records its calls.

#include "dialoganswerer.h"
#include "fakeappserver.h"
#include "frmprincipal.h"
#include "listwindowsfixture.h"
#include "pairlistmodel.h"
#include "postgrescluster.h"
#include "readconnection.h"
#include "serverdatabase.h"
#include "serverresult.h"

#include "runtime/quorvel.h"
#include "screens/showavi.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace ListWindowsFixture;

namespace {

const QString kServerConnection = QStringLiteral("fixtureServer");
const QString kBase = QStringLiteral("janelas_base");

bool onPostgres()
{
    return qEnvironmentVariable("HOSTWINDOWS_ENGINE") == QLatin1String("postgresql");
}

QSqlDatabase readConnection()
{
    return QSqlDatabase::database(QStringLiteral("adcGeral"));
}

bool exec(const QString &sql, const QVariantList &values = QVariantList())
{
    return Exec(readConnection(), sql, values);
}

int count(const QString &sql)
{
    QSqlQuery query(readConnection());
    return query.exec(sql) && query.next() ? query.value(0).toInt() : -1;
}

// One run in LOGCADAUTO; history null: logged before runs kept their history.
struct RunRow {
    int number;
    QString allSuppliers;   // 'S' / 'N'
    int suppliers;
    QString allBranches;
    int branches;
    QVariant regions;       // DSREGIOES
    QVariant newPairs;      // QTNOVOS
    QVariant replacedPairs; // QTSUBSTITUIDOS
    QVariant undone;        // DTDESFEITO
    QVariant undoneBy;
};

bool insertRun(const RunRow &run)
{
    return exec(QStringLiteral("INSERT INTO LOGCADAUTO (NRLOGCADAUTO, DTEXECUCAO, NMUSUARIO, DSREGIOES, IDTODOSFORN,"
                               " QTFORNECED, IDTODASFIL, QTFILIAL, CDPERIENTR, QTDIASPRAZEXPED, QTPARES, QTNOVOS,"
                               " QTSUBSTITUIDOS, DTDESFEITO, NMUSUDESFEZ)"
                               " VALUES (?, '2026-02-10 14:30:00', 'ana', ?, ?, ?, ?, ?, '07', 3, ?, ?, ?, ?, ?)"),
                {run.number, run.regions, run.allSuppliers, run.suppliers, run.allBranches, run.branches,
                 run.suppliers * run.branches, run.newPairs, run.replacedPairs, run.undone, run.undoneBy});
}

QVariant null()
{
    return QVariant(QMetaType::fromType<QString>());
}

} // namespace

class TestHostWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void pairsOpenFromTheMenuShortcut();
    void scrollingToTheEndReadsEveryPairOnce();
    void filterAsTyped_data();
    void filterAsTyped();
    void filterWhenManyMatch_data();
    void filterWhenManyMatch();
    void typingReadsTheListOnceAfterThePause();
    void filtersCombine();

    void runScopeInWords_data();
    void runScopeInWords();
    void runsPageByNumber();
    void runsWithoutHistoryOrUndoneCannotBeUndone_data();
    void runsWithoutHistoryOrUndoneCannotBeUndone();
    void undoAnsweredNoCallsNothing();
    void undoAnsweredYesCallsTheServerAndRefreshesBothWindows();
    void undoFailureShowsTheMessageAndKeepsTheWindowUsable();

private:
    // The database every test starts from: schema, sample data, the run-history columns
    // and the pairs of the list windows; each test works on a copy of it.
    void makeBaseDatabase();
    void openFreshCopy();
    QWidget *openWindow(Qt::Key key, const char *name);
    QTableView *gridOf(QWidget *window);
    QString labelText(QWidget *window, const char *name);
    // Chooses the row of the run with a click in the grid of "Execuções".
    void chooseRun(QWidget *runs, int number);
    void clickUndo(QWidget *runs);

    QTemporaryDir m_dir;
    PostgresCluster m_cluster;
    int m_databases = 0;
    std::unique_ptr<FakeAppServer> m_server;   // scripted anew for every test
    std::unique_ptr<TfrmPrincipal> m_window;
    std::unique_ptr<DialogAnswerer> m_answerer;
};

void TestHostWindows::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    if (onPostgres()) {
        if (PostgresCluster::binDirectory().isEmpty())
            QSKIP("PostgreSQL não está instalado (scripts/install-deps.sh o instala)");
        QString error;
        QVERIFY2(m_cluster.start(&error), qPrintable(error));
        QVERIFY2(m_cluster.createDatabase(kBase, &error), qPrintable(error));
    }
    makeBaseDatabase();
}

void TestHostWindows::makeBaseDatabase()
{
    if (onPostgres()) {
        appserver::PostgresSettings settings;
        settings.host = m_cluster.socketDirectory();
        settings.port = m_cluster.port();
        settings.database = kBase;
        settings.user = m_cluster.superuser();
        settings.password = m_cluster.password();
        appserver::ServerDatabase::loadSampleData(appserver::ServerDatabase::openPostgres(settings, kServerConnection));
    } else {
        appserver::ServerDatabase::loadSampleData(
            appserver::ServerDatabase::openSqlite(m_dir.filePath(kBase + QStringLiteral(".db")), kServerConnection));
    }
    {
        const QSqlDatabase db = QSqlDatabase::database(kServerConnection);
        QVERIFY(LoadPairs(db));
    }
    appserver::ServerDatabase::close(kServerConnection);
}

void TestHostWindows::openFreshCopy()
{
    const QString name = QStringLiteral("janelas%1").arg(++m_databases);
    if (onPostgres()) {
        {
            const QString admin = QStringLiteral("fixtureAdmin");
            QSqlQuery create(m_cluster.connect(QStringLiteral("postgres"), admin));
            QVERIFY2(create.exec(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(name, kBase)),
                     qPrintable(create.lastError().text()));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fixtureAdmin"));
        PostgresOptions options;
        options.host = m_cluster.socketDirectory();
        options.port = m_cluster.port();
        options.database = name;
        options.user = m_cluster.superuser();
        options.passwordFile = m_cluster.passwordFile();
        ReadConnection::OpenPostgres(options);
    } else {
        // The base was closed: its journal is in the file, which alone is the database.
        const QString base = m_dir.filePath(kBase + QStringLiteral(".db"));
        QVERIFY(!QFile::exists(base + QStringLiteral("-wal")));
        const QString path = m_dir.filePath(name + QStringLiteral(".db"));
        QVERIFY(QFile::copy(base, path));
        ReadConnection::OpenSqlite(path, false);
    }
}

void TestHostWindows::init()
{
    openFreshCopy();
    m_server = std::make_unique<FakeAppServer>();
    m_window = std::make_unique<TfrmPrincipal>(m_server.get());
    Quorvel::SetMainForm(m_window.get());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_answerer = std::make_unique<DialogAnswerer>(QMessageBox::Ok);
}

void TestHostWindows::cleanup()
{
    m_answerer.reset();
    m_window.reset();
    m_server.reset();
    ReadConnection::Close();
}

QWidget *TestHostWindows::openWindow(Qt::Key key, const char *name)
{
    m_window->activateWindow();
    QTest::keyClick(m_window.get(), key, Qt::ControlModifier | Qt::ShiftModifier);
    auto *window = m_window->findChild<QWidget *>(QString::fromLatin1(name));
    if (window && !QTest::qWaitForWindowExposed(window))
        return nullptr;
    return window;
}

QTableView *TestHostWindows::gridOf(QWidget *window)
{
    return window->findChild<QTableView *>();
}

QString TestHostWindows::labelText(QWidget *window, const char *name)
{
    auto *label = window->findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<sem %1>").arg(QLatin1String(name));
}

// ---- Fornecedores que atendem -------------------------------------------------------

void TestHostWindows::pairsOpenFromTheMenuShortcut()
{
    QWidget *pairs = openWindow(Qt::Key_F, "frmConsFornAtende");
    QVERIFY(pairs);
    QCOMPARE(pairs->windowTitle(), QStringLiteral("Fornecedores que atendem"));
    QTableView *grid = gridOf(pairs);
    // The first page, in key order, with the names of supplier, branch, region and
    // periodicity.
    QCOMPARE(grid->model()->rowCount(), 200);
    QVERIFY(grid->model()->canFetchMore(QModelIndex()));
    QStringList first;
    for (int column = 0; column < grid->model()->columnCount(); ++column)
        first << grid->model()->index(0, column).data().toString();
    QCOMPARE(first, (QStringList{"1001", "Distribuidora Nacional", "0001", "Matriz São Paulo", "SE - Sudeste",
                                 "07 - Semanal", "3", "carga", "05/01/2026 08:00"}));
    QCOMPARE(labelText(pairs, "lblTotal"),
             QStringLiteral("Mostrando os primeiros 200 pares; role até o fim da lista para ver mais."));
}

void TestHostWindows::scrollingToTheEndReadsEveryPairOnce()
{
    QWidget *pairs = openWindow(Qt::Key_F, "frmConsFornAtende");
    QVERIFY(pairs);
    QTableView *grid = gridOf(pairs);
    ScrollToEnd(grid);
    const QList<QStringList> listed = ListedPairs(grid->model());
    QCOMPARE(listed.size(), count(QStringLiteral("SELECT COUNT(*) FROM FORNATENDE")));
    for (int row = 1; row < listed.size(); ++row)
        QVERIFY2(listed.at(row - 1) < listed.at(row), qPrintable(listed.at(row).join(QLatin1Char('/'))));
    QCOMPARE(labelText(pairs, "lblTotal"), QStringLiteral("%1 pares").arg(QLocale().toString(listed.size())));
}

void TestHostWindows::filterAsTyped_data()
{
    FilterCaseColumns();
    FilterCaseRows();
}

void TestHostWindows::filterAsTyped()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QStringList, suppliers);
    QFETCH(QStringList, branches);
    QWidget *pairs = openWindow(Qt::Key_F, "frmConsFornAtende");
    QVERIFY(pairs);
    TypeFilter(pairs, field, typed);
    QTableView *grid = gridOf(pairs);
    ScrollToEnd(grid);
    const QList<QStringList> expected = CrossPairs(suppliers, branches);
    QCOMPARE(ListedPairs(grid->model()), expected);
    if (expected.isEmpty())
        QCOMPARE(labelText(pairs, "lblTotal"), QStringLiteral("Nenhum par encontrado."));
    QVERIFY(m_answerer->Messages().isEmpty());   // no error on the way
}

void TestHostWindows::filterWhenManyMatch_data()
{
    FilterCaseColumns();
    FilterCaseRows();
}

void TestHostWindows::filterWhenManyMatch()
{
    // The same cases with no supplier or branch named by code in the statements: the
    // filters go into them as they are, as when more than a thousand match.
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QStringList, suppliers);
    QFETCH(QStringList, branches);
    PairFilter filter;
    (field == QLatin1String("edtFornecedor") ? filter.supplier
     : field == QLatin1String("edtFilial")   ? filter.branch
                                             : filter.region) = typed;
    PairListModel model(PairListModel::DefaultPageSize, 0);
    model.SetFilter(filter);
    model.Reload();
    while (model.canFetchMore(QModelIndex()))
        model.fetchMore(QModelIndex());
    QCOMPARE(ListedPairs(&model), CrossPairs(suppliers, branches));
}

void TestHostWindows::typingReadsTheListOnceAfterThePause()
{
    QWidget *pairs = openWindow(Qt::Key_F, "frmConsFornAtende");
    QVERIFY(pairs);
    QTableView *grid = gridOf(pairs);
    QSignalSpy resets(grid->model(), &QAbstractItemModel::modelReset);
    auto *edit = pairs->findChild<QLineEdit *>(QStringLiteral("edtFornecedor"));
    QTest::keyClicks(edit, QStringLiteral("Atacado"));
    // Nothing read while typing: the key events run no timer.
    QCOMPARE(resets.count(), 0);
    QCOMPARE(grid->model()->rowCount(), 200);
    QTRY_COMPARE(resets.count(), 1);
    QCOMPARE(grid->model()->rowCount(), BranchCodes().size());
    // Enter applies at once.
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(resets.count(), 2);
}

void TestHostWindows::filtersCombine()
{
    QWidget *pairs = openWindow(Qt::Key_F, "frmConsFornAtende");
    QVERIFY(pairs);
    TypeFilter(pairs, QStringLiteral("edtFornecedor"), QStringLiteral("atacado"));
    TypeFilter(pairs, QStringLiteral("edtRegiao"), QStringLiteral("Sul"));
    TypeFilter(pairs, QStringLiteral("edtFilial"), QStringLiteral("loja"));
    QList<QStringList> expected;
    for (int branch = 15; branch <= 22; ++branch)
        expected.append({QStringLiteral("1002"), QStringLiteral("%1").arg(branch, 4, 10, QLatin1Char('0'))});
    QCOMPARE(ListedPairs(gridOf(pairs)->model()), expected);
    QCOMPARE(labelText(pairs, "lblTotal"), QStringLiteral("8 pares"));
}

// ---- Execuções ----------------------------------------------------------------------

void TestHostWindows::chooseRun(QWidget *runs, int number)
{
    QTableView *grid = gridOf(runs);
    for (int row = 0; row < grid->model()->rowCount(); ++row) {
        if (grid->model()->index(row, 0).data().toInt() == number) {
            grid->scrollTo(grid->model()->index(row, 0));
            const QRect cell = grid->visualRect(grid->model()->index(row, 1));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            QCOMPARE(grid->currentIndex().row(), row);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("execução %1 fora da lista").arg(number)));
}

void TestHostWindows::clickUndo(QWidget *runs)
{
    auto *button = runs->findChild<QPushButton *>(QStringLiteral("btnDesfazer"));
    QVERIFY(button);
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestHostWindows::runScopeInWords_data()
{
    QTest::addColumn<QString>("allSuppliers");
    QTest::addColumn<int>("suppliers");
    QTest::addColumn<QString>("allBranches");
    QTest::addColumn<int>("branches");
    QTest::addColumn<QVariant>("regions");
    QTest::addColumn<QString>("words");
    QTest::newRow("todos, lista de filiais, duas regiões")
        << "S" << 30 << "N" << 12 << QVariant("_001_002_") << "Todos os fornecedores × 12 filiais (regiões 001, 002)";
    QTest::newRow("todos e todas, todas as regiões")
        << "S" << 30 << "S" << 40 << QVariant("T")
        << "Todos os fornecedores × todas as 40 filiais (todas as regiões)";
    QTest::newRow("um e uma, uma região")
        << "N" << 1 << "N" << 1 << QVariant("_S_") << "1 fornecedor × 1 filial (região S)";
    QTest::newRow("lista e todas de uma região")
        << "N" << 2 << "S" << 8 << QVariant("_S_") << "2 fornecedores × todas as 8 filiais (região S)";
    QTest::newRow("a única filial") << "S" << 30 << "S" << 1 << QVariant("_N_")
                                    << "Todos os fornecedores × a única filial (região N)";
    QTest::newRow("sem regiões") << "N" << 3 << "N" << 2 << null() << "3 fornecedores × 2 filiais";
    QTest::newRow("muitas regiões") << "N" << 1500 << "N" << 1200 << QVariant("_A_B_C_D_E_F_G_")
                                    << "1.500 fornecedores × 1.200 filiais (regiões A, B, C, D, E e mais 2)";
    QTest::newRow("lista cortada pelo servidor") << "N" << 2 << "N" << 900 << QVariant("_A_B_C_D_E_F_GH...")
                                                 << "2 fornecedores × 900 filiais (regiões A, B, C, D, E e mais de 1)";
}

void TestHostWindows::runScopeInWords()
{
    QFETCH(QString, allSuppliers);
    QFETCH(int, suppliers);
    QFETCH(QString, allBranches);
    QFETCH(int, branches);
    QFETCH(QVariant, regions);
    QFETCH(QString, words);
    QVERIFY(insertRun({7, allSuppliers, suppliers, allBranches, branches, regions, 0, 0, null(), null()}));
    QWidget *runs = openWindow(Qt::Key_E, "frmExecCadAuto");
    QVERIFY(runs);
    QCOMPARE(runs->windowTitle(), QStringLiteral("Execuções"));
    const QAbstractItemModel *model = gridOf(runs)->model();
    QCOMPARE(model->rowCount(), 1);
    QStringList row;
    for (int column = 0; column < model->columnCount(); ++column)
        row << model->index(0, column).data().toString();
    QCOMPARE(row.at(3), words);
    QCOMPARE(row.mid(0, 3), (QStringList{"7", "10/02/2026 14:30", "ana"}));
}

void TestHostWindows::runsPageByNumber()
{
    for (int number = 1; number <= 450; ++number)
        QVERIFY(insertRun({number, "S", 30, "S", 40, QVariant("T"), 1200, 0, null(), null()}));
    QWidget *runs = openWindow(Qt::Key_E, "frmExecCadAuto");
    QVERIFY(runs);
    QTableView *grid = gridOf(runs);
    QCOMPARE(grid->model()->rowCount(), 200);
    ScrollToEnd(grid);
    QCOMPARE(grid->model()->rowCount(), 450);
    for (int row = 0; row < 450; ++row)
        QCOMPARE(grid->model()->index(row, 0).data().toInt(), 450 - row);
    QCOMPARE(labelText(runs, "lblTotal"), QStringLiteral("450 execuções"));
}

void TestHostWindows::runsWithoutHistoryOrUndoneCannotBeUndone_data()
{
    QTest::addColumn<QVariant>("newPairs");
    QTest::addColumn<QVariant>("undone");
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("undoable");
    QTest::newRow("sem histórico") << null() << null() << "Sem histórico" << false;
    QTest::newRow("desfeita") << QVariant(5) << QVariant("2026-02-11 09:15:00")
                              << "Desfeita em 11/02/2026 09:15 por bruno" << false;
    QTest::newRow("com histórico") << QVariant(5) << null() << "Não desfeita" << true;
}

void TestHostWindows::runsWithoutHistoryOrUndoneCannotBeUndone()
{
    QFETCH(QVariant, newPairs);
    QFETCH(QVariant, undone);
    QFETCH(QString, state);
    QFETCH(bool, undoable);
    const QVariant undoneBy = undone.isNull() ? null() : QVariant("bruno");
    const QVariant replaced = newPairs.isNull() ? null() : QVariant(1);
    QVERIFY(insertRun({4, "N", 2, "N", 3, QVariant("_S_"), newPairs, replaced, undone, undoneBy}));
    QWidget *runs = openWindow(Qt::Key_E, "frmExecCadAuto");
    QVERIFY(runs);
    const QAbstractItemModel *model = gridOf(runs)->model();
    QCOMPARE(model->index(0, 7).data().toString(), state);
    QCOMPARE(model->index(0, 5).data().toString(), newPairs.isNull() ? QString() : QStringLiteral("5"));
    auto *button = runs->findChild<QPushButton *>(QStringLiteral("btnDesfazer"));
    QVERIFY(!button->isEnabled());   // nothing chosen yet
    chooseRun(runs, 4);
    QCOMPARE(button->isEnabled(), undoable);
}

void TestHostWindows::undoAnsweredNoCallsNothing()
{
    QVERIFY(insertRun({3, "N", 2, "N", 3, QVariant("_S_"), 6, 0, null(), null()}));
    QWidget *runs = openWindow(Qt::Key_E, "frmExecCadAuto");
    QVERIFY(runs);
    chooseRun(runs, 3);
    m_answerer->SetMessageButton(QMessageBox::No);
    clickUndo(runs);
    QCOMPARE(m_answerer->Messages().size(), 1);
    QVERIFY2(m_answerer->Messages().constFirst().startsWith(
                 QStringLiteral("Desfazer a execução 3, de 10/02/2026 14:30?")),
             qPrintable(m_answerer->Messages().constFirst()));
    QCOMPARE(m_answerer->Icons().constFirst(), QMessageBox::Question);
    QCOMPARE(m_answerer->DefaultButtons().constFirst(), QMessageBox::No);
    QVERIFY(m_server->CallsOf(QStringLiteral("DesfazCadAuto")).isEmpty());
    QCOMPARE(gridOf(runs)->model()->index(0, 7).data().toString(), QStringLiteral("Não desfeita"));
}

void TestHostWindows::undoAnsweredYesCallsTheServerAndRefreshesBothWindows()
{
    // Run 3 registered 1001 at the Southern branches; the server takes it back.
    QVERIFY(insertRun({3, "N", 1, "S", 8, QVariant("_S_"), 8, 0, null(), null()}));
    const QString undoRun3 = QStringLiteral(
        "DELETE FROM FORNATENDE WHERE CDFORNECED = '1001' AND CDFILIAL IN"
        " (SELECT CDFILIAL FROM FILIAL WHERE CDREGIAO = 'S')");
    m_server->Answer(QStringLiteral("DesfazCadAuto"), contracts::okResult(8));
    m_server->OnCall = [&](const QString &method, QVariantList &) {
        if (method != QLatin1String("DesfazCadAuto"))
            return;
        exec(undoRun3);
        exec(QStringLiteral("UPDATE LOGCADAUTO SET DTDESFEITO = '2026-02-12 10:00:00', NMUSUDESFEZ = 'carla'"
                            " WHERE NRLOGCADAUTO = 3"));
    };
    QWidget *pairs = openWindow(Qt::Key_F, "frmConsFornAtende");
    QVERIFY(pairs);
    TypeFilter(pairs, QStringLiteral("edtFornecedor"), QStringLiteral("1001"));
    QCOMPARE(gridOf(pairs)->model()->rowCount(), 40);
    QWidget *runs = openWindow(Qt::Key_E, "frmExecCadAuto");
    QVERIFY(runs);
    chooseRun(runs, 3);
    m_answerer->QueueMessageButtons({QMessageBox::Yes});
    clickUndo(runs);

    const QList<FakeAppServer::Call> calls = m_server->CallsOf(QStringLiteral("DesfazCadAuto"));
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.constFirst().args, QVariantList{3});
    QCOMPARE(calls.constFirst().args.constFirst().metaType(), QMetaType::fromType<int>());
    QVERIFY(calls.constFirst().aviActive);
    QCOMPARE(m_answerer->Messages().size(), 1);   // the question, nothing after it
    QCOMPARE(gridOf(runs)->model()->index(0, 7).data().toString(),
             QStringLiteral("Desfeita em 12/02/2026 10:00 por carla"));
    QCOMPARE(labelText(runs, "lblResultado"), QStringLiteral("Execução 3 desfeita: 8 pares retirados."));
    QVERIFY(!runs->findChild<QPushButton *>(QStringLiteral("btnDesfazer"))->isEnabled());
    // The pairs window, with its filter, follows.
    QCOMPARE(gridOf(pairs)->model()->rowCount(), 32);
    QCOMPARE(labelText(pairs, "lblTotal"), QStringLiteral("32 pares"));
}

void TestHostWindows::undoFailureShowsTheMessageAndKeepsTheWindowUsable()
{
    QVERIFY(insertRun({3, "N", 2, "N", 3, QVariant("_S_"), 6, 0, null(), null()}));
    const QString refusal =
        QStringLiteral("Não é possível desfazer a execução 3: 6 pares foram alterados depois pela execução 5.");
    m_server->AnswerOnce(QStringLiteral("DesfazCadAuto"), contracts::failResult(refusal));
    m_server->Answer(QStringLiteral("DesfazCadAuto"), contracts::okResult(6));
    QWidget *runs = openWindow(Qt::Key_E, "frmExecCadAuto");
    QVERIFY(runs);
    chooseRun(runs, 3);
    m_answerer->QueueMessageButtons({QMessageBox::Yes, QMessageBox::Ok});
    clickUndo(runs);
    QCOMPARE(m_answerer->Messages().size(), 2);
    QCOMPARE(m_answerer->Messages().at(1), refusal);
    QCOMPARE(m_answerer->Icons().at(1), QMessageBox::Critical);
    QVERIFY(m_server->CallsOf(QStringLiteral("DesfazCadAuto")).constFirst().aviActive);
    QVERIFY(!Showavi::ShowAviActive());
    QVERIFY(runs->isVisible());
    QCOMPARE(labelText(runs, "lblResultado"), QString());
    // The window goes on: the same run can be undone once the server takes it.
    m_answerer->QueueMessageButtons({QMessageBox::Yes});
    clickUndo(runs);
    QCOMPARE(m_server->CallsOf(QStringLiteral("DesfazCadAuto")).size(), 2);
    QCOMPARE(labelText(runs, "lblResultado"), QStringLiteral("Execução 3 desfeita: 6 pares retirados."));
}

QTEST_MAIN(TestHostWindows)
#include "tst_hostwindows.moc"
