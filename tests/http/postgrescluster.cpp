#include "postgrescluster.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <pwd.h>
#include <unistd.h>

namespace {

bool runningAsRoot()
{
    return geteuid() == 0;
}

bool giveToPostgresUser(const QString &path, QString *error)
{
    const passwd *user = getpwnam("postgres");
    if (!user || chown(path.toLocal8Bit().constData(), user->pw_uid, user->pw_gid) != 0) {
        *error = QStringLiteral("não foi possível passar %1 ao usuário postgres").arg(path);
        return false;
    }
    return true;
}

} // namespace

PostgresCluster::~PostgresCluster()
{
    stop();
}

QString PostgresCluster::binDirectory()
{
    QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QStringList found = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator numeric;
    numeric.setNumericMode(true);
    std::sort(found.begin(), found.end(), [&](const QString &a, const QString &b) { return numeric.compare(a, b) > 0; });
    for (const QString &version : found) {
        const QString bin = versions.filePath(version + QStringLiteral("/bin"));
        if (QFileInfo(bin + QStringLiteral("/initdb")).isExecutable() && QFileInfo(bin + QStringLiteral("/pg_ctl")).isExecutable())
            return bin;
    }
    return QString();
}

QString PostgresCluster::dataDirectory() const
{
    return m_dir.filePath(QStringLiteral("data"));
}

bool PostgresCluster::run(const QString &program, const QStringList &arguments, QString *error) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    const QString path = binDirectory() + QLatin1Char('/') + program;
    if (runningAsRoot())
        process.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                                              QStringLiteral("--"), path} + arguments);
    else
        process.start(path, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        if (error)
            *error = QStringLiteral("%1 falhou: %2").arg(program, QString::fromLocal8Bit(process.readAll()));
        return false;
    }
    return true;
}

bool PostgresCluster::start(QString *error)
{
    if (m_running)
        return true;
    if (binDirectory().isEmpty()) {
        *error = QStringLiteral("PostgreSQL não está instalado");
        return false;
    }
    if (!m_dir.isValid() || (runningAsRoot() && !giveToPostgresUser(m_dir.path(), error)))
        return false;
    if (!m_initialised) {
        QFile secret(passwordFile());
        if (!secret.open(QIODevice::WriteOnly) || secret.write(password().toUtf8() + '\n') <= 0) {
            *error = QStringLiteral("não foi possível gravar %1").arg(passwordFile());
            return false;
        }
        secret.close();
        if (!run(QStringLiteral("initdb"), {QStringLiteral("-D"), dataDirectory(), QStringLiteral("-U"), superuser(),
                                            QStringLiteral("-A"), QStringLiteral("scram-sha-256"),
                                            QStringLiteral("--pwfile=") + passwordFile(), QStringLiteral("-E"),
                                            QStringLiteral("UTF8"), QStringLiteral("--no-locale"),
                                            QStringLiteral("--no-sync")}, error))
            return false;
        m_initialised = true;
    }
    const QString serverOptions = QStringLiteral("-k %1 -p %2 -c listen_addresses='' -c fsync=off "
                                                 "-c max_connections=60").arg(m_dir.path()).arg(port());
    if (!run(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), dataDirectory(), QStringLiteral("-l"),
                                        m_dir.filePath(QStringLiteral("servidor.log")), QStringLiteral("-o"),
                                        serverOptions, QStringLiteral("-w"), QStringLiteral("start")}, error))
        return false;
    m_running = true;
    return true;
}

bool PostgresCluster::stop(QString *error)
{
    if (!m_running)
        return true;
    m_running = false;
    return run(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), dataDirectory(), QStringLiteral("-m"),
                                          QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("stop")}, error);
}

QSqlDatabase PostgresCluster::connect(const QString &database, const QString &connectionName) const
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    db.setHostName(socketDirectory());
    db.setPort(port());
    db.setDatabaseName(database);
    db.setUserName(superuser());
    db.setPassword(password());
    db.open();
    return db;
}

bool PostgresCluster::createDatabase(const QString &name, QString *error)
{
    const QString connection = QStringLiteral("postgres-cluster-admin");
    bool created = false;
    {
        QSqlDatabase admin = connect(QStringLiteral("postgres"), connection);
        QSqlQuery query(admin);
        // The name is the test's own constant.
        created = admin.isOpen() && query.exec(QStringLiteral("CREATE DATABASE %1").arg(name));
        if (!created)
            *error = admin.isOpen() ? query.lastError().text() : admin.lastError().text();
    }
    QSqlDatabase::removeDatabase(connection);
    return created;
}

QStringList PostgresCluster::serverOptions(const QString &database) const
{
    return {QStringLiteral("--pg-host"), socketDirectory(), QStringLiteral("--pg-port"), QString::number(port()),
            QStringLiteral("--pg-user"), superuser(), QStringLiteral("--pg-database"), database,
            QStringLiteral("--pg-password-file"), passwordFile()};
}
