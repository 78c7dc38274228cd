// The branch search screen driven as a user drives it: real key and mouse events on
// the offscreen platform, modal dialogs answered from a timer.

#include "cli_cmp04706.h"
#include "modeloescolhidos.h"
#include "tfrmpesqlistafilatende.h"

#include "dialoganswerer.h"

#include "datapacket.h"
#include "data/tclientdataset.h"
#include "data/tdatasource.h"
#include "data/tdbgrid.h"
#include "data/tfield.h"
#include "runtime/errors.h"
#include "screens/buttons.h"
#include "screens/tmaskedit.h"

#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QtTest>

using namespace Cli_cmp04706;

struct Branch {
    QString code;
    QString name;
};
Q_DECLARE_METATYPE(QList<Branch>)

namespace {

const QList<Branch> kBranches = {
    {"0001", "SAO PAULO"}, {"0002", "Sao Carlos"}, {"0003", "RIO DE JANEIRO"},
    {"0004", "SANTOS"},    {"0005", "CURITIBA"},
};

// The branch list as the registration screen holds it: nine fields, labels for the
// ordering choices, the check column's label one blank.
class Branches {
public:
    explicit Branches(const QList<Branch> &rows = kBranches, const QString &check = "N",
                      const QStringList &dateFields = {})
    {
        const struct {
            const char *name;
            int size;
            const char *label;
        } fields[] = {{"IDCHECK", 1, " "},       {"CDFILIAL", 4, "Filial"},
                      {"NMFILIAL", 30, "Nome da Filial"}, {"CDPAIS", 4, "País"},
                      {"NMPAIS", 30, "Nome do País"},     {"SGESTADO", 2, "Estado"},
                      {"NMESTADO", 30, "Nome do Estado"}, {"CDMUNICIPIO", 4, "Município"},
                      {"NMMUNICIPIO", 30, "Nome do Município"}};
        for (const auto &f : fields)
            data.AddField(f.name, TFieldType::String, f.size, QString::fromUtf8(f.label));
        for (const QString &name : dateFields)
            data.AddField(name, TFieldType::String, 10, name);
        Load(rows, check);
    }
    void Load(const QList<Branch> &rows, const QString &check = "N")
    {
        contracts::DataPacket packet;
        for (int i = 0; i < data.FieldCount(); ++i)
            packet.fields.append({data.Fields(i)->FieldName, contracts::PacketFieldType::String,
                                  data.Fields(i)->Size});
        for (const Branch &b : rows) {
            QVariantList cells{check, b.code, b.name, "0055", "BRASIL", "SP", "SAO PAULO", "0100", "CAPITAL"};
            while (cells.size() < data.FieldCount())
                cells.append("01/01/2026");
            packet.rows.append(cells);
        }
        data.SetData(contracts::encodePacket(packet));
    }
    int RowOf(const QString &code) const
    {
        for (int row = 0; row < data.RecordCount(); ++row)
            if (data.ValueAt(row, 1).toString() == code)
                return row;
        return -1;
    }
    QList<QVariantList> Cells() const
    {
        QList<QVariantList> cells;
        for (int row = 0; row < data.RecordCount(); ++row) {
            cells.append(QVariantList());
            for (int field = 0; field < data.FieldCount(); ++field)
                cells.back().append(data.ValueAt(row, field));
        }
        return cells;
    }
    QStringList CodesShown() const
    {
        QStringList codes;
        for (int row = 0; row < data.RecordCount(); ++row)
            codes << data.ValueAt(row, 1).toString();
        return codes;
    }

    TClientDataSet data;
    TDataSource source{nullptr, &data};
};

QStringList ChosenKeys()
{
    QStringList keys;
    for (const QString &key : CodigosEscolhidos.Itens())
        keys << key;
    return keys;
}

QStringList ChosenEntries(TfrmPesqListaFilAtende *screen)
{
    QStringList entries;
    QAbstractItemModel *model = screen->lsbEscolhidos->model();
    for (int i = 0; i < model->rowCount(); ++i)
        entries << model->index(i, 0).data().toString();
    return entries;
}

QString EntryOf(const QString &code, const QString &name)
{
    return code + "  " + name + "  0055  BRASIL  SP  SAO PAULO  ";
}

QPoint CellCentre(TDBGrid *grid, int row, int field)
{
    return grid->visualRect(grid->model()->index(row, field)).center();
}

// QTest's double-click on a widget sends the double-click event alone; a user's
// double-click starts with a click.
void DoubleClickRow(TDBGrid *grid, int row)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, row, 2));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, row, 2));
}

// Puts the grid's current cell on the check column of the row (a single click there).
void ClickCheckCell(TDBGrid *grid, int row)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, row, 0));
}

void ClickTitle(TDBGrid *grid, int field)
{
    QHeaderView *header = grid->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(field) + header->sectionSize(field) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

void TypeSearch(TfrmPesqListaFilAtende *screen, const QString &text)
{
    screen->medProcurar->setFocus();
    screen->medProcurar->selectAll();
    QTest::keyClick(screen->medProcurar, Qt::Key_Backspace);
    QTest::keyClicks(screen->medProcurar, text);
}

bool SearchSettled(TfrmPesqListaFilAtende *screen)
{
    return !screen->tmrPesquisa->isActive();
}

struct Outcome {
    bool result;
    QString selection;
};

} // namespace

class TestBranchSearch : public QObject {
    Q_OBJECT
private:
    using Script = std::function<void(TfrmPesqListaFilAtende *)>;

    // Runs a search; the script drives the screen once it is up and active, and the
    // screen is closed without confirming when the script leaves it open.
    Outcome Search(Branches &branches, QString selection, const Script &script,
                   const QString &title = QString::fromUtf8("Filial|Não há filial cadastrada."),
                   const QString &keyField = "CDFILIAL")
    {
        m_answerer.Clear();
        bool ran = false;
        m_answerer.SetDialogHandler([&](QWidget *dialog) {
            auto *screen = qobject_cast<TfrmPesqListaFilAtende *>(dialog);
            if (!screen)
                return;
            ran = true;
            [&] {
                QVERIFY(QTest::qWaitForWindowActive(screen));
                if (script)
                    script(screen);
            }();
            if (screen->isVisible())
                screen->reject();
        });
        const bool result = PesquisaFilAtende(&branches.source, keyField, title, false, selection);
        m_shown = ran;
        return {result, selection};
    }

    DialogAnswerer m_answerer;
    bool m_shown = false;

private slots:
    void init() { Initialization(); }
    void cleanupTestCase() { Finalization(); }

    void emptyListShowsMessageOnly_data();
    void emptyListShowsMessageOnly();
    void captionIsTitleBeforeBar_data();
    void captionIsTitleBeforeBar();
    void preMarkingFromSelection_data();
    void preMarkingFromSelection();
    void preMarkingErrorWarnsAndShowsScreen();
    void confirmBuildsSelectionInListOrder_data();
    void confirmBuildsSelectionInListOrder();
    void leavingWithoutConfirmKeepsSelection();
    void closeRestoresDataSet();
    void orderingChoicesAndReordering();
    void delayedSearchNarrowsOnceAfterBurst();
    void searchTextRules_data();
    void searchTextRules();
    void apostropheErrorClearsFilter();
    void marksSurviveNarrowing();
    void spaceAndCtrlSpaceInCheckColumn();
    void titleClickMarksThenUnmarksAll();
    void titleClickOnOtherColumnChangesNothing();
    void altPageKeysLeaveTheGrid();
    void removingFromChosenList();
    void marksAreDrawnFromChosenSet();
    void reopenedDataSetWithCheckedRows();
    void markingAllStopsAtAnErrorAndRestores();
    void noKeyOrEditorChangesTheRows_data();
    void noKeyOrEditorChangesTheRows();
};

// ---- loading ---------------------------------------------------------------------

void TestBranchSearch::emptyListShowsMessageOnly_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::newRow("message after bar") << QString::fromUtf8("Filial|Não há filial cadastrada.")
                                       << QString::fromUtf8("Não há filial cadastrada.");
    QTest::newRow("no bar: table text with caption in lower case")
        << QString("Filial") << QString::fromUtf8("Não há filial cadastrado(a).");
}

void TestBranchSearch::emptyListShowsMessageOnly()
{
    QFETCH(QString, title);
    QFETCH(QString, message);
    Branches branches(QList<Branch>{});
    const Outcome outcome = Search(branches, "_0001_", nullptr, title);
    QVERIFY(!m_shown);
    QVERIFY(outcome.result);
    QCOMPARE(outcome.selection, QString("_0001_"));
    QCOMPARE(m_answerer.Messages(), QStringList{message});
    QCOMPARE(m_answerer.Icons().value(0), QMessageBox::Critical);
}

void TestBranchSearch::captionIsTitleBeforeBar_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("caption");
    QTest::newRow("with bar") << QString("Filial|nada") << QString("Filial");
    QTest::newRow("without bar") << QString("Filiais da rede") << QString("Filiais da rede");
    QTest::newRow("two bars") << QString("Filial|a|b") << QString("Filial");
}

void TestBranchSearch::captionIsTitleBeforeBar()
{
    QFETCH(QString, title);
    QFETCH(QString, caption);
    Branches branches;
    QString shownCaption, code;
    Search(branches, "", [&](TfrmPesqListaFilAtende *screen) {
        shownCaption = screen->windowTitle();
        code = screen->lblCodTela->text();
    }, title);
    QCOMPARE(shownCaption, caption);
    QCOMPARE(code, QString("LIB05600"));
}

void TestBranchSearch::preMarkingFromSelection_data()
{
    QTest::addColumn<QList<Branch>>("rows");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("empty text") << kBranches << QString() << QStringList() << QStringList();
    QTest::newRow("all-regions T") << kBranches << QString("T") << QStringList() << QStringList();
    QTest::newRow("two codes") << kBranches << QString("_0001_0003_")
                               << QStringList{EntryOf("0001", "SAO PAULO"), EntryOf("0003", "RIO DE JANEIRO")}
                               << QStringList{"0001", "0003"};
    QTest::newRow("duplicated code: first row only")
        << (kBranches + QList<Branch>{{"0003", "RIO SEGUNDO"}}) << QString("_0003_")
        << QStringList{EntryOf("0003", "RIO DE JANEIRO")} << QStringList{"0003"};
    QTest::newRow("code with underscore")
        << (kBranches + QList<Branch>{{"1_06", "OSASCO"}}) << QString("_0002_1_06_")
        << QStringList{EntryOf("0002", "Sao Carlos"), EntryOf("1_06", "OSASCO")}
        << QStringList{"0002", "1_06"};
}

void TestBranchSearch::preMarkingFromSelection()
{
    QFETCH(QList<Branch>, rows);
    QFETCH(QString, selection);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, keys);
    Branches branches(rows);
    QStringList shownEntries, shownKeys;
    int row = -2, mode = -2;
    const Outcome outcome = Search(branches, selection, [&](TfrmPesqListaFilAtende *screen) {
        shownEntries = ChosenEntries(screen);
        shownKeys = ChosenKeys();
        row = branches.data.RecNo();
        mode = screen->ModoMarcacao();
    });
    QCOMPARE(shownEntries, entries);
    QCOMPARE(shownKeys, keys);
    QCOMPARE(row, 0);
    QCOMPARE(mode, int(TfrmPesqListaFilAtende::mmAlterna));
    QVERIFY(!outcome.result);
    QCOMPARE(outcome.selection, selection);
}

void TestBranchSearch::preMarkingErrorWarnsAndShowsScreen()
{
    Branches branches;
    int row = -1, chosen = -1;
    const Outcome outcome = Search(branches, "_0001_", [&](TfrmPesqListaFilAtende *screen) {
        row = branches.data.RecNo();
        chosen = screen->Escolhidos()->Count();
    }, "Filial|", "CDINEXISTENTE");
    QVERIFY(m_shown);
    QCOMPARE(m_answerer.Icons(), QList<QMessageBox::Icon>{QMessageBox::Warning});
    QVERIFY(m_answerer.Messages().value(0).contains("CDINEXISTENTE"));
    QCOMPARE(row, 0);
    QCOMPARE(chosen, 0);
    QCOMPARE(outcome.selection, QString("_0001_"));
    QVERIFY(!branches.data.ControlsDisabled());
}

// ---- confirmation and close ------------------------------------------------------

void TestBranchSearch::confirmBuildsSelectionInListOrder_data()
{
    QTest::addColumn<QStringList>("toggled");
    QTest::addColumn<QString>("selection");
    QTest::newRow("nothing marked") << QStringList() << QString();
    QTest::newRow("0003 before 0001") << QStringList{"0003", "0001"} << QString("_0001_0003_");
    QTest::newRow("marked and unmarked again") << QStringList{"0002", "0004", "0002"} << QString("_0004_");
}

void TestBranchSearch::confirmBuildsSelectionInListOrder()
{
    QFETCH(QStringList, toggled);
    QFETCH(QString, selection);
    Branches branches;
    const Outcome outcome = Search(branches, "_0005_", [&](TfrmPesqListaFilAtende *screen) {
        DoubleClickRow(screen->dbgArquivo, branches.RowOf("0005"));   // unmark the incoming one
        for (const QString &code : toggled)
            DoubleClickRow(screen->dbgArquivo, branches.RowOf(code));
        QTest::mouseClick(screen->sbtConfirma, Qt::LeftButton);
    });
    QVERIFY(outcome.result);
    QCOMPARE(outcome.selection, selection);
}

void TestBranchSearch::leavingWithoutConfirmKeepsSelection()
{
    Branches branches;
    const Outcome outcome = Search(branches, "_0002_", [&](TfrmPesqListaFilAtende *screen) {
        DoubleClickRow(screen->dbgArquivo, branches.RowOf("0001"));
        DoubleClickRow(screen->dbgArquivo, branches.RowOf("0002"));
        QCOMPARE(ChosenKeys(), QStringList{"0001"});
        QTest::keyClick(screen, Qt::Key_Escape);
    });
    QVERIFY(!outcome.result);
    QCOMPARE(outcome.selection, QString("_0002_"));
}

void TestBranchSearch::closeRestoresDataSet()
{
    Branches branches;
    int afterOpenRuns = 0;
    branches.data.AfterOpen = [&](TDataSet *) { ++afterOpenRuns; };
    QString labelWhileUp;
    Search(branches, "", [&](TfrmPesqListaFilAtende *screen) {
        labelWhileUp = branches.data.FieldByName("IDCHECK")->DisplayLabel;
        TypeSearch(screen, "SA");
        QTRY_VERIFY(branches.data.Filtered());
        QTest::mouseClick(screen->sbtConfirma, Qt::LeftButton);
    });
    QCOMPARE(labelWhileUp, QString::fromUtf8("✓"));
    QVERIFY(!branches.data.Filtered());
    QCOMPARE(branches.data.Filter(), QString());
    QVERIFY(branches.data.FilterCaseInsensitive());
    QCOMPARE(branches.data.FieldByName("IDCHECK")->DisplayLabel, QString(" "));
    QCOMPARE(branches.data.RecordCount(), kBranches.size());
    // The caller's own after-open handler is back.
    branches.Load(kBranches);
    QCOMPARE(afterOpenRuns, 1);
}

// ---- ordering and search ---------------------------------------------------------

void TestBranchSearch::orderingChoicesAndReordering()
{
    Branches branches;
    QStringList items;
    QString current, indexBefore, indexAfterUp, firstByName;
    int maxLength = -1;
    bool checkColumnLooks = false;
    Search(branches, "", [&](TfrmPesqListaFilAtende *screen) {
        for (int i = 0; i < screen->cbbOrdem->count(); ++i)
            items << screen->cbbOrdem->itemText(i);
        current = screen->cbbOrdem->currentText();
        indexBefore = branches.data.IndexFieldNames();
        const TColumn &check = screen->dbgArquivo->Columns(0);
        checkColumnLooks = check.ReadOnly && check.TitleAlignment == Qt::AlignCenter
                           && screen->dbgArquivo->model()->headerData(0, Qt::Horizontal).toString()
                                  == QString::fromUtf8("✓");
        // Keyboard on the closed list: one up picks "Filial".
        screen->cbbOrdem->setFocus();
        QTest::keyClick(screen->cbbOrdem, Qt::Key_Up);
        indexAfterUp = branches.data.IndexFieldNames();
        maxLength = screen->medProcurar->maxLength();
        QTest::keyClick(screen->cbbOrdem, Qt::Key_Down);
        firstByName = branches.data.ValueAt(0, 2).toString();
    });
    QCOMPARE(items, QStringList({"Filial", "Nome da Filial", QString::fromUtf8("País"), QString::fromUtf8("Nome do País"),
                                 "Estado", "Nome do Estado", QString::fromUtf8("Município"),
                                 QString::fromUtf8("Nome do Município")}));
    QCOMPARE(current, QString("Nome da Filial"));
    QCOMPARE(indexBefore, QString());
    QVERIFY(checkColumnLooks);
    QCOMPARE(indexAfterUp, QString("CDFILIAL"));
    QCOMPARE(maxLength, 4);
    QCOMPARE(firstByName, QString("CURITIBA"));
    QCOMPARE(branches.data.IndexFieldNames(), QString("NMFILIAL"));   // the last order stays
}

void TestBranchSearch::delayedSearchNarrowsOnceAfterBurst()
{
    Branches branches;
    QStringList filters;
    connect(&branches.data, &QAbstractItemModel::modelReset, this, [&] {
        if (branches.data.Filtered() && !branches.data.Filter().isEmpty())
            filters << branches.data.Filter();
    });
    QString shownText;
    bool timerRanDuringBurst = true;
    QStringList shown, afterClearing;
    Search(branches, "", [&](TfrmPesqListaFilAtende *screen) {
        TypeSearch(screen, "sao");
        timerRanDuringBurst = !filters.isEmpty();
        shownText = screen->medProcurar->text();
        QTRY_VERIFY(SearchSettled(screen));
        shown = branches.CodesShown();
        TypeSearch(screen, "");
        QTRY_VERIFY(SearchSettled(screen));
        afterClearing = branches.CodesShown();
    });
    QVERIFY(!timerRanDuringBurst);
    QCOMPARE(shownText, QString("SAO"));
    QCOMPARE(filters, QStringList{"NMFILIAL Like 'SAO%'"});
    QCOMPARE(shown, QStringList({"0001", "0002"}));   // case-insensitive prefix
    QCOMPARE(afterClearing, branches.CodesShown());
    QCOMPARE(afterClearing.size(), kBranches.size());
}

void TestBranchSearch::searchTextRules_data()
{
    QTest::addColumn<int>("choiceUps");   // key-ups on the ordering list before typing
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("percent is a wildcard") << 0 << QString("s%s") << QStringList{"0002", "0004"};
    QTest::newRow("code prefix") << 1 << QString("000") << QStringList{"0001", "0002", "0003", "0004", "0005"};
    QTest::newRow("no match") << 0 << QString("XYZ") << QStringList();
}

void TestBranchSearch::searchTextRules()
{
    QFETCH(int, choiceUps);
    QFETCH(QString, typed);
    QFETCH(QStringList, codes);
    Branches branches;
    QStringList shown;
    Search(branches, "", [&](TfrmPesqListaFilAtende *screen) {
        screen->cbbOrdem->setFocus();
        for (int i = 0; i < choiceUps; ++i)
            QTest::keyClick(screen->cbbOrdem, Qt::Key_Up);
        TypeSearch(screen, typed);
        QTRY_VERIFY(SearchSettled(screen));
        shown = branches.CodesShown();
    });
    QCOMPARE(shown, codes);
}

void TestBranchSearch::apostropheErrorClearsFilter()
{
    Branches branches;
    QString textAfter;
    bool filteredAfter = true;
    int rowsAfter = 0;
    Search(branches, "", [&](TfrmPesqListaFilAtende *screen) {
        TypeSearch(screen, "d'");
        QTRY_COMPARE(m_answerer.Messages().size(), 1);
        QTRY_VERIFY(SearchSettled(screen));
        textAfter = screen->medProcurar->text();
        filteredAfter = branches.data.Filtered() || !branches.data.Filter().isEmpty();
        rowsAfter = branches.data.RecordCount();
    });
    QCOMPARE(m_answerer.Icons().value(0), QMessageBox::Critical);
    QCOMPARE(textAfter, QString("D'"));
    QVERIFY(!filteredAfter);
    QCOMPARE(rowsAfter, kBranches.size());
}

// ---- marking -----------------------------------------------------------------------

void TestBranchSearch::marksSurviveNarrowing()
{
    Branches branches;
    QStringList keysNarrowed;
    const Outcome outcome = Search(branches, "", [&](TfrmPesqListaFilAtende *screen) {
        DoubleClickRow(screen->dbgArquivo, branches.RowOf("0003"));
        TypeSearch(screen, "sa");
        QTRY_VERIFY(SearchSettled(screen));
        QCOMPARE(branches.CodesShown(), QStringList({"0001", "0002", "0004"}));
        // Marking all rows touches the rows shown only.
        ClickCheckCell(screen->dbgArquivo, 0);
        QTest::keyClick(screen->dbgArquivo, Qt::Key_Space, Qt::ControlModifier);
        keysNarrowed = ChosenKeys();
        QTest::mouseClick(screen->sbtConfirma, Qt::LeftButton);
    });
    QCOMPARE(keysNarrowed, QStringList({"0001", "0002", "0003", "0004"}));
    QCOMPARE(outcome.selection, QString("_0001_0002_0003_0004_"));
}

void TestBranchSearch::spaceAndCtrlSpaceInCheckColumn()
{
    Branches branches;
    QStringList afterSpace, afterNameSpace, afterCtrlSpace, afterSecondCtrlSpace, afterSingleClick;
    Search(branches, "", [&](TfrmPesqListaFilAtende *screen) {
        TDBGrid *grid = screen->dbgArquivo;
        grid->setFocus();
        ClickCheckCell(grid, 1);
        afterSingleClick = ChosenKeys();
        QTest::keyClick(grid, Qt::Key_Space);
        afterSpace = ChosenKeys();
        // Space outside the check column toggles nothing.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, 2, 2));
        QTest::keyClick(grid, Qt::Key_Space);
        afterNameSpace = ChosenKeys();
        ClickCheckCell(grid, 2);
        QTest::keyClick(grid, Qt::Key_Space, Qt::ControlModifier);
        afterCtrlSpace = ChosenKeys();
        QCOMPARE(branches.data.RecNo(), branches.data.RecordCount() - 1);
        ClickCheckCell(grid, 0);
        QTest::keyClick(grid, Qt::Key_Space, Qt::ControlModifier);
        afterSecondCtrlSpace = ChosenKeys();
    });
    QCOMPARE(afterSingleClick, QStringList());
    QCOMPARE(afterSpace, QStringList{"0002"});
    QCOMPARE(afterNameSpace, QStringList{"0002"});
    QCOMPARE(afterCtrlSpace, QStringList({"0001", "0002", "0003", "0004", "0005"}));
    QCOMPARE(afterSecondCtrlSpace, QStringList());
}

void TestBranchSearch::titleClickMarksThenUnmarksAll()
{
    // A duplicated code: it must still appear once.
    Branches branches(kBranches + QList<Branch>{{"0004", "SANTOS DOIS"}});
    QStringList afterFirst, afterSecond, entries;
    int rowAfterFirst = -1, modeAfter = -1;
    Search(branches, "_0003_0005_", [&](TfrmPesqListaFilAtende *screen) {
        ClickTitle(screen->dbgArquivo, 0);
        afterFirst = ChosenKeys();
        entries = ChosenEntries(screen);
        rowAfterFirst = branches.data.RecNo();
        modeAfter = screen->ModoMarcacao();
        ClickTitle(screen->dbgArquivo, 0);
        afterSecond = ChosenKeys();
    });
    QCOMPARE(afterFirst, QStringList({"0001", "0002", "0003", "0004", "0005"}));
    QCOMPARE(entries.size(), 5);
    QCOMPARE(entries.at(3), EntryOf("0004", "SANTOS"));
    QCOMPARE(rowAfterFirst, 5);
    QCOMPARE(modeAfter, int(TfrmPesqListaFilAtende::mmAlterna));
    QCOMPARE(afterSecond, QStringList());
}

void TestBranchSearch::titleClickOnOtherColumnChangesNothing()
{
    Branches branches;
    QStringList keys, order;
    Search(branches, "_0002_", [&](TfrmPesqListaFilAtende *screen) {
        ClickTitle(screen->dbgArquivo, 2);
        keys = ChosenKeys();
        order = branches.CodesShown();
    });
    QCOMPARE(keys, QStringList{"0002"});
    QCOMPARE(order, QStringList({"0001", "0002", "0003", "0004", "0005"}));
}

void TestBranchSearch::altPageKeysLeaveTheGrid()
{
    Branches branches;
    QString afterDown, afterUp;
    bool rowMoved = true;
    Search(branches, "", [&](TfrmPesqListaFilAtende *screen) {
        TDBGrid *grid = screen->dbgArquivo;
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());
        QTest::keyClick(grid, Qt::Key_PageDown, Qt::AltModifier);
        afterDown = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
        rowMoved = branches.data.RecNo() != 0;
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_PageUp, Qt::AltModifier);
        afterUp = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    });
    QCOMPARE(afterDown, QString("lsbEscolhidos"));
    QVERIFY(!rowMoved);
    QCOMPARE(afterUp, QString("medProcurar"));
}

void TestBranchSearch::removingFromChosenList()
{
    Branches branches;
    QStringList afterDoubleClick, afterSpace, afterSecondSpace;
    QString focusAfterDoubleClick, focusAfterSpace;
    const Outcome outcome = Search(branches, "_0001_0002_0004_", [&](TfrmPesqListaFilAtende *screen) {
        QListView *list = screen->lsbEscolhidos;
        QTRY_VERIFY(list->visualRect(list->model()->index(2, 0)).bottom() < list->viewport()->height());
        const QRect second = list->visualRect(list->model()->index(1, 0));
        // A user's double-click: a click, then the double-click event.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
        afterDoubleClick = ChosenKeys();
        focusAfterDoubleClick = QApplication::focusWidget()->objectName();

        list->setFocus();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
        QTest::keyClick(list, Qt::Key_Space);
        afterSpace = ChosenKeys();
        focusAfterSpace = QApplication::focusWidget()->objectName();
        // Nothing is selected now: another Space removes nothing.
        QTest::keyClick(list, Qt::Key_Space);
        afterSecondSpace = ChosenKeys();
        QCOMPARE(ChosenEntries(screen), QStringList{EntryOf("0004", "SANTOS")});
        QTest::mouseClick(screen->sbtConfirma, Qt::LeftButton);
    });
    QCOMPARE(afterDoubleClick, QStringList({"0001", "0004"}));
    QCOMPARE(focusAfterDoubleClick, QString("medProcurar"));
    QCOMPARE(afterSpace, QStringList{"0004"});
    QCOMPARE(focusAfterSpace, QString("lsbEscolhidos"));
    QCOMPARE(afterSecondSpace, QStringList{"0004"});
    QCOMPARE(outcome.selection, QString("_0004_"));
}

void TestBranchSearch::marksAreDrawnFromChosenSet()
{
    Branches branches;
    QImage picture;
    QRect marked, unmarked;
    Search(branches, "_0002_", [&](TfrmPesqListaFilAtende *screen) {
        TDBGrid *grid = screen->dbgArquivo;
        marked = grid->visualRect(grid->model()->index(branches.RowOf("0002"), 0));
        unmarked = grid->visualRect(grid->model()->index(branches.RowOf("0003"), 0));
        picture = grid->viewport()->grab().toImage();
    });
    QVERIFY(!picture.isNull());
    const QImage check = TfrmPesqListaFilAtende::ImagemMarca(true);
    auto pixel = [&](const QRect &cell, int x, int y) {
        const QPoint origin(cell.x() + (cell.width() - 16) / 2, cell.y() + (cell.height() - 16) / 2);
        return QColor(picture.pixel(origin + QPoint(x, y)));
    };
    // A pixel of the check mark, and the box's white inside.
    QCOMPARE(QColor(check.pixel(7, 7)), QColor(Qt::black));
    QCOMPARE(pixel(marked, 7, 7), QColor(Qt::black));
    QCOMPARE(pixel(unmarked, 7, 7), QColor(Qt::white));
    // The olive background is transparent: the grid shows through.
    QVERIFY(pixel(marked, 0, 0) != TfrmPesqListaFilAtende::CorTransparente());
}

// A data set opened again during the search with its rows delivered checked: every
// row is marked once, with the same entries and order as marking by hand.
void TestBranchSearch::reopenedDataSetWithCheckedRows()
{
    Branches branches;
    QStringList keys, entries, handKeys, handEntries;
    Search(branches, "", [&](TfrmPesqListaFilAtende *screen) {
        ClickTitle(screen->dbgArquivo, 0);
        handKeys = ChosenKeys();
        handEntries = ChosenEntries(screen);
        ClickTitle(screen->dbgArquivo, 0);
        QList<Branch> reversed(kBranches.rbegin(), kBranches.rend());
        reversed.append(Branch{"0001", "SAO PAULO"});
        branches.Load(reversed, "S");
        keys = ChosenKeys();
        entries = ChosenEntries(screen);
        DoubleClickRow(screen->dbgArquivo, branches.RowOf("0003"));
    });
    QCOMPARE(keys, handKeys);
    QCOMPARE(entries, handEntries);
    QCOMPARE(ChosenKeys(), QStringList({"0001", "0002", "0004", "0005"}));
}

// A row whose entry cannot be built stops the marking of all rows: the rows before it
// are marked, the rest keep their marks, the error is shown with one OK button, and
// the mode, the cursor and the data set's state are back as they were.
void TestBranchSearch::markingAllStopsAtAnErrorAndRestores()
{
    Branches branches;
    branches.data.FieldByName("NMFILIAL")->OnGetText = [](TField &field, QString &text, bool) {
        if (field.AsString() == "RIO DE JANEIRO")
            throw EDatabaseError("Nome ilegível.");
        text = field.AsString();
    };
    QStringList keys;
    int mode = -1;
    bool waitCursor = true, editing = true;
    Search(branches, "_0005_", [&](TfrmPesqListaFilAtende *screen) {
        m_answerer.Clear();
        ClickTitle(screen->dbgArquivo, 0);
        keys = ChosenKeys();
        mode = screen->ModoMarcacao();
        waitCursor = QApplication::overrideCursor() != nullptr;
        editing = branches.data.state() != TDataSet::State::Browse;
    });
    QCOMPARE(keys, QStringList({"0001", "0002", "0005"}));
    QCOMPARE(m_answerer.Messages(), QStringList{"Nome ilegível."});
    QCOMPARE(m_answerer.Icons(), QList<QMessageBox::Icon>{QMessageBox::Critical});
    QCOMPARE(mode, int(TfrmPesqListaFilAtende::mmAlterna));
    QVERIFY(!waitCursor);
    QVERIFY(!editing);
    QVERIFY(!branches.data.ControlsDisabled());
}

// Every way a grid offers to edit a cell, on every column (the date columns included,
// whose typed characters the search lets through): the caller's rows stay as they were
// and the selection holds only codes the list really has.
void TestBranchSearch::noKeyOrEditorChangesTheRows_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("F2, typing, Enter") << 0;
    QTest::newRow("double-click, typing, Enter") << 1;
    QTest::newRow("typing, Enter") << 2;
    QTest::newRow("F2, paste, Enter") << 3;
}

void TestBranchSearch::noKeyOrEditorChangesTheRows()
{
    QFETCH(int, way);
    Branches branches(kBranches, "N", {"DTINI", "DTFIN"});
    const QList<QVariantList> before = branches.Cells();
    QApplication::clipboard()->setText("6666");
    const Outcome outcome = Search(branches, "", [&](TfrmPesqListaFilAtende *screen) {
        TDBGrid *grid = screen->dbgArquivo;
        grid->setFocus();
        for (int field = 0; field < branches.data.FieldCount(); ++field) {
            if (grid->isColumnHidden(field))
                continue;
            const QPoint cell = CellCentre(grid, 1, field);
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
            if (way == 1)
                QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
            if (way == 0 || way == 3)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
            if (way == 3)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
            else
                QTest::keyClicks(QApplication::focusWidget(), "9999");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            grid->setFocus();
        }
        if (ChosenKeys().isEmpty())
            DoubleClickRow(grid, 1);
        QTest::mouseClick(screen->sbtConfirma, Qt::LeftButton);
    });
    QCOMPARE(branches.Cells(), before);
    QVERIFY(outcome.result);
    QVERIFY(!outcome.selection.isEmpty());
    for (const QString &code : outcome.selection.split('_', Qt::SkipEmptyParts))
        QVERIFY2(branches.RowOf(code) >= 0, qPrintable(code));
}

QTEST_MAIN(TestBranchSearch)
#include "tst_branch_search.moc"
