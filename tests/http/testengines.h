#pragma once
// The set-up of a test program that runs pkg-appserver on both engines: a temporary
// folder for the SQLite files, one throwaway PostgreSQL cluster for the whole program
// (started from initTestCase), the reason the PostgreSQL cases skip when PostgreSQL is
// not installed, and a new database per case with its users added.

#include "postgrescluster.h"
#include "testdatabase.h"

#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <memory>

struct TestUser {
    QString name;
    QString password;
};

class TestEngines {
public:
    // Databases made by newDatabase(engine, users) are named `prefix` and a number.
    explicit TestEngines(const QString &prefix);

    // Checks the folder and starts the cluster, unless PostgreSQL is not installed.
    // Call from initTestCase; it fails the test case (QVERIFY) when something else goes
    // wrong.
    void start();

    // The rows of a case that runs on each engine: one QTest column "engine".
    static void addEngineRows();
    // Whether the engine's cases skip, and why (postgresMissing()).
    bool missing(const QString &engine) const;
    QString postgresMissing() const { return m_postgresMissing; }

    // A new database, "sqlite" or "postgresql", with the sample data and the users added
    // through pkg-appserver --add-user; null, with the reason as a warning, on failure.
    std::unique_ptr<TestDatabase> newDatabase(const QString &engine, const QList<TestUser> &users = {});
    std::unique_ptr<TestDatabase> newDatabase(const QString &engine, const QString &name,
                                              const QList<TestUser> &users);

    PostgresCluster &cluster() { return m_cluster; }
    QString folder() const { return m_dir.path(); }

private:
    QString m_prefix;
    int m_databases = 0;
    QTemporaryDir m_dir;
    PostgresCluster m_cluster;
    QString m_postgresMissing;
};
