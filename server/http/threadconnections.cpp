#include "threadconnections.h"

#include <QSqlQuery>

namespace appserver::http {

// Owns one thread's connection name; closes the connection when the thread ends.
class ThreadConnections::Holder {
public:
    explicit Holder(const QString &name) : m_name(name) {}
    ~Holder() { ServerDatabase::close(m_name); }
    QString name() const { return m_name; }

private:
    QString m_name;
};

namespace {

bool answers(const QSqlDatabase &db)
{
    if (!db.isOpen())
        return false;
    QSqlQuery probe(db);
    return probe.exec(QStringLiteral("SELECT 1")) && probe.next();
}

} // namespace

ThreadConnections::ThreadConnections(const DatabaseConfig &config) : m_config(config)
{
}

QSqlDatabase ThreadConnections::current()
{
    if (!m_holders.hasLocalData())
        m_holders.setLocalData(new Holder(QStringLiteral("pkg-appserver-%1").arg(m_nextNumber++)));
    const QString name = m_holders.localData()->name();
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (answers(db))
            return db;
        db = QSqlDatabase();
        ServerDatabase::close(name);
    }
    return openDatabase(m_config, name);
}

} // namespace appserver::http
