#pragma once
// Client side of the application-server contract.
//
// The host form owns, as a direct child, a QObject named "netFornNAtende" with
// Q_INVOKABLE QVariant AppServer(), returning a QVariant holding the automation object
// (a QObject *). The automation object has
// Q_INVOKABLE QVariant Invoke(const QString &method, QVariantList &args), which writes
// by-reference arguments back in place and returns the result envelope
// {"ok": true, "value": ...} / {"ok": false, "message": "..."}.

#include "hostlib_export.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QVariantList>

// The connection component a host form owns. The host plugs in the automation object
// (in-process server, HTTP client...); ownership stays with the caller.
class HOSTLIB_EXPORT TServerConnection : public QObject {
    Q_OBJECT
public:
    static const char *const DefaultName;     // "netFornNAtende"
    explicit TServerConnection(QObject *parent = nullptr, QObject *automationObject = nullptr);
    void SetAutomationObject(QObject *automationObject) { m_automation = automationObject; }
    // The automation object as a QObject *; an invalid QVariant when none is set.
    Q_INVOKABLE QVariant AppServer();
private:
    QPointer<QObject> m_automation;
};

namespace AppServerClient {

// Runs one call from start to end: finds "netFornNAtende" among the host form's direct
// children, asks it for the automation object, invokes the method by name with the
// arguments (written back in place) and reads the result with ResultValue.
// Returns the result's value; throws EServerError on every failure, including a null
// host form or a form without the component.
HOSTLIB_EXPORT QVariant Call(QObject *hostForm, const QString &method, QVariantList &args);

// The value of a result envelope read by contracts::resultValue; the server's failure
// message, or what is malformed, raised as EServerError (Consiste::CheckResultServ
// raises through here).
HOSTLIB_EXPORT QVariant ResultValue(const QVariant &result);

} // namespace AppServerClient
