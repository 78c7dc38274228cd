#pragma once
// The database a pkg-appserver under test works on, SQLite or PostgreSQL, with the test's
// own connection to look at what the server wrote, and the set-up every test program
// shares: users added and sample data loaded through pkg-appserver --add-user.

#include "postgrescluster.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class TestDatabase {
public:
    ~TestDatabase();
    TestDatabase(const TestDatabase &) = delete;
    TestDatabase &operator=(const TestDatabase &) = delete;

    // A new SQLite file in the folder.
    static std::unique_ptr<TestDatabase> sqlite(const QString &folder, const QString &name);
    // A new database in the cluster; null with the reason in error when it cannot be made.
    static std::unique_ptr<TestDatabase> postgres(PostgresCluster &cluster, const QString &name, QString *error);
    // A database the cluster already has.
    static std::unique_ptr<TestDatabase> postgresExisting(PostgresCluster &cluster, const QString &name);

    QString engine() const { return m_engine; }   // "sqlite" or "postgresql"
    QStringList serverOptions() const { return m_options; }

    // Adds the user through pkg-appserver --add-user (password on standard input), with
    // the sample data. False with pkg-appserver's output in error on failure.
    bool addUser(const QString &user, const QString &password, QString *error) const;

    // The test's own connection, opened on first use.
    QSqlDatabase connection();
    QStringList column(const QString &sql);
    qint64 count(const QString &sql);
    bool exec(const QString &sql);

private:
    TestDatabase(const QString &engine, const QStringList &options, std::function<QSqlDatabase(const QString &)> open);

    QString m_engine;
    QStringList m_options;
    std::function<QSqlDatabase(const QString &)> m_open;
    QString m_connectionName;
};
