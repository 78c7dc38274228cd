#pragma once
// The in-process automation object of the application server. A client reaches it only
// through Qt's meta-object system:
//   QMetaObject::invokeMethod(server, "Invoke", Q_RETURN_ARG(QVariant, result),
//                             Q_ARG(QString, method), Q_ARG(QVariantList &, args));
// The result is always the envelope {"ok": true, "value": ...} / {"ok": false,
// "message": "..."}: an unknown method, a wrong argument count, a bad argument or any
// failure inside becomes a failure result, never an exception or a crash.

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantList>

namespace appserver {

class LocalAppServer : public QObject {
    Q_OBJECT
public:
    // Connection name the host application uses for the server's own connection; the
    // host's reads go through "adcGeral" on the same file.
    static const char *const DefaultConnectionName;   // "appServer"

    // Works on an open connection (see ServerDatabase), which it does not close.
    // usuario is recorded as the author of registrations; empty: the operating-system
    // user name (USER / USERNAME), or "servidor" when none is known.
    explicit LocalAppServer(const QString &connectionName, const QString &usuario = QString(),
                            QObject *parent = nullptr);

    QString usuario() const { return m_usuario; }

    // True when Invoke knows a method by this name.
    static bool hasMethod(const QString &method);
    // True for the methods that write (they take the database's write lock).
    static bool writesData(const QString &method);
    // How many arguments the method takes; -1 for a method Invoke does not know.
    static int argumentCount(const QString &method);

    // Runs the method by name with positional arguments (by reference; the server
    // writes nothing back). Methods: getParamGeral (no arguments), getFilial (regions),
    // GetValidReForFil (suppliers, supplier all-flag, branches, branch all-flag,
    // regions), CadAutoAtende (suppliers, supplier all-flag, branches, branch all-flag,
    // periodicity, regions, lead time), DesfazCadAuto (run number).
    Q_INVOKABLE QVariant Invoke(const QString &method, QVariantList &args);

private:
    QVariant dispatch(const QString &method, const QVariantList &args) const;
    QString m_connectionName;
    QString m_usuario;
};

} // namespace appserver
