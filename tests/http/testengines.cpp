#include "testengines.h"

#include <QTest>

TestEngines::TestEngines(const QString &prefix) : m_prefix(prefix)
{
}

void TestEngines::start()
{
    QVERIFY(m_dir.isValid());
    if (PostgresCluster::binDirectory().isEmpty()) {
        m_postgresMissing = QStringLiteral("PostgreSQL não está instalado (scripts/install-deps.sh o instala)");
        return;
    }
    QString error;
    QVERIFY2(m_cluster.start(&error), qPrintable(error));
}

void TestEngines::addEngineRows()
{
    QTest::addColumn<QString>("engine");
    QTest::newRow("sqlite") << "sqlite";
    QTest::newRow("postgresql") << "postgresql";
}

bool TestEngines::missing(const QString &engine) const
{
    return engine == QLatin1String("postgresql") && !m_postgresMissing.isEmpty();
}

std::unique_ptr<TestDatabase> TestEngines::newDatabase(const QString &engine, const QList<TestUser> &users)
{
    return newDatabase(engine, m_prefix + QString::number(++m_databases), users);
}

std::unique_ptr<TestDatabase> TestEngines::newDatabase(const QString &engine, const QString &name,
                                                       const QList<TestUser> &users)
{
    QString error;
    std::unique_ptr<TestDatabase> db = engine == QLatin1String("sqlite")
                                           ? TestDatabase::sqlite(m_dir.path(), name)
                                           : TestDatabase::postgres(m_cluster, name, &error);
    for (auto user = users.cbegin(); db && user != users.cend(); ++user) {
        if (!db->addUser(user->name, user->password, &error))
            db.reset();
    }
    if (!db)
        qWarning("%s", qPrintable(error));
    return db;
}
