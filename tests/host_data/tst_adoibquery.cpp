// Query on the "adcGeral" connection, against a real SQLite file.

#include "runtime/errors.h"
#include "data/tadoibquery.h"

#include "branchdata.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using BranchData::errorOf;

namespace {

QStringList column(TDataSet &dataSet, const QString &field)
{
    QStringList values;
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next())
        values << dataSet.FieldByName(field)->AsString();
    return values;
}

const QString kConnection = QString::fromLatin1(TADOIBQuery::ConnectionName);

} // namespace

class TstADOIBQuery : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void bindsRepeatedNamedParameters_data();
    void bindsRepeatedNamedParameters();
    void choosesTextByDriver_data();
    void choosesTextByDriver();
    void runsGenericTextOnSqlite();
    void takesResultColumnsAsFields();
    void matchesPersistentFieldsByName();
    void reportsDatabaseErrors();
    void needsTheConnection();

private:
    QTemporaryDir m_dir;
};

void TstADOIBQuery::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("setup"));
    db.setDatabaseName(m_dir.filePath(QStringLiteral("geral.db")));
    QVERIFY(db.open());
    QSqlQuery q(db);
    QVERIFY(q.exec(QStringLiteral("CREATE TABLE PERIENTR (CDPERIENTR VARCHAR(2), NMPERIENTR VARCHAR(30), NRDIAS INTEGER)")));
    QVERIFY(q.exec(QStringLiteral("INSERT INTO PERIENTR VALUES ('01','SEMANAL',7), ('02','QUINZENAL',15), "
                                  "('03','MENSAL',30), ('04','a:P_CD',45)")));
    q.clear();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("setup"));
}

void TstADOIBQuery::init()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
    db.setDatabaseName(m_dir.filePath(QStringLiteral("geral.db")));
    QVERIFY(db.open());
}

void TstADOIBQuery::cleanup()
{
    if (QSqlDatabase::contains(kConnection)) {
        QSqlDatabase::database(kConnection, false).close();
        QSqlDatabase::removeDatabase(kConnection);
    }
}

void TstADOIBQuery::bindsRepeatedNamedParameters_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QVariant>("minDays");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("one code") << "02" << QVariant(0) << QStringList{"02"};
    QTest::newRow("empty code: all, from the minimum") << "" << QVariant(15) << QStringList{"02", "03", "04"};
    QTest::newRow("code below the minimum") << "01" << QVariant(10) << QStringList{};
    QTest::newRow("parameter never set binds null") << "" << QVariant() << QStringList{};
}

void TstADOIBQuery::bindsRepeatedNamedParameters()
{
    QFETCH(QString, code);
    QFETCH(QVariant, minDays);
    QFETCH(QStringList, codes);

    // :P_CD occurs twice; :P_CDMIN begins like it; ':P_CD' in quotes is text, not a
    // parameter; "::" and comments are left alone.
    TADOIBQuery query;
    query.SQL = QStringLiteral(
        "SELECT CDPERIENTR, NMPERIENTR FROM PERIENTR\n"
        "WHERE (CDPERIENTR = :P_CD OR :p_cd = '') -- :P_NADA\n"
        "  AND NRDIAS >= :P_CDMIN AND NMPERIENTR <> 'x:P_CD' /* :P_OUTRO */\n"
        "ORDER BY CDPERIENTR");
    query.ParamByName(QStringLiteral("P_CD")).SetAsString(code);
    if (minDays.isValid())
        query.ParamByName(QStringLiteral(":p_cdmin")).Value = minDays;
    query.Open();
    QCOMPARE(column(query, QStringLiteral("CDPERIENTR")), codes);
    QCOMPARE(query.IsEmpty(), codes.isEmpty());

    // Reopening runs again with the current values.
    query.Close();
    query.ParamByName(QStringLiteral("P_CDMIN")).Value = 31;
    query.ParamByName(QStringLiteral("P_CD")).SetAsString(QString());
    query.Open();
    QCOMPARE(column(query, QStringLiteral("CDPERIENTR")), QStringList{"04"});
}

void TstADOIBQuery::choosesTextByDriver_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<bool>("withFamilyTexts");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Oracle") << "QOCI" << true << "oracle";
    QTest::newRow("SQL Server over ODBC") << "QODBC" << true << "mssql";
    QTest::newRow("SQL Server over TDS") << "QTDS" << true << "mssql";
    QTest::newRow("InterBase") << "QIBASE" << true << "ib";
    QTest::newRow("SQLite") << "QSQLITE" << true << "generic";
    QTest::newRow("PostgreSQL") << "QPSQL" << true << "generic";
    QTest::newRow("Oracle without its text") << "QOCI" << false << "generic";
    QTest::newRow("InterBase without its text") << "QIBASE" << false << "generic";
}

void TstADOIBQuery::choosesTextByDriver()
{
    QFETCH(QString, driver);
    QFETCH(bool, withFamilyTexts);
    QFETCH(QString, expected);
    TADOIBQuery query;
    query.SQL = QStringLiteral("generic");
    if (withFamilyTexts) {
        query.SQL_ORACLE = QStringLiteral("oracle");
        query.SQL_MSSQL = QStringLiteral("mssql");
        query.SQL_IB = QStringLiteral("ib");
    }
    QCOMPARE(query.SQLForDriver(driver), expected);
}

void TstADOIBQuery::runsGenericTextOnSqlite()
{
    TADOIBQuery query;
    query.SQL = QStringLiteral("SELECT NMPERIENTR FROM PERIENTR WHERE CDPERIENTR = :P_CD");
    query.SQL_ORACLE = QStringLiteral("SELECT broken FROM DUAL");
    query.SQL_MSSQL = QStringLiteral("SELECT TOP 1 broken");
    query.SQL_IB = QStringLiteral("SELECT FIRST 1 broken");
    QCOMPARE(query.ActiveSQL(), query.SQL);
    query.ParamByName(QStringLiteral("P_CD")).SetAsString(QStringLiteral("03"));
    query.Open();
    QCOMPARE(query.FieldByName(QStringLiteral("NMPERIENTR"))->AsString(), QStringLiteral("MENSAL"));
}

void TstADOIBQuery::takesResultColumnsAsFields()
{
    TADOIBQuery query;
    query.SQL = QStringLiteral("SELECT CDPERIENTR, NRDIAS FROM PERIENTR ORDER BY NRDIAS DESC");
    int afterOpen = 0;
    query.AfterOpen = [&](TDataSet *) { ++afterOpen; };
    query.Open();
    QCOMPARE(afterOpen, 1);
    QCOMPARE(query.FieldCount(), 2);
    QCOMPARE(query.Fields(1)->FieldName, QStringLiteral("NRDIAS"));
    QCOMPARE(query.Fields(1)->DataType, TFieldType::Integer);
    QCOMPARE(query.FieldByName(QStringLiteral("nrdias"))->Value(), QVariant(qlonglong(45)));
    QCOMPARE(query.RecordCount(), 4);

    // Only reads.
    QVERIFY(!errorOf([&] { query.Edit(); }).isEmpty());
    QVERIFY(!(query.flags(query.index(0, 0)) & Qt::ItemIsEditable));
}

void TstADOIBQuery::matchesPersistentFieldsByName()
{
    TADOIBQuery query;
    TField *name = query.AddField(QStringLiteral("NMPERIENTR"), TFieldType::String, 30, QStringLiteral("Periodicidade"));
    TField *code = query.AddField(QStringLiteral("CDPERIENTR"), TFieldType::String, 2, QStringLiteral("Código"));
    query.SQL = QStringLiteral("SELECT NRDIAS, CDPERIENTR, NMPERIENTR FROM PERIENTR ORDER BY CDPERIENTR");
    query.Open();
    QCOMPARE(query.FieldCount(), 2);
    QCOMPARE(query.Fields(0), name);
    QCOMPARE(name->DisplayLabel, QStringLiteral("Periodicidade"));
    QCOMPARE(code->AsString(), QStringLiteral("01"));
    QCOMPARE(name->AsString(), QStringLiteral("SEMANAL"));
    query.Close();

    // A defined field the result lacks: error, and the query stays closed.
    query.AddField(QStringLiteral("IDATIVO"), TFieldType::String, 1);
    const QString message = errorOf([&] { query.Open(); });
    QVERIFY2(message.contains(QStringLiteral("IDATIVO")), qPrintable(message));
    QVERIFY(!query.Active());
    QCOMPARE(query.RecordCount(), 0);
}

void TstADOIBQuery::reportsDatabaseErrors()
{
    TADOIBQuery query;
    query.SQL = QStringLiteral("SELECT * FROM TABELA_QUE_NAO_EXISTE WHERE X = :P_X");
    const QString message = errorOf([&] { query.Open(); });
    QVERIFY2(message.contains(QStringLiteral("TABELA_QUE_NAO_EXISTE")), qPrintable(message));
    QVERIFY(!query.Active());

    query.SQL = QStringLiteral("SELECT CDPERIENTR FROM PERIENTR");
    query.Open();
    QCOMPARE(query.RecordCount(), 4);
}

void TstADOIBQuery::needsTheConnection()
{
    cleanup();
    TADOIBQuery query;
    query.SQL = QStringLiteral("SELECT 1");
    const QString message = errorOf([&] { query.Open(); });
    QVERIFY2(message.contains(kConnection), qPrintable(message));
    QVERIFY(!query.Active());
}

QTEST_GUILESS_MAIN(TstADOIBQuery)
#include "tst_adoibquery.moc"
