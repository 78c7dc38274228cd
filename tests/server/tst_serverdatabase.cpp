// The server's database: schema versions applied to an empty file and to older
// databases, keys enforced by the database, the sample data loaded on request and its
// promises, the SQL script splitter, the registration-number check digits and the large
// data generator.

#include "datagenerator.h"
#include "inscricao.h"
#include "servererror.h"
#include "serverdatabase.h"
#include "sqlscript.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using namespace appserver;

namespace {

const QString kConnection = QStringLiteral("schemaTest");

QStringList column(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    if (!query.exec(sql))
        qWarning("query failed: %s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    QStringList values;
    while (query.next())
        values.append(query.value(0).toString());
    return values;
}

bool runs(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    return query.exec(sql);
}

void runScript(const QSqlDatabase &db, const QString &resource)
{
    QFile script(resource);
    QVERIFY2(script.open(QIODevice::ReadOnly), qPrintable(resource));
    for (const QString &statement : splitSqlScript(QString::fromUtf8(script.readAll())))
        QVERIFY2(runs(db, statement), qPrintable(statement));
}

// A database as an earlier server left it: the schema file, then, when given, the
// sample data recorded as schema version 2 under its old file name.
void makeOlderDatabase(const QString &path, bool withSampleDataAsVersion2)
{
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        raw.setDatabaseName(path);
        QVERIFY(raw.open());
        QVERIFY(runs(raw, QStringLiteral("CREATE TABLE SCHEMAVERSAO (NRVERSAO INTEGER NOT NULL PRIMARY KEY,"
                                         " NMARQUIVO VARCHAR(100) NOT NULL, DTAPLICACAO TIMESTAMP NOT NULL)")));
        runScript(raw, QStringLiteral(":/appserver/sql/0001_esquema.sql"));
        QVERIFY(runs(raw, QStringLiteral("INSERT INTO SCHEMAVERSAO VALUES (1, '0001_esquema.sql', CURRENT_TIMESTAMP)")));
        if (withSampleDataAsVersion2) {
            runScript(raw, QStringLiteral(":/appserver/sql/dados_exemplo.sql"));
            QVERIFY(runs(raw, QStringLiteral("INSERT INTO SCHEMAVERSAO VALUES (2, '0002_dados_exemplo.sql',"
                                             " CURRENT_TIMESTAMP)")));
        }
        raw.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
}

const QStringList kDataTables{"PAIS", "ESTADO", "MUNICIPIO", "REGIAO", "FILIAL", "FORNECEDOR", "FORNREGIAO",
                              "PERIENTR", "FORNATENDE", "PARAMGERAL", "LOGCADAUTO", "LOGCADAUTOFORN",
                              "LOGCADAUTOFIL", "LOGCADAUTOSUBST"};

// The row count of every data table, "TABLE=n", in kDataTables' order.
QStringList rowCounts(const QSqlDatabase &db)
{
    QStringList counts;
    for (const QString &table : kDataTables)
        counts.append(table + QLatin1Char('=') + column(db, QStringLiteral("SELECT COUNT(*) FROM ") + table).value(0));
    return counts;
}

} // namespace

class TestServerDatabase : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString path;
    QSqlDatabase db;

private slots:
    void init()
    {
        path = dir.filePath(QStringLiteral("%1.db").arg(QTest::currentTestFunction()));
        QFile::remove(path);
        db = ServerDatabase::openSqlite(path, kConnection);
        QVERIFY(ServerDatabase::loadSampleData(db));
    }

    void cleanup()
    {
        db = QSqlDatabase();
        ServerDatabase::close(kConnection);
    }

    void emptyFileGetsEveryVersion()
    {
        QCOMPARE(ServerDatabase::schemaVersion(db), ServerDatabase::latestSchemaVersion());
        QCOMPARE(column(db, QStringLiteral("SELECT NMARQUIVO FROM SCHEMAVERSAO ORDER BY NRVERSAO")),
                 (QStringList{"0001_esquema.sql", "0002_sem_alteracao.sql", "0003_usuarios_sessoes.sql",
                              "0004_historico.sql"}));
        for (const QString &table : kDataTables)
            QVERIFY2(db.tables().contains(table), qPrintable(table));
        QCOMPARE(column(db, QStringLiteral("PRAGMA journal_mode")), QStringList{"wal"});
        QCOMPARE(column(db, QStringLiteral("PRAGMA foreign_keys")), QStringList{"1"});
    }

    void reopeningAppliesNothingTwice()
    {
        QVERIFY(runs(db, QStringLiteral("DELETE FROM FORNATENDE")));
        cleanup();
        db = ServerDatabase::openSqlite(path, kConnection);
        QCOMPARE(column(db, QStringLiteral("SELECT COUNT(*) FROM SCHEMAVERSAO")), QStringList{"4"});
        QCOMPARE(column(db, QStringLiteral("SELECT COUNT(*) FROM FORNATENDE")), QStringList{"0"});
        QCOMPARE(column(db, QStringLiteral("SELECT COUNT(*) FROM FILIAL")), QStringList{"40"});
    }

    void newDatabaseHasTheSchemaAndNoRows()
    {
        cleanup();
        const QString fresh = dir.filePath(QStringLiteral("producao.db"));
        db = ServerDatabase::openSqlite(fresh, kConnection);
        QCOMPARE(ServerDatabase::schemaVersion(db), ServerDatabase::latestSchemaVersion());
        QStringList empty;
        for (const QString &table : kDataTables)
            empty.append(table + QStringLiteral("=0"));
        QCOMPARE(rowCounts(db), empty);
    }

    void laterVersionsAreAppliedToAnOlderDatabase()
    {
        cleanup();
        // A database made when only the schema file existed.
        const QString older = dir.filePath(QStringLiteral("versao1.db"));
        makeOlderDatabase(older, false);
        if (QTest::currentTestFailed())
            return;

        db = ServerDatabase::openSqlite(older, kConnection);
        QCOMPARE(ServerDatabase::schemaVersion(db), ServerDatabase::latestSchemaVersion());
        QCOMPARE(column(db, QStringLiteral("SELECT COUNT(*) FROM FILIAL")), QStringList{"0"});   // no demo rows
        QVERIFY(ServerDatabase::loadSampleData(db));
        QCOMPARE(column(db, QStringLiteral("SELECT COUNT(*) FROM FILIAL")), QStringList{"40"});
    }

    void databaseWithSampleDataAsVersion2StillOpens()
    {
        cleanup();
        const QString older = dir.filePath(QStringLiteral("versao2_exemplo.db"));
        makeOlderDatabase(older, true);
        if (QTest::currentTestFailed())
            return;

        db = ServerDatabase::openSqlite(older, kConnection);
        QCOMPARE(ServerDatabase::schemaVersion(db), ServerDatabase::latestSchemaVersion());
        QCOMPARE(column(db, QStringLiteral("SELECT NMARQUIVO FROM SCHEMAVERSAO ORDER BY NRVERSAO")),
                 (QStringList{"0001_esquema.sql", "0002_dados_exemplo.sql", "0003_usuarios_sessoes.sql",
                              "0004_historico.sql"}));
        const QStringList before = rowCounts(db);
        QVERIFY(before.contains(QStringLiteral("FILIAL=40")));
        QVERIFY(!ServerDatabase::loadSampleData(db));
        QCOMPARE(rowCounts(db), before);
    }

    void sampleDataLoadsOnlyIntoAnEmptyDatabase_data()
    {
        QTest::addColumn<QString>("ownData");   // run on a new database before the load
        QTest::addColumn<bool>("loads");
        QTest::newRow("empty database") << QString() << true;
        QTest::newRow("sample data loaded before") << QString() << false;
        QTest::newRow("a region of the user's own") << "INSERT INTO REGIAO VALUES ('X', 'Própria')" << false;
        QTest::newRow("a general parameter of the user's own")
            << "INSERT INTO PARAMGERAL (NRPARAMGERAL, VLPARAMGERAL, DSPARAMGERAL) VALUES (0, '1', 'x')" << false;
    }

    void sampleDataLoadsOnlyIntoAnEmptyDatabase()
    {
        QFETCH(QString, ownData);
        QFETCH(bool, loads);
        cleanup();
        db = ServerDatabase::openSqlite(dir.filePath(QStringLiteral("carga_%1.db").arg(QTest::currentDataTag())),
                                        kConnection);
        if (!ownData.isEmpty())
            QVERIFY(runs(db, ownData));
        else if (!loads)
            QVERIFY(ServerDatabase::loadSampleData(db));
        const QStringList before = rowCounts(db);

        QCOMPARE(ServerDatabase::loadSampleData(db), loads);
        if (loads)
            QVERIFY(rowCounts(db).contains(QStringLiteral("FILIAL=40")));
        else
            QCOMPARE(rowCounts(db), before);   // nothing added, nothing removed
    }

    void foreignDatabaseIsRefused()
    {
        cleanup();
        const QString other = dir.filePath(QStringLiteral("alheio.db"));
        {
            QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
            raw.setDatabaseName(other);
            QVERIFY(raw.open());
            QVERIFY(runs(raw, QStringLiteral("CREATE TABLE QUALQUER (X INTEGER)")));
            raw.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("raw"));
        try {
            ServerDatabase::openSqlite(other, kConnection);
            QFAIL("a database without SCHEMAVERSAO was accepted");
        } catch (const ServerError &error) {
            QVERIFY(error.message().contains(QStringLiteral("SCHEMAVERSAO")));
        }
        QVERIFY(!QSqlDatabase::contains(kConnection));   // no connection left behind
    }

    // Files the server must not take: each is refused with a message naming the problem,
    // before anything is written, so the file is byte for byte as it was.
    void refusedFilesStayAsTheyWere_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("another program's database") << "foreign" << "não foi criado por este servidor";
        QTest::newRow("a text file") << "text" << "não é um banco de dados SQLite";
        QTest::newRow("a truncated database") << "truncated" << "truncado ou corrompido";
        QTest::newRow("a corrupt database") << "corrupt" << "corrompido";
        QTest::newRow("a folder") << "folder" << "não é um arquivo";
    }
    void refusedFilesStayAsTheyWere()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        cleanup();
        // `path` holds this server's own database, written and closed.
        QFile own(path);
        QVERIFY(own.open(QIODevice::ReadOnly));
        const QByteArray ownBytes = own.readAll();
        own.close();
        const QString target = dir.filePath(QStringLiteral("alvo-%1.db").arg(kind));
        QFile file(target);
        if (kind == QLatin1String("foreign")) {
            {
                QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
                raw.setDatabaseName(target);
                QVERIFY(raw.open());
                QVERIFY(runs(raw, QStringLiteral("CREATE TABLE QUALQUER (X INTEGER)")));
                raw.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("raw"));
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(target));
        } else {
            QByteArray bytes = ownBytes;
            if (kind == QLatin1String("text"))
                bytes = QByteArray("CDFILIAL;NMFILIAL\n0001;MATRIZ\n").repeated(200);
            else if (kind == QLatin1String("truncated"))
                bytes.truncate(1000);
            else   // the first page's schema tree overwritten, the length still whole pages
                bytes.replace(100, 3900, QByteArray(3900, '\xff'));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            file.close();
        }
        const auto fingerprint = [&] {
            QFile read(target);
            return read.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(read.readAll(), QCryptographicHash::Sha256)
                                                  : QByteArray("folder");
        };
        const QByteArray before = fingerprint();

        try {
            ServerDatabase::openSqlite(target, kConnection);
            QFAIL("the file was accepted");
        } catch (const ServerError &error) {
            QVERIFY2(error.message().contains(message), qPrintable(error.message()));
        }
        QCOMPARE(fingerprint(), before);
        QVERIFY(!QFileInfo::exists(target + QStringLiteral("-wal")));
        QVERIFY(!QSqlDatabase::contains(kConnection));
    }

    void unopenableFileIsAPortugueseError()
    {
        cleanup();
        try {
            ServerDatabase::openSqlite(dir.filePath(QStringLiteral("nao/existe/aqui.db")), kConnection);
            QFAIL("opened a file in a missing folder");
        } catch (const ServerError &error) {
            QVERIFY(error.message().startsWith(QStringLiteral("Não foi possível abrir o banco de dados")));
        }
        QVERIFY(!QSqlDatabase::contains(kConnection));
    }

    void keysAreEnforcedByTheDatabase_data()
    {
        QTest::addColumn<QString>("statement");
        const QString pair = QStringLiteral("INSERT INTO FORNATENDE (CDFORNECED, CDFILIAL, CDPERIENTR,"
                                            " QTDIASPRAZEXPED, DTULTALTER, NMUSUULTALTER) VALUES ");
        QTest::newRow("duplicate pair") << pair + "('1002', '0001', '01', 0, '2026-01-01', 'x')";
        QTest::newRow("pair with unknown supplier") << pair + "('9999', '0001', '01', 0, '2026-01-01', 'x')";
        QTest::newRow("pair with unknown branch") << pair + "('1001', '9999', '01', 0, '2026-01-01', 'x')";
        QTest::newRow("pair with unknown periodicity") << pair + "('1001', '0003', 'ZZ', 0, '2026-01-01', 'x')";
        QTest::newRow("lead time out of range") << pair + "('1001', '0003', '01', 1000, '2026-01-01', 'x')";
        QTest::newRow("branch in unknown region")
            << "INSERT INTO FILIAL VALUES ('0999', 'XX', 'Loja', '1058', 'SP', '0001')";
        QTest::newRow("branch in unknown municipality")
            << "INSERT INTO FILIAL VALUES ('0999', 'SE', 'Loja', '1058', 'SP', '0999')";
        QTest::newRow("supplier of unknown type")
            << "INSERT INTO FORNECEDOR VALUES ('2001', 'X', '12345678901', 'A', 'B')";
        QTest::newRow("served region unknown") << "INSERT INTO FORNREGIAO VALUES ('1001', 'XX')";
        QTest::newRow("deleting a served branch") << "DELETE FROM FILIAL WHERE CDFILIAL = '0001'";
    }

    void keysAreEnforcedByTheDatabase()
    {
        QFETCH(QString, statement);
        QVERIFY(!runs(db, statement));
    }

    void sampleDataKeepsItsPromises()
    {
        QCOMPARE(column(db, QStringLiteral("SELECT CDREGIAO FROM REGIAO ORDER BY CDREGIAO")),
                 (QStringList{"CO", "N", "NE", "S", "SE"}));
        QCOMPARE(column(db, QStringLiteral("SELECT COUNT(*) FROM FILIAL")), QStringList{"40"});
        QCOMPARE(column(db, QStringLiteral("SELECT COUNT(DISTINCT CDREGIAO) FROM FILIAL")), QStringList{"5"});
        QVERIFY(column(db, QStringLiteral("SELECT COUNT(DISTINCT SGESTADO) FROM FILIAL")).value(0).toInt() >= 10);
        QCOMPARE(column(db, QStringLiteral("SELECT IDTPIJURFORN || COUNT(*) FROM FORNECEDOR"
                                           " GROUP BY IDTPIJURFORN ORDER BY 1")),
                 (QStringList{"F10", "J20"}));
        QCOMPARE(column(db, QStringLiteral("SELECT CDPERIENTR FROM PERIENTR ORDER BY CDPERIENTR")),
                 (QStringList{"01", "07", "0A", "15", "1A", "30"}));
        QCOMPARE(column(db, QStringLiteral("SELECT VLPARAMGERAL FROM PARAMGERAL WHERE NRPARAMGERAL = 0")),
                 QStringList{"3"});
        QCOMPARE(column(db, QStringLiteral("PRAGMA foreign_key_check")), QStringList{});
        // Every branch lies in its state's region and uses codes of the documented sizes.
        QCOMPARE(column(db, QStringLiteral("SELECT COUNT(*) FROM FILIAL WHERE LENGTH(CDFILIAL) <> 4"
                                           " OR LENGTH(CDMUNICIPIO) <> 4 OR LENGTH(CDPAIS) <> 4")),
                 QStringList{"0"});
    }

    void sampleRegistrationNumbersHaveValidCheckDigits()
    {
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral("SELECT IDTPIJURFORN, NRINSJURFORN FROM FORNECEDOR")));
        int checked = 0;
        while (query.next()) {
            const QString type = query.value(0).toString();
            const QString number = query.value(1).toString();
            QVERIFY2(isValidRegistrationNumber(type, number), qPrintable(type + QLatin1Char(' ') + number));
            ++checked;
        }
        QCOMPARE(checked, 30);
    }

    void registrationNumberCheckDigits_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("valid");
        QTest::newRow("cnpj") << "J" << "11222333000181" << true;
        QTest::newRow("cnpj last digit 0") << "J" << "11444777000161" << true;
        QTest::newRow("cnpj wrong digit") << "J" << "11222333000182" << false;
        QTest::newRow("cnpj as individual") << "F" << "11222333000181" << false;
        QTest::newRow("cnpj formatted") << "J" << "11.222.333/0001-81" << false;
        QTest::newRow("cnpj repeated digit") << "J" << "00000000000000" << false;
        QTest::newRow("cpf") << "F" << "52998224725" << true;
        QTest::newRow("cpf wrong digit") << "F" << "52998224726" << false;
        QTest::newRow("cpf repeated digit") << "F" << "11111111111" << false;
        QTest::newRow("cpf short") << "F" << "5299822472" << false;
        QTest::newRow("unknown type") << "X" << "52998224725" << false;
        QTest::newRow("empty") << "J" << "" << false;
    }

    void registrationNumberCheckDigits()
    {
        QFETCH(QString, type);
        QFETCH(QString, number);
        QFETCH(bool, valid);
        QCOMPARE(isValidRegistrationNumber(type, number), valid);
    }

    void checkDigitsAreComputedFromTheBase()
    {
        QCOMPARE(cnpjFromBase(QStringLiteral("112223330001")), QStringLiteral("11222333000181"));
        QCOMPARE(cpfFromBase(QStringLiteral("529982247")), QStringLiteral("52998224725"));
        QCOMPARE(cnpjFromBase(QStringLiteral("1122233300")), QString());
        QCOMPARE(cpfFromBase(QStringLiteral("52998224a")), QString());
    }

    void scriptSplitter_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("statements");
        QTest::newRow("two statements") << "SELECT 1; SELECT 2;" << QStringList{"SELECT 1", "SELECT 2"};
        QTest::newRow("no final semicolon") << "SELECT 1" << QStringList{"SELECT 1"};
        QTest::newRow("semicolon in text") << "INSERT INTO T VALUES ('a;b');" << QStringList{"INSERT INTO T VALUES ('a;b')"};
        QTest::newRow("escaped quote") << "SELECT 'D''Ávila; x'; SELECT 2"
                                       << QStringList{"SELECT 'D''Ávila; x'", "SELECT 2"};
        QTest::newRow("line comment with semicolon") << "-- a; b\nSELECT 1; -- fim;\n"
                                                     << QStringList{"SELECT 1"};
        QTest::newRow("dashes in text") << "SELECT '--x';" << QStringList{"SELECT '--x'"};
        QTest::newRow("block comment") << "SELECT /* ; */ 1;" << QStringList{"SELECT   1"};
        QTest::newRow("blank statements") << " ; ;\n;" << QStringList{};
    }

    void scriptSplitter()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, statements);
        QCOMPARE(splitSqlScript(script), statements);
    }

    void generatorFillsTheRequestedSizes()
    {
        DataGenerator::populate(db, 120, 45);
        QCOMPARE(column(db, QStringLiteral("SELECT COUNT(*) FROM FILIAL")), QStringList{"120"});
        QCOMPARE(column(db, QStringLiteral("SELECT COUNT(*) FROM FORNECEDOR")), QStringList{"45"});
        QCOMPARE(column(db, QStringLiteral("SELECT COUNT(*) FROM FORNREGIAO")), QStringList{QString::number(45 * 5)});
        QCOMPARE(column(db, QStringLiteral("SELECT COUNT(*) FROM FORNATENDE")), QStringList{"0"});
        QCOMPARE(column(db, QStringLiteral("SELECT COUNT(DISTINCT CDREGIAO) FROM FILIAL")), QStringList{"5"});
        QCOMPARE(column(db, QStringLiteral("PRAGMA foreign_key_check")), QStringList{});
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral("SELECT IDTPIJURFORN, NRINSJURFORN FROM FORNECEDOR")));
        while (query.next())
            QVERIFY(isValidRegistrationNumber(query.value(0).toString(), query.value(1).toString()));
        // Branches are placed in their state's region (São Paulo in the Southeast).
        QCOMPARE(column(db, QStringLiteral("SELECT DISTINCT CDREGIAO FROM FILIAL WHERE SGESTADO = 'SP'")),
                 QStringList{"SE"});
    }

    void generatorCodesFitTheColumns()
    {
        QCOMPARE(DataGenerator::branchCode(7, 1000), QStringLiteral("0007"));
        QCOMPARE(DataGenerator::branchCode(9999, 9999), QStringLiteral("9999"));
        QCOMPARE(DataGenerator::branchCode(10000, 20000).size(), 4);
        QCOMPARE(DataGenerator::branchCode(DataGenerator::maxBranches(), DataGenerator::maxBranches()),
                 QStringLiteral("ZZZZ"));
        QVERIFY(DataGenerator::supplierCode(1).size() <= 21);
        QVERIFY_THROWS_EXCEPTION(ServerError, DataGenerator::populate(db, 0, 10));
    }
};

QTEST_GUILESS_MAIN(TestServerDatabase)
#include "tst_serverdatabase.moc"
