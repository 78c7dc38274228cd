// The list searches over a real SQLite database: PesquisaLista (marks returned in the
// selection-string form) and the lookup button TBtnPesquisa, both driven with real key
// and mouse events on their modal lists.

#include "dialoganswerer.h"
#include "screens/buttons.h"
#include "screens/tmaskedit.h"
#include "screens/pesqlista.h"

#include "data/tadoibquery.h"
#include "data/tdatasource.h"
#include "data/tdbgrid.h"
#include "data/tfield.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVBoxLayout>
#include <QtTest>

namespace {

TDBGrid *ListGrid(QWidget *dialog)
{
    return dialog ? dialog->findChild<TDBGrid *>(QStringLiteral("dbgLista")) : nullptr;
}

QModelIndex CellOf(TDBGrid *grid, int row)
{
    int column = 0;
    while (grid->isColumnHidden(column))
        ++column;
    return grid->model()->index(row, column);
}

void ClickRow(TDBGrid *grid, int row)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(CellOf(grid, row)).center());
}

void DoubleClickRow(TDBGrid *grid, int row)
{
    const QPoint at = grid->visualRect(CellOf(grid, row)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

const QString RegionTitle = QStringLiteral("Região|Região não cadastrada.");

} // namespace

class TestPesquisa : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void lista_returnsMarksInRowOrder();
    void lista_preMarksTheIncomingCodes();
    void lista_preMarksWhatTheTextNames_data();
    void lista_preMarksWhatTheTextNames();
    void lista_escapeLeavesTheSelection();
    void lista_confirmedWithNothingMarkedGivesEmpty();
    void lista_searchBoxMovesToTheTypedText();
    void lista_emptyListShowsTheTextFromTheTitle();
    void lista_locateAll();

    void lookup_beforeListPickAfter_data();
    void lookup_beforeListPickAfter();
    void lookup_escapeRunsNoAfter();
    void lookup_emptyShowsEmptyError();
    void lookup_cancelledByBefore();
    void flatButton_clickRunsTheHandlerWhenEnabled();

private:
    TADOIBQuery *m_regions = nullptr;
    TDataSource *m_regionSource = nullptr;
    DialogAnswerer *m_answerer = nullptr;
    int m_lists = 0;
};

void TestPesquisa::initTestCase()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                QString::fromLatin1(TADOIBQuery::ConnectionName));
    db.setDatabaseName(QStringLiteral(":memory:"));
    QVERIFY(db.open());
    QSqlQuery sql(db);
    const QStringList statements = {
        "CREATE TABLE REGIAO (CDREGIAO VARCHAR(4) PRIMARY KEY, NMREGIAO VARCHAR(30))",
        "INSERT INTO REGIAO VALUES ('A', 'Norte'), ('B', 'Sul'), ('C', 'Leste')",
        "CREATE TABLE PERIENTR (CDPERIENTR VARCHAR(2) PRIMARY KEY, NMPERIENTR VARCHAR(30))",
        "INSERT INTO PERIENTR VALUES ('01', 'Semanal'), ('02', 'Quinzenal'), ('0A', 'Mensal')",
        "CREATE TABLE VAZIA (CODIGO VARCHAR(2), NOME VARCHAR(30))",
    };
    for (const QString &statement : statements)
        QVERIFY2(sql.exec(statement), qPrintable(sql.lastError().text()));
}

void TestPesquisa::init()
{
    m_regions = new TADOIBQuery;
    m_regions->SQL = "SELECT CDREGIAO, NMREGIAO FROM REGIAO ORDER BY CDREGIAO";
    m_regionSource = new TDataSource(nullptr, m_regions);
    m_answerer = new DialogAnswerer;
    m_lists = 0;
}

void TestPesquisa::cleanup()
{
    delete m_answerer;
    delete m_regionSource;
    delete m_regions;
}

void TestPesquisa::lista_returnsMarksInRowOrder()
{
    m_answerer->SetDialogHandler([this](QWidget *dialog) {
        ++m_lists;
        QCOMPARE(dialog->objectName(), QStringLiteral("frmPesquisaLista"));
        QCOMPARE(dialog, Pesqlista::ActiveList());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Região"));
        TDBGrid *grid = ListGrid(dialog);
        ClickRow(grid, 1);                        // B by mouse
        QTest::keyClick(grid, Qt::Key_Up);
        QTest::keyClick(grid, Qt::Key_Space);     // A by keyboard
        QTest::keyClick(grid, Qt::Key_Return);
    });
    QString selection;
    QVERIFY(!m_regions->Active());
    QVERIFY(Pesqlista::PesquisaLista(m_regionSource, "CDREGIAO", RegionTitle, false, selection));
    QCOMPARE(m_lists, 1);
    QCOMPARE(selection, QStringLiteral("_A_B_"));
    QVERIFY(m_regions->Active());   // the search opened the closed query
    QVERIFY(!Pesqlista::ActiveList());
}

void TestPesquisa::lista_preMarksTheIncomingCodes()
{
    m_answerer->SetDialogHandler([](QWidget *dialog) {
        TDBGrid *grid = ListGrid(dialog);
        ClickRow(grid, 0);   // A was marked: unmark it
        QTest::mouseClick(dialog->findChild<QPushButton *>("btnOk"), Qt::LeftButton);
    });
    QString selection = "_A_C_";
    QVERIFY(Pesqlista::PesquisaLista(m_regionSource, "CDREGIAO", RegionTitle, false, selection));
    QCOMPARE(selection, QStringLiteral("_C_"));
}

void TestPesquisa::lista_preMarksWhatTheTextNames_data()
{
    QTest::addColumn<QString>("incoming");
    QTest::addColumn<QString>("confirmed");
    QTest::newRow("a list") << "_A_C_" << "_A_C_";
    QTest::newRow("codes in any order come back in row order") << "_C_A_" << "_A_C_";
    QTest::newRow("a run inside a text without the list form") << "A_B_" << "_B_";
    QTest::newRow("T names no region row") << "T" << "";
    QTest::newRow("codes keep their letter case") << "_a_b_" << "";
}

// Pre-marking reads the incoming text by the substring rule: a row starts marked when
// "_" + its key + "_" occurs in the text. Confirming at once gives the marks back.
void TestPesquisa::lista_preMarksWhatTheTextNames()
{
    QFETCH(QString, incoming);
    QFETCH(QString, confirmed);
    m_answerer->SetDialogHandler([](QWidget *dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton *>("btnOk"), Qt::LeftButton);
    });
    QString selection = incoming;
    QVERIFY(Pesqlista::PesquisaLista(m_regionSource, "CDREGIAO", RegionTitle, false, selection));
    QCOMPARE(selection, confirmed);
}

void TestPesquisa::lista_escapeLeavesTheSelection()
{
    m_answerer->SetDialogHandler([](QWidget *dialog) {
        TDBGrid *grid = ListGrid(dialog);
        ClickRow(grid, 0);
        ClickRow(grid, 2);
        QTest::keyClick(grid, Qt::Key_Escape);
    });
    QString selection = "_B_";
    QVERIFY(!Pesqlista::PesquisaLista(m_regionSource, "CDREGIAO", RegionTitle, false, selection));
    QCOMPARE(selection, QStringLiteral("_B_"));
}

void TestPesquisa::lista_confirmedWithNothingMarkedGivesEmpty()
{
    m_answerer->SetDialogHandler([](QWidget *dialog) {
        ClickRow(ListGrid(dialog), 1);   // unmark the only mark
        QTest::mouseClick(dialog->findChild<QPushButton *>("btnOk"), Qt::LeftButton);
    });
    QString selection = "_B_";
    QVERIFY(Pesqlista::PesquisaLista(m_regionSource, "CDREGIAO", RegionTitle, false, selection));
    QCOMPARE(selection, QString());
}

void TestPesquisa::lista_searchBoxMovesToTheTypedText()
{
    m_answerer->SetDialogHandler([](QWidget *dialog) {
        auto *search = dialog->findChild<QLineEdit *>("edtProcura");
        QTest::keyClicks(search, "le");              // Leste
        TDBGrid *grid = ListGrid(dialog);
        QCOMPARE(grid->currentIndex().row(), 2);
        QTest::keyClick(grid, Qt::Key_Space);
        QTest::keyClick(grid, Qt::Key_Return);
    });
    QString selection;
    QVERIFY(Pesqlista::PesquisaLista(m_regionSource, "CDREGIAO", RegionTitle, false, selection));
    QCOMPARE(selection, QStringLiteral("_C_"));
}

void TestPesquisa::lista_emptyListShowsTheTextFromTheTitle()
{
    m_answerer->SetDialogHandler([this](QWidget *) { ++m_lists; });
    m_regions->SQL = "SELECT CDREGIAO, NMREGIAO FROM REGIAO WHERE 1 = 0";
    QString selection = "_A_";
    QVERIFY(!Pesqlista::PesquisaLista(m_regionSource, "CDREGIAO", RegionTitle, false, selection));
    QCOMPARE(m_answerer->Messages(), QStringList{"Região não cadastrada."});
    QCOMPARE(m_lists, 0);
    QCOMPARE(selection, QStringLiteral("_A_"));
}

void TestPesquisa::lista_locateAll()
{
    m_regions->Open();
    QVERIFY(Pesqlista::LocateAll(m_regions, {"CDREGIAO", "NMREGIAO"}, "sul"));
    QCOMPARE(m_regions->FieldByName("CDREGIAO")->AsString(), QStringLiteral("B"));
    QVERIFY(Pesqlista::LocateAll(m_regions, {"CDREGIAO"}, "C"));
    QCOMPARE(m_regions->RecNo(), 2);
    QVERIFY(!Pesqlista::LocateAll(m_regions, {"CDREGIAO", "NMREGIAO"}, "Oeste"));
    QCOMPARE(m_regions->RecNo(), 2);   // left where it was
}

// The periodicity lookup: OnBeforePesq opens the list, the pick is current in OnAfterPesq.
struct LookupFixture {
    QWidget window;
    QLineEdit *other;
    TMaskEdit *edit;
    TBtnPesquisa *button;
    TADOIBQuery query;
    TDataSource source{nullptr, &query};
    QStringList events;

    LookupFixture()
    {
        auto *layout = new QVBoxLayout(&window);
        other = new QLineEdit(&window);
        layout->addWidget(other);
        edit = new TMaskEdit(&window);
        edit->setObjectName("medCdPeriod");
        button = new TBtnPesquisa(&window);
        button->setObjectName("btpFilial");
        layout->addWidget(edit);
        layout->addWidget(button);
        button->Associate = edit;
        button->Title = "Periodicidade";
        button->DataSource = &source;
        button->EmptyError = "Não há periodicidade cadastrada.";
        button->PesqChave = true;
        query.SQL = "SELECT CDPERIENTR, NMPERIENTR FROM PERIENTR ORDER BY CDPERIENTR";
        button->OnBeforePesq = [this](QObject *sender, bool &) {
            events << (sender == button ? "before" : "before?");
            query.Close();
            query.Open();
        };
        button->OnAfterPesq = [this](QObject *) {
            const QString code = query.FieldByName("CDPERIENTR")->AsString();
            events << "after:" + code;
            edit->SetText(code);
        };
        window.show();
        window.activateWindow();
    }
};

void TestPesquisa::lookup_beforeListPickAfter_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("code");
    QTest::newRow("arrow and Enter") << "keys" << "02";
    QTest::newRow("double-click") << "double" << "0A";
    QTest::newRow("search by key and OK") << "search" << "0A";
}

void TestPesquisa::lookup_beforeListPickAfter()
{
    QFETCH(QString, how);
    QFETCH(QString, code);
    LookupFixture f;
    QTRY_COMPARE(QApplication::activeWindow(), &f.window);
    f.other->setFocus();
    m_answerer->SetDialogHandler([&](QWidget *dialog) {
        QCOMPARE(dialog->objectName(), QStringLiteral("frmPesquisa"));
        QCOMPARE(dialog, TBtnPesquisa::ActiveList());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Periodicidade"));
        QCOMPARE(f.events, QStringList{"before"});
        TDBGrid *grid = ListGrid(dialog);
        if (how == "keys") {
            QTest::keyClick(grid, Qt::Key_Down);
            QTest::keyClick(grid, Qt::Key_Return);
        } else if (how == "double") {
            DoubleClickRow(grid, 2);
        } else {
            QTest::keyClicks(dialog->findChild<QLineEdit *>("edtProcura"), "0a");
            QTest::mouseClick(dialog->findChild<QPushButton *>("btnOk"), Qt::LeftButton);
        }
    });
    QTest::mouseClick(f.button, Qt::LeftButton);
    QCOMPARE(f.events, (QStringList{"before", "after:" + code}));
    QCOMPARE(f.edit->Text(), code);
    QCOMPARE(f.query.FieldByName("CDPERIENTR")->AsString(), code);
    QCOMPARE(f.window.focusWidget(), f.edit);   // the focus goes back to the associated edit
}

void TestPesquisa::lookup_escapeRunsNoAfter()
{
    LookupFixture f;
    m_answerer->SetDialogHandler([](QWidget *dialog) { QTest::keyClick(ListGrid(dialog), Qt::Key_Escape); });
    QTest::mouseClick(f.button, Qt::LeftButton);
    QCOMPARE(f.events, QStringList{"before"});
    QCOMPARE(f.edit->Text(), QString());
}

void TestPesquisa::lookup_emptyShowsEmptyError()
{
    LookupFixture f;
    f.query.SQL = "SELECT CODIGO, NOME FROM VAZIA";
    m_answerer->SetDialogHandler([this](QWidget *) { ++m_lists; });
    QTest::mouseClick(f.button, Qt::LeftButton);
    QCOMPARE(f.events, QStringList{"before"});
    QCOMPARE(m_answerer->Messages(), QStringList{"Não há periodicidade cadastrada."});
    QCOMPARE(m_lists, 0);
}

void TestPesquisa::lookup_cancelledByBefore()
{
    LookupFixture f;
    f.button->OnBeforePesq = [&f](QObject *, bool &cancel) {
        f.events << "before";
        cancel = true;
    };
    m_answerer->SetDialogHandler([this](QWidget *) { ++m_lists; });
    QTest::mouseClick(f.button, Qt::LeftButton);
    QCOMPARE(f.events, QStringList{"before"});
    QCOMPARE(m_lists, 0);
    QVERIFY(m_answerer->Messages().isEmpty());
}

void TestPesquisa::flatButton_clickRunsTheHandlerWhenEnabled()
{
    TButtonFlat button;
    button.setToolTip("Pesquisar");
    int clicks = 0;
    connect(&button, &QToolButton::clicked, this, [&clicks] { ++clicks; });
    button.Click();
    QCOMPARE(clicks, 1);
    button.setEnabled(false);
    button.Click();
    QCOMPARE(clicks, 1);
    QVERIFY(button.autoRaise());
    QCOMPARE(button.focusPolicy(), Qt::NoFocus);

    // Two-state glyph: the disabled image is the one shown while disabled.
    QPixmap normal(16, 16), disabled(16, 16);
    normal.fill(Qt::blue);
    disabled.fill(Qt::gray);
    button.SetGlyph(normal, disabled);
    const QImage shownDisabled = button.icon().pixmap(QSize(16, 16), QIcon::Disabled).toImage();
    const QImage shownNormal = button.icon().pixmap(QSize(16, 16), QIcon::Normal).toImage();
    QCOMPARE(QColor(shownDisabled.pixel(8, 8)), QColor(Qt::gray));
    QCOMPARE(QColor(shownNormal.pixel(8, 8)), QColor(Qt::blue));
}

QTEST_MAIN(TestPesquisa)
#include "tst_pesquisa.moc"
