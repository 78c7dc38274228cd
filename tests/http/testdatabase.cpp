#include "testdatabase.h"

#include "appserverprocess.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QtGlobal>
#include <atomic>

namespace {

std::atomic<int> nextConnection{1};

} // namespace

TestDatabase::TestDatabase(const QString &engine, const QStringList &options,
                           std::function<QSqlDatabase(const QString &)> open)
    : m_engine(engine),
      m_options(options),
      m_open(std::move(open)),
      m_connectionName(QStringLiteral("teste-%1").arg(nextConnection++))
{
}

TestDatabase::~TestDatabase()
{
    if (QSqlDatabase::contains(m_connectionName)) {
        QSqlDatabase::database(m_connectionName, false).close();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

std::unique_ptr<TestDatabase> TestDatabase::sqlite(const QString &folder, const QString &name)
{
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".db");
    return std::unique_ptr<TestDatabase>(new TestDatabase(
        QStringLiteral("sqlite"), {QStringLiteral("--database"), path}, [path](const QString &connection) {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(path);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=30000"));
            db.open();
            return db;
        }));
}

std::unique_ptr<TestDatabase> TestDatabase::postgres(PostgresCluster &cluster, const QString &name, QString *error)
{
    if (!cluster.createDatabase(name, error))
        return nullptr;
    return postgresExisting(cluster, name);
}

std::unique_ptr<TestDatabase> TestDatabase::postgresExisting(PostgresCluster &cluster, const QString &name)
{
    PostgresCluster *owner = &cluster;
    return std::unique_ptr<TestDatabase>(new TestDatabase(
        QStringLiteral("postgresql"), cluster.serverOptions(name),
        [owner, name](const QString &connection) { return owner->connect(name, connection); }));
}

bool TestDatabase::addUser(const QString &user, const QString &password, QString *error) const
{
    const AppServerProcess::Result result = AppServerProcess::run(
        m_options + QStringList{QStringLiteral("--sample-data"), QStringLiteral("--add-user"), user},
        password.toUtf8() + '\n');
    if (result.exitCode != 0)
        *error = QStringLiteral("--add-user %1 terminou com %2: %3").arg(user).arg(result.exitCode).arg(result.err);
    return result.exitCode == 0;
}

QSqlDatabase TestDatabase::connection()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return m_open(m_connectionName);
    return QSqlDatabase::database(m_connectionName);
}

QStringList TestDatabase::column(const QString &sql)
{
    QSqlQuery query(connection());
    if (!query.exec(sql))
        qWarning("consulta falhou: %s", qPrintable(sql));
    QStringList values;
    while (query.next())
        values.append(query.value(0).isNull() ? QStringLiteral("<null>") : query.value(0).toString());
    return values;
}

qint64 TestDatabase::count(const QString &sql)
{
    return column(sql).value(0).toLongLong();
}

bool TestDatabase::exec(const QString &sql)
{
    QSqlQuery query(connection());
    return query.exec(sql);
}
