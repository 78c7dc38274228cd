// The error screen over the registration screen's blocking rows: its description, its
// read-only grid, OK (Enter) against the close box, and help on F1.

#include "screenfixture.h"

#include "cli_cmp04704.h"
#include "tfrmerroforneatefili.h"

#include "datapacket.h"

#include "data/tclientdataset.h"
#include "data/tdatasource.h"
#include "data/tdbgrid.h"
#include "runtime/quorvel.h"
#include "screens/qvl_msg.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QtTest>

namespace {

// Paint events of a widget, counted as they are delivered.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

QString g_helpFile;
int g_helpContext = 0;
void RecordHelp(const QString &file, int context)
{
    g_helpFile = file;
    g_helpContext = context;
}

QByteArray TwoBlockingRows()
{
    return FakeAppServer::BlockingRowsPacket(
        {{QStringLiteral("0002 - Campinas"), QStringLiteral("002 - Sudeste"), QStringLiteral("12345678000195"),
          QStringLiteral("Alfa"), QStringLiteral("J")},
         {QStringLiteral("0001 - Porto Alegre"), QStringLiteral("001 - Sul"), QStringLiteral("12345678909"),
          QStringLiteral("Beta"), QStringLiteral("F")}});
}

} // namespace

class TestErrorList : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void description();
    void readOnlyGrid();
    void manyRowsOpenOnTheSupplierColumn();
    void closing_data();
    void closing();
    void helpOnF1();
    void copyPutsRowsOnTheClipboard_data();
    void copyPutsRowsOnTheClipboard();
    void exportWritesCsvWithByteOrderMark();
    void exportFailureIsShownAndWritesNothing();
    void cutListSaysHowManyAreShown_data();
    void cutListSaysHowManyAreShown();

private:
    // Shows the error screen; `inspect` runs while it is open and must close it.
    void ShowErrorScreen(const std::function<void(TfrmErroForneAteFili *)> &inspect);
    // Runs the export from the grid's context menu, saving to `path`; returns the
    // message boxes shown meanwhile.
    QStringList ExportTo(const QString &path);

    std::unique_ptr<ScreenFixture> f;
};

void TestErrorList::init()
{
    f = std::make_unique<ScreenFixture>();
    f->Open();
    f->screen()->cdsVerReFoReg->SetData(TwoBlockingRows());
}

void TestErrorList::cleanup()
{
    f.reset();
}

void TestErrorList::ShowErrorScreen(const std::function<void(TfrmErroForneAteFili *)> &inspect)
{
    TfrmErroForneAteFili *shown = nullptr;
    f->answerer().SetDialogHandler([&](QWidget *dialog) {
        if (!qobject_cast<TfrmErroForneAteFili *>(dialog))
            return;
        shown = qobject_cast<TfrmErroForneAteFili *>(dialog);
        inspect(shown);
        if (dialog->isVisible())
            dialog->close();
    });
    CriaErroForneAteFili();
    QVERIFY(shown);
    QCOMPARE(frmErroForneAteFili, shown);
}

void TestErrorList::description()
{
    QString caption, code, message;
    QSize size;
    bool fixed = false, tabBarShown = true, labelBold = false, wraps = false, okDefault = false;
    QStringList titles;
    QList<int> widths;
    int rows = -1;
    QString firstSupplier;
    ShowErrorScreen([&](TfrmErroForneAteFili *screen) {
        caption = screen->windowTitle();
        code = screen->lblCodTela->text();
        message = screen->lblErro->text();
        size = screen->size();
        fixed = screen->minimumSize() == screen->maximumSize();
        auto *pages = screen->findChild<QTabWidget *>(QStringLiteral("pgcPadrao"));
        tabBarShown = pages->tabBar()->isVisible();
        labelBold = screen->lblErro->font().bold();
        wraps = screen->lblErro->wordWrap();
        okDefault = screen->btnOk->isDefault() && screen->btnOk->text() == QLatin1String("&OK");
        TDBGrid *grid = screen->dbgPadrao;
        QHeaderView *header = grid->horizontalHeader();
        for (int visual = 0; visual < header->count(); ++visual) {
            const int logical = header->logicalIndex(visual);
            if (header->isSectionHidden(logical))
                continue;
            titles << grid->model()->headerData(logical, Qt::Horizontal).toString();
            widths << header->sectionSize(logical);
        }
        rows = grid->model()->rowCount();
        firstSupplier = grid->model()->index(0, header->logicalIndex(0)).data().toString();
    });
    QCOMPARE(caption, QStringLiteral("Erro"));
    QCOMPARE(code, QStringLiteral("CMP04704"));
    QCOMPARE(message, QStringLiteral("Operação bloqueada. Existem filiais cuja região não é atendida pelos "
                                     "fornecedores escolhidos"));
    QCOMPARE(size, QSize(607, 302));
    QVERIFY(fixed);
    QVERIFY(!tabBarShown);
    QVERIFY(labelBold);
    QVERIFY(wraps);
    QVERIFY(okDefault);
    QCOMPARE(titles, (QStringList{QStringLiteral("Fornecedor"), QStringLiteral("Região"), QStringLiteral("Filial")}));
    QCOMPARE(widths, (QList<int>{280, 125, 165}));
    QCOMPARE(rows, 2);
    QCOMPARE(firstSupplier, QStringLiteral("12.345.678/0001-95 - Alfa"));
    // The grid hid two fields; their definitions stay as the registration screen set them.
    QVERIFY(f->screen()->cdsVerReFoReg->FieldByName(QStringLiteral("NMFANTFORN"))->Visible);
}

void TestErrorList::readOnlyGrid()
{
    QString cellAfterTyping;
    bool editable = true;
    ShowErrorScreen([&](TfrmErroForneAteFili *screen) {
        TDBGrid *grid = screen->dbgPadrao;
        const QModelIndex cell = grid->model()->index(0, grid->horizontalHeader()->logicalIndex(1));
        editable = grid->model()->flags(cell) & Qt::ItemIsEditable;
        grid->setFocus();
        grid->setCurrentIndex(cell);
        QTest::keyClick(grid, Qt::Key_F2);
        QTest::keyClicks(grid, QStringLiteral("xyz"));
        QTest::keyClick(grid, Qt::Key_Tab);
        cellAfterTyping = cell.data().toString();
    });
    QVERIFY(!editable);
    QCOMPARE(cellAfterTyping, QStringLiteral("002 - Sudeste"));
    QCOMPARE(f->screen()->cdsVerReFoReg->FieldByName(QStringLiteral("REGIAO"))->ValueAt(0).toString(),
             QStringLiteral("002 - Sudeste"));
}

void TestErrorList::manyRowsOpenOnTheSupplierColumn()
{
    // Enough rows for a vertical scroll bar, which leaves the three columns a few
    // pixels short of room: the grid must still open at its left edge.
    QList<QStringList> rows;
    for (int i = 1; i <= 30; ++i)
        rows << QStringList{QStringLiteral("%1 - Filial").arg(i, 4, 10, QLatin1Char('0')),
                            QStringLiteral("N - Norte"), QStringLiteral("12345678000195"),
                            QStringLiteral("Alfa"), QStringLiteral("J")};
    f->screen()->cdsVerReFoReg->SetData(FakeAppServer::BlockingRowsPacket(rows));
    int sideScroll = -1;
    QString currentColumn;
    ShowErrorScreen([&](TfrmErroForneAteFili *screen) {
        TDBGrid *grid = screen->dbgPadrao;
        sideScroll = grid->horizontalScrollBar()->value();
        currentColumn = grid->model()->headerData(grid->currentIndex().column(), Qt::Horizontal).toString();
    });
    QCOMPARE(sideScroll, 0);
    QCOMPARE(currentColumn, QStringLiteral("Fornecedor"));
}

void TestErrorList::closing_data()
{
    QTest::addColumn<bool>("byOk");
    QTest::newRow("Enter in the grid presses the default OK") << true;
    QTest::newRow("close box") << false;
}

void TestErrorList::closing()
{
    QFETCH(bool, byOk);
    PaintCounter paints(f->screen());
    int paintsWhileClosing = -1;
    int result = -1;
    ShowErrorScreen([&](TfrmErroForneAteFili *screen) {
        const int before = paints.count;
        if (byOk) {
            // Return pressed where the focus is, not on the button: only a default
            // button takes it.
            screen->dbgPadrao->setFocus();
            QTest::keyClick(screen->dbgPadrao, Qt::Key_Return);
        } else {
            screen->close();
        }
        // btnOkClick repaints the registration screen at once, inside the click.
        paintsWhileClosing = paints.count - before;
        result = screen->result();
    });
    QCOMPARE(result, byOk ? int(QDialog::Accepted) : int(QDialog::Rejected));
    QCOMPARE(paintsWhileClosing > 0, byOk);
    QVERIFY(!frmErroForneAteFili->isVisible());
}

void TestErrorList::helpOnF1()
{
    Quorvel::SetHelpHook(RecordHelp);
    ShowErrorScreen([&](TfrmErroForneAteFili *screen) {
        QTest::keyClick(screen, Qt::Key_F1);
    });
    Quorvel::SetHelpHook(nullptr);
    QCOMPARE(g_helpFile, QStringLiteral("SUPHELP.HLP"));
    QCOMPARE(g_helpContext, 12801716);
}

void TestErrorList::copyPutsRowsOnTheClipboard_data()
{
    QTest::addColumn<int>("clickedRow");
    QTest::addColumn<QString>("expected");
    const QString titles = QStringLiteral("Fornecedor\tRegião\tFilial\n");
    const QString first = QStringLiteral("12.345.678/0001-95 - Alfa\t002 - Sudeste\t0002 - Campinas\n");
    const QString second = QStringLiteral("123.456.789-09 - Beta\t001 - Sul\t0001 - Porto Alegre\n");
    QTest::newRow("nothing selected: every row") << -1 << titles + first + second;
    QTest::newRow("one row picked") << 1 << titles + second;
}

// Ctrl+C in the grid: the rows as spreadsheets paste them, titles first, the supplier
// as the screen shows it.
void TestErrorList::copyPutsRowsOnTheClipboard()
{
    QFETCH(int, clickedRow);
    QFETCH(QString, expected);
    QApplication::clipboard()->clear();
    ShowErrorScreen([&](TfrmErroForneAteFili *screen) {
        TDBGrid *grid = screen->dbgPadrao;
        grid->setFocus();
        if (clickedRow >= 0) {
            const int field = grid->horizontalHeader()->logicalIndex(1);
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualRect(grid->model()->index(clickedRow, field)).center());
        }
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    });
    QCOMPARE(QApplication::clipboard()->text(), expected);
}

QStringList TestErrorList::ExportTo(const QString &path)
{
    QStringList titles;
    f->answerer().Clear();
    f->answerer().SetDialogHandler([&](QWidget *dialog) {
        if (auto *save = qobject_cast<QFileDialog *>(dialog)) {
            auto *name = save->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(path);
            QTest::keyClick(name, Qt::Key_Return);
            return;
        }
        auto *screen = qobject_cast<TfrmErroForneAteFili *>(dialog);
        if (!screen)
            return;
        for (QAction *action : screen->dbgPadrao->actions())
            titles << action->text();
        screen->dbgPadrao->findChild<QAction *>(QStringLiteral("actExportarCsv"))->trigger();
        screen->close();
    });
    CriaErroForneAteFili();
    [&] {
        QCOMPARE(titles, (QStringList{QStringLiteral("&Copiar"), QStringLiteral("&Exportar para CSV…")}));
        QCOMPARE(frmErroForneAteFili->dbgPadrao->contextMenuPolicy(), Qt::ActionsContextMenu);
    }();
    return f->answerer().Messages();
}

// RFC 4180 in UTF-8 with a byte-order mark: CRLF line ends, fields with a comma, a
// quote or a line break quoted and their quotes doubled; every row, whatever is picked.
void TestErrorList::exportWritesCsvWithByteOrderMark()
{
    f->screen()->cdsVerReFoReg->SetData(FakeAppServer::BlockingRowsPacket(
        {{QStringLiteral("0003 - São Paulo"), QStringLiteral("002 - Sudeste"), QStringLiteral("12345678000195"),
          QStringLiteral("Alfa, \"Ltda\""), QStringLiteral("J")}}));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bloqueadas.csv"));
    QCOMPARE(ExportTo(path), QStringList());

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(QString::fromUtf8(bytes.mid(3)),
             QStringLiteral("Fornecedor,Região,Filial\r\n"
                            "\"12.345.678/0001-95 - Alfa, \"\"Ltda\"\"\",002 - Sudeste,0003 - São Paulo\r\n"));
}

// A file that cannot be written: the user is told why, and nothing is left behind.
void TestErrorList::exportFailureIsShownAndWritesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nao-existe/bloqueadas.csv"));
    const QStringList messages = ExportTo(path);
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().startsWith(QStringLiteral("Não foi possível criar o arquivo")), qPrintable(messages.first()));
    QVERIFY(!QFileInfo::exists(path));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void TestErrorList::cutListSaysHowManyAreShown_data()
{
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QString>("line");
    QTest::newRow("the whole list") << qint64(-1) << QString();
    QTest::newRow("the first rows of a million")
        << qint64(1000000) << QStringLiteral("Exibindo 2 de 1.000.000 pares bloqueados.");
}

// When the server sent only the first blocking rows, one line under the grid says how
// many there are; the sentence and the grid stay as they are.
void TestErrorList::cutListSaysHowManyAreShown()
{
    QFETCH(qint64, total);
    QFETCH(QString, line);
    contracts::DataPacket packet = contracts::decodePacket(TwoBlockingRows());
    packet.total = total;
    f->screen()->cdsVerReFoReg->SetData(contracts::encodePacket(packet));
    bool shown = true;
    QString text;
    int rows = -1;
    ShowErrorScreen([&](TfrmErroForneAteFili *screen) {
        shown = screen->lblExibindo->isVisible();
        text = screen->lblExibindo->text();
        rows = screen->dbgPadrao->model()->rowCount();
    });
    QCOMPARE(shown, !line.isEmpty());
    if (shown)
        QCOMPARE(text, line);
    QCOMPARE(rows, 2);
}

QTEST_MAIN(TestErrorList)
#include "tst_error_list.moc"
