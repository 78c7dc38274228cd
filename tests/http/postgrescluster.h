#pragma once
// A throwaway PostgreSQL cluster for a test program: initdb in a temporary folder, the
// server listening only on a Unix socket in that folder (no TCP port at all), stopped
// and deleted at the end. Tests and CI run as root, which initdb refuses: the cluster
// then belongs to the "postgres" user and its commands run through runuser.

#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>

class PostgresCluster {
public:
    PostgresCluster() = default;
    ~PostgresCluster();
    PostgresCluster(const PostgresCluster &) = delete;
    PostgresCluster &operator=(const PostgresCluster &) = delete;

    // The folder of PostgreSQL's server programs (initdb, pg_ctl); empty when PostgreSQL
    // is not installed, the one reason a test may skip.
    static QString binDirectory();

    // Creates and starts the cluster. False with the reason in error on failure.
    bool start(QString *error);
    // Stops the server (the data stays, so start() runs it again).
    bool stop(QString *error = nullptr);
    bool isRunning() const { return m_running; }

    QString socketDirectory() const { return m_dir.path(); }
    int port() const { return 5432; }   // names the socket file; nothing listens on TCP
    QString superuser() const { return QStringLiteral("postgres"); }
    // The superuser's password: the cluster asks for it (scram-sha-256) on every connection.
    QString password() const { return QStringLiteral("senha-do-cluster-7402"); }
    // A file whose first line is that password, for --pg-password-file.
    QString passwordFile() const { return m_dir.filePath(QStringLiteral("senha")); }

    // Creates a database; false with the reason in error on failure.
    bool createDatabase(const QString &name, QString *error);
    // Opens a connection of the test's own to a database of the cluster.
    QSqlDatabase connect(const QString &database, const QString &connectionName) const;
    // pkg-appserver's options for a database of the cluster, the password by file.
    QStringList serverOptions(const QString &database) const;

private:
    bool run(const QString &program, const QStringList &arguments, QString *error) const;
    QString dataDirectory() const;

    QTemporaryDir m_dir;
    bool m_initialised = false;
    bool m_running = false;
};
