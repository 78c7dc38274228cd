#include "serverdatabase.h"

#include "servererror.h"
#include "sqlscript.h"
#include "sqlsupport.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QVector>

#include <exception>

static void initAppServerResources()
{
    // The resources live in a static library: register them explicitly.
    Q_INIT_RESOURCE(appserver);
}

namespace appserver {

namespace {

struct SchemaFile {
    int version;
    const char *resource;
};

// In application order. Append new versions at the end; never edit an applied file.
const QVector<SchemaFile> &schemaFiles()
{
    static const QVector<SchemaFile> files = {
        {1, ":/appserver/sql/0001_esquema.sql"},
        {2, ":/appserver/sql/0002_sem_alteracao.sql"},
        {3, ":/appserver/sql/0003_usuarios_sessoes.sql"},
        {4, ":/appserver/sql/0004_historico.sql"},
    };
    return files;
}

const char kSampleData[] = ":/appserver/sql/dados_exemplo.sql";

const QString kVersionTable = QStringLiteral("SCHEMAVERSAO");

QString readResource(const char *path)
{
    initAppServerResources();
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        throw ServerError(ServerTexts::tr("Arquivo de esquema não encontrado: %1").arg(QString::fromLatin1(path)));
    return QString::fromUtf8(file.readAll());
}

bool hasVersionTable(const QSqlDatabase &db)
{
    return db.tables(QSql::Tables).contains(kVersionTable, Qt::CaseInsensitive);
}

void createVersionTable(const QSqlDatabase &db)
{
    execSql(db, QStringLiteral(
        "CREATE TABLE IF NOT EXISTS SCHEMAVERSAO ("
        " NRVERSAO INTEGER NOT NULL,"
        " NMARQUIVO VARCHAR(100) NOT NULL,"
        " DTAPLICACAO TIMESTAMP NOT NULL,"
        " CONSTRAINT PK_SCHEMAVERSAO PRIMARY KEY (NRVERSAO))"));
}

void applyFile(const QSqlDatabase &db, const SchemaFile &file)
{
    Transaction transaction(db, Transaction::Kind::Write);
    // Another process may have applied it while we waited for the write lock.
    if (ServerDatabase::schemaVersion(db) >= file.version)
        return;
    for (const QString &statement : splitSqlScript(readResource(file.resource)))
        execSql(db, statement);
    execSql(db, QStringLiteral("INSERT INTO SCHEMAVERSAO (NRVERSAO, NMARQUIVO, DTAPLICACAO)"
                               " VALUES (?, ?, CURRENT_TIMESTAMP)"),
            {file.version, QString::fromLatin1(file.resource).section(QLatin1Char('/'), -1)});
    transaction.commit();
}

// The tables a script inserts into, in the order it first does.
QStringList tablesFilledBy(const QStringList &statements)
{
    static const QRegularExpression insertInto(QStringLiteral("^INSERT\\s+INTO\\s+(\\w+)"),
                                               QRegularExpression::CaseInsensitiveOption);
    QStringList tables;
    for (const QString &statement : statements) {
        const QRegularExpressionMatch match = insertInto.match(statement);
        if (match.hasMatch() && !tables.contains(match.captured(1)))
            tables.append(match.captured(1));
    }
    return tables;
}

bool anyHasRows(const QSqlDatabase &db, const QStringList &tables)
{
    for (const QString &table : tables) {
        // The names come from the library's own script, never from a caller.
        if (execSql(db, QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(table)).next())
            return true;
    }
    return false;
}

void execPragma(const QSqlDatabase &db, const QString &pragma)
{
    QSqlQuery query(db);
    if (!query.exec(pragma))
        throw ServerError(ServerTexts::tr("Erro ao configurar o banco de dados (%1): %2")
                              .arg(pragma, query.lastError().text()));
}

// Opens the connection added under `name` and runs `setup` on it. On any failure the
// connection is closed and removed once no handle to it is left (a handle still alive
// at removal would leave Qt warning that it is in use), and the error passes on.
template <typename Setup>
QSqlDatabase openPrepared(const QString &name, const QString &what, Setup setup)
{
    std::exception_ptr failure;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        try {
            if (!db.open())
                throw ServerError(ServerTexts::tr("Não foi possível abrir o banco de dados %1: %2")
                                      .arg(what, db.lastError().text()));
            setup(db);
            return db;
        } catch (...) {
            failure = std::current_exception();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    std::rethrow_exception(failure);
}

void requireDriver(const char *driver)
{
    if (!QSqlDatabase::isDriverAvailable(QString::fromLatin1(driver)))
        throw ServerError(ServerTexts::tr("Driver de banco de dados %1 não disponível.").arg(QString::fromLatin1(driver)));
}

// A file that is there must look like a whole SQLite database before SQLite is let
// near it: its header names the format and its length is whole pages.
void requireSqliteFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || (info.isFile() && info.size() == 0))
        return;   // a new database
    if (!info.isFile())
        throw ServerError(ServerTexts::tr("\"%1\" não é um arquivo de banco de dados.").arg(path));
    if (!info.isWritable())
        throw ServerError(ServerTexts::tr("O banco de dados \"%1\" é somente leitura.").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ServerError(ServerTexts::tr("Não foi possível ler o banco de dados \"%1\": %2").arg(path, file.errorString()));
    const QByteArray header = file.read(100);
    if (!header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        throw ServerError(ServerTexts::tr("O arquivo \"%1\" não é um banco de dados SQLite.").arg(path));
    // Page size: two bytes big-endian at offset 16, where 1 stands for 65536.
    const int stored = header.size() >= 18 ? (quint8(header[16]) << 8) | quint8(header[17]) : 0;
    const qint64 pageSize = stored == 1 ? 65536 : stored;
    if (header.size() < 100 || pageSize < 512 || (pageSize & (pageSize - 1)) != 0 || info.size() % pageSize != 0)
        throw ServerError(ServerTexts::tr("O banco de dados \"%1\" está truncado ou corrompido.").arg(path));
}

// What SQLite says of an existing file, read before anything is written to it: it must
// be readable and this server's own (it has the version table, or no table). Nothing
// here waits for the write lock: another connection may be registering right now.
void requireOwnDatabase(const QSqlDatabase &db, const QString &path)
{
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master")))
        throw ServerError(ServerTexts::tr("O banco de dados \"%1\" está corrompido ou não pode ser lido (detalhe: %2)")
                              .arg(path, probe.lastError().text()));
    if (!hasVersionTable(db) && !db.tables(QSql::Tables).isEmpty())
        throw ServerError(ServerTexts::tr("O banco de dados já contém tabelas, mas não tem o controle de "
                                          "versão do servidor (SCHEMAVERSAO); ele não foi criado por este servidor."));
}

} // namespace

QSqlDatabase ServerDatabase::openSqlite(const QString &path, const QString &connectionName)
{
    requireDriver("QSQLITE");
    requireSqliteFile(path);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    }
    return openPrepared(connectionName, QStringLiteral("\"%1\"").arg(path), [&path](const QSqlDatabase &open) {
        // Everything is checked before the first write (the journal mode is one).
        requireOwnDatabase(open, path);
        execPragma(open, QStringLiteral("PRAGMA foreign_keys = ON"));
        execPragma(open, QStringLiteral("PRAGMA journal_mode = WAL"));
        execPragma(open, QStringLiteral("PRAGMA temp_store = MEMORY"));
        // A registration of a million pairs touches ~100 MB of pages; a larger cache keeps
        // them from spilling to the journal before the commit.
        execPragma(open, QStringLiteral("PRAGMA cache_size = -65536"));
        applySchema(open);
    });
}

QSqlDatabase ServerDatabase::openPostgres(const PostgresSettings &settings, const QString &connectionName)
{
    requireDriver("QPSQL");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
        db.setHostName(settings.host);
        db.setPort(settings.port);
        db.setDatabaseName(settings.database);
        db.setUserName(settings.user);
        db.setPassword(settings.password);
    }
    return openPrepared(connectionName, ServerTexts::tr("\"%1\" em %2").arg(settings.database, settings.host),
                        [](const QSqlDatabase &open) { applySchema(open); });
}

void ServerDatabase::close(const QString &connectionName)
{
    if (!QSqlDatabase::contains(connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

void ServerDatabase::applySchema(const QSqlDatabase &db)
{
    if (!hasVersionTable(db)) {
        if (!db.tables(QSql::Tables).isEmpty())
            throw ServerError(ServerTexts::tr("O banco de dados já contém tabelas, mas não tem o controle de "
                                              "versão do servidor (SCHEMAVERSAO); ele não foi criado por este servidor."));
        createVersionTable(db);
    }
    for (const SchemaFile &file : schemaFiles())
        if (schemaVersion(db) < file.version)
            applyFile(db, file);
}

int ServerDatabase::schemaVersion(const QSqlDatabase &db)
{
    if (!hasVersionTable(db))
        return 0;
    return scalar(db, QStringLiteral("SELECT COALESCE(MAX(NRVERSAO), 0) FROM SCHEMAVERSAO")).toInt();
}

int ServerDatabase::latestSchemaVersion()
{
    return schemaFiles().last().version;
}

bool ServerDatabase::loadSampleData(const QSqlDatabase &db)
{
    const QStringList statements = splitSqlScript(readResource(kSampleData));
    Transaction transaction(db, Transaction::Kind::Write);
    // Checked inside the write transaction: two hosts creating the same file at once
    // load the sample data once.
    if (anyHasRows(db, tablesFilledBy(statements)))
        return false;
    for (const QString &statement : statements)
        execSql(db, statement);
    transaction.commit();
    return true;
}

} // namespace appserver
