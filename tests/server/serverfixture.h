#pragma once
// A fresh sample database in a temporary file, the automation object on it, and helpers
// to call it exactly as a client does (by name, through the meta-object system).

#include "datapacket.h"
#include "localappserver.h"
#include "serverdatabase.h"

#include <QMetaObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class ServerFixture {
public:
    static constexpr const char *kConnection = "appServerTest";

    explicit ServerFixture(const QString &usuario = QStringLiteral("tester"))
    {
        QVERIFY2(m_dir.isValid(), "temporary directory");
        m_path = m_dir.filePath(QStringLiteral("servidor.db"));
        db = appserver::ServerDatabase::openSqlite(m_path, QString::fromLatin1(kConnection));
        appserver::ServerDatabase::loadSampleData(db);
        server = std::make_unique<appserver::LocalAppServer>(QString::fromLatin1(kConnection), usuario);
    }

    ~ServerFixture()
    {
        server.reset();
        db = QSqlDatabase();
        appserver::ServerDatabase::close(QString::fromLatin1(kConnection));
    }

    QString path() const { return m_path; }

    // The call a client makes: the method by name, arguments by reference.
    QVariantMap invoke(const QString &method, QVariantList args = {})
    {
        QVariant result;
        const bool invoked = QMetaObject::invokeMethod(server.get(), "Invoke", Q_RETURN_ARG(QVariant, result),
                                                       Q_ARG(QString, method), Q_ARG(QVariantList &, args));
        if (!invoked)
            qWarning("invokeMethod failed for %s", qPrintable(method));
        return result.toMap();
    }

    // Runs a query on the server's own connection and returns its rows as text lists.
    QList<QStringList> rows(const QString &sql)
    {
        QSqlQuery query(db);
        if (!query.exec(sql))
            qWarning("query failed: %s", qPrintable(sql));
        QList<QStringList> result;
        while (query.next()) {
            QStringList row;
            for (int i = 0; i < query.record().count(); ++i)
                row.append(query.value(i).isNull() ? QStringLiteral("<null>") : query.value(i).toString());
            result.append(row);
        }
        return result;
    }

    void exec(const QString &sql)
    {
        QSqlQuery query(db);
        if (!query.exec(sql))
            qWarning("statement failed: %s", qPrintable(sql));
    }

    QSqlDatabase db;
    std::unique_ptr<appserver::LocalAppServer> server;

private:
    QTemporaryDir m_dir;
    QString m_path;
};

inline QStringList packetFieldNames(const contracts::DataPacket &packet)
{
    QStringList names;
    for (const auto &field : packet.fields)
        names.append(field.name);
    return names;
}

inline QStringList packetColumn(const contracts::DataPacket &packet, const QString &field)
{
    QStringList values;
    const int index = packet.fieldIndex(field);
    for (const auto &row : packet.rows)
        values.append(row.value(index).toString());
    return values;
}
