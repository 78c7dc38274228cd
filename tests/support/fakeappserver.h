#pragma once
// Test fixtures for screens that talk to the application server and read the host
// database:
//  - FakeAppServer: a scripted automation object that records every call;
//  - FakeHostForm: a host main window owning the connection "netFornNAtende" wired to it;
//  - TestDatabase: a temporary SQLite file opened as "adcGeral" with the four tables the
//    registration screen reads and a few rows.

#include <QByteArray>
#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QObject>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <QVariantList>

#include <functional>

class TServerConnection;

class FakeAppServer : public QObject {
    Q_OBJECT
public:
    struct Call {
        QString method;
        QVariantList args;       // as received, before any write-back
        bool aviActive = false;  // whether the busy animation showed during the call
        int aviKind = 0;         // its kind then (0: none)
        QString aviText;         // and its text
    };

    explicit FakeAppServer(QObject *parent = nullptr);

    // The automation entry: answers from the script, records the call.
    Q_INVOKABLE QVariant Invoke(const QString &method, QVariantList &args);

    // The answer (an envelope) for every later call of the method.
    void Answer(const QString &method, const QVariant &envelope);
    // An answer used once, before the standing one; several queue up.
    void AnswerOnce(const QString &method, const QVariant &envelope);
    // Runs after the answer is chosen, inside the call (e.g. to write back arguments).
    std::function<void(const QString &method, QVariantList &args)> OnCall;

    QList<Call> Calls() const { return m_calls; }
    QList<Call> CallsOf(const QString &method) const;
    void ClearCalls() { m_calls.clear(); }

    // A data packet of text fields.
    static QByteArray TextPacket(const QStringList &fields, const QList<QStringList> &rows);
    // Packets in the shapes the registration screen loads.
    static QByteArray BranchPacket(const QList<QStringList> &rows);   // CDFILIAL, NMFILIAL (rest derived)
    static QByteArray BlockingRowsPacket(const QList<QStringList> &rows); // FILIAL, REGIAO, FORNECEDOR, NMFANTFORN, IDTPIJURFORN
    static QByteArray PeriodicityRowsPacket(int rows);
    // {"ok": true, "value": [p0, p1]} for the validation.
    static QVariant ValidationResult(const QByteArray &blocking, const QByteArray &otherPeriodicity);

private:
    QMap<QString, QVariant> m_answers;
    QMap<QString, QQueue<QVariant>> m_onceAnswers;
    QList<Call> m_calls;
};

class FakeHostForm : public QMainWindow {
    Q_OBJECT
public:
    explicit FakeHostForm(QWidget *parent = nullptr);
    FakeAppServer *server() const { return m_server; }
    TServerConnection *connection() const { return m_connection; }
private:
    FakeAppServer *m_server;
    TServerConnection *m_connection;
};

class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase &) = delete;
    TestDatabase &operator=(const TestDatabase &) = delete;
    bool isOpen() const;
    QString path() const;
    // Runs a statement; false (with a warning) when it fails.
    bool exec(const QString &sql) const;
    // Closes the connection (queries then fail as on a lost database).
    void close();
private:
    QTemporaryDir m_dir;
};
