#include "listwindowsfixture.h"

#include <QAbstractItemModel>
#include <QLineEdit>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace ListWindowsFixture {

namespace {

struct Supplier {
    const char *code;
    const char *number;   // CNPJ, unique
    const char *name;
};

// Each name a filter must find, next to one only a wildcard, or a quote or backslash
// taken for something else, would also match.
const Supplier Suppliers[] = {
    {"E01", "90000000000101", "Preço 100% Justo"},
    {"E02", "90000000000102", "Mercado 1000 Itens"},
    {"E03", "90000000000103", "Casa_do_Pão"},
    {"E04", "90000000000104", "CasaXdoXPão"},
    {"E05", "90000000000105", "Empório D'Ávila"},
    {"E06", "90000000000106", "Ferro\\Aço"},
    {"E07", "90000000000107", "FerroAço"},
};

// The codes first to last, four digits each ("0015"; supplier codes are four digits too).
QStringList CodeRange(int first, int last)
{
    QStringList codes;
    for (int i = first; i <= last; ++i)
        codes << QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
    return codes;
}

} // namespace

bool Exec(const QSqlDatabase &db, const QString &sql, const QVariantList &values)
{
    QSqlQuery query(db);
    bool ok = query.prepare(sql);
    for (const QVariant &value : values)
        query.addBindValue(value);
    ok = ok && query.exec();
    if (!ok)
        qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    return ok;
}

bool LoadPairs(const QSqlDatabase &db)
{
    for (const Supplier &s : Suppliers) {
        if (!Exec(db, QStringLiteral("INSERT INTO FORNECEDOR (CDFORNECED, IDTPIJURFORN, NRINSJURFORN, NMFANTFORN,"
                                     " NMRAZSOCFORN) VALUES (?, 'J', ?, ?, ?)"),
                  {QString::fromLatin1(s.code), QString::fromLatin1(s.number), QString::fromUtf8(s.name),
                   QString::fromUtf8(s.name)}))
            return false;
    }
    return Exec(db, QStringLiteral("DELETE FROM FORNATENDE"))
        && Exec(db, QStringLiteral("INSERT INTO FORNATENDE (CDFORNECED, CDFILIAL, CDPERIENTR, QTDIASPRAZEXPED,"
                                   " DTULTALTER, NMUSUULTALTER)"
                                   " SELECT S.CDFORNECED, L.CDFILIAL, '07', 3, '2026-01-05 08:00:00', 'carga'"
                                   " FROM FORNECEDOR S CROSS JOIN FILIAL L"));
}

QStringList SupplierCodes()
{
    QStringList codes = CodeRange(1001, 1030);   // the sample data's
    for (const Supplier &s : Suppliers)
        codes << QString::fromLatin1(s.code);
    return codes;
}

QStringList BranchCodes()
{
    return CodeRange(1, 40);   // the sample data's
}

void FilterCaseColumns()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("suppliers");   // empty with branches empty: nothing listed
    QTest::addColumn<QStringList>("branches");
}

void FilterCaseRows()
{
    const QStringList everySupplier = SupplierCodes();
    const QStringList everyBranch = BranchCodes();
    const QStringList none;
    const QString supplier = QStringLiteral("edtFornecedor");
    const QString branch = QStringLiteral("edtFilial");
    const QString region = QStringLiteral("edtRegiao");
    // Supplier: code prefix or fantasy-name substring, any case.
    QTest::newRow("fornecedor por código") << supplier << "101" << CodeRange(1010, 1019) << everyBranch;
    QTest::newRow("código só no começo") << supplier << "02" << none << none;
    QTest::newRow("nome em minúsculas") << supplier << "serra verde" << QStringList{"1003"} << everyBranch;
    QTest::newRow("por cento literal") << supplier << "100%" << QStringList{"E01"} << everyBranch;
    QTest::newRow("sublinhado literal") << supplier << "casa_do" << QStringList{"E03"} << everyBranch;
    QTest::newRow("aspas") << supplier << "D'Ávila" << QStringList{"E05"} << everyBranch;
    QTest::newRow("barra invertida") << supplier << "o\\A" << QStringList{"E06"} << everyBranch;
    // Branch: code prefix or name substring.
    QTest::newRow("filial por código") << branch << "0001" << everySupplier << QStringList{"0001"};
    QTest::newRow("filial por nome") << branch << "paulo" << everySupplier << QStringList{"0001"};
    QTest::newRow("filial com por cento") << branch << "%" << none << none;
    QTest::newRow("filial com aspas") << branch << "'" << none << none;
    // Region: code prefix or name substring; the pairs of its branches.
    QTest::newRow("região por nome") << region << "sul" << everySupplier << CodeRange(15, 22);
    QTest::newRow("região com sublinhado") << region << "_" << none << none;
    QTest::newRow("região por código") << region << "co" << everySupplier << CodeRange(31, 35);
}

QList<QStringList> CrossPairs(const QStringList &suppliers, const QStringList &branches)
{
    QList<QStringList> pairs;
    for (const QString &supplier : suppliers) {
        for (const QString &branch : branches)
            pairs.append({supplier, branch});
    }
    return pairs;
}

void TypeFilter(QWidget *window, const QString &field, const QString &text)
{
    auto *edit = window->findChild<QLineEdit *>(field);
    QVERIFY2(edit, qPrintable(field));
    auto *timer = window->findChild<QTimer *>(QStringLiteral("tmrFiltro"));
    QVERIFY(timer);
    edit->setFocus();
    QTest::keyClicks(edit, text);
    QCOMPARE(edit->text(), text);
    QTRY_VERIFY(!timer->isActive());
}

void ScrollToEnd(QTableView *grid)
{
    QAbstractItemModel *model = grid->model();
    grid->setFocus();
    for (int guard = 0; model->canFetchMore(QModelIndex()) && guard < 1000; ++guard) {
        QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
        QCoreApplication::processEvents();
    }
    QVERIFY(!model->canFetchMore(QModelIndex()));
}

QList<QStringList> ListedPairs(const QAbstractItemModel *model)
{
    QList<QStringList> pairs;
    for (int row = 0; row < model->rowCount(); ++row)
        pairs.append({model->index(row, 0).data().toString(), model->index(row, 2).data().toString()});
    return pairs;
}

} // namespace ListWindowsFixture
