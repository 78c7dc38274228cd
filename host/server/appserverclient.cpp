#include "appserverclient.h"

#include "runtime/errors.h"
#include "serverresult.h"

#include <QCoreApplication>
#include <QMetaObject>

const char *const TServerConnection::DefaultName = "netFornNAtende";

TServerConnection::TServerConnection(QObject *parent, QObject *automationObject)
    : QObject(parent)
    , m_automation(automationObject)
{
    setObjectName(QString::fromLatin1(DefaultName));
}

QVariant TServerConnection::AppServer()
{
    // Invalid when no automation object is plugged in; the caller reports it (an error
    // thrown here would have to cross Qt's meta-call code).
    if (!m_automation)
        return QVariant();
    return QVariant::fromValue<QObject *>(m_automation.data());
}

namespace AppServerClient {

namespace {

// The context of this file's texts in the translations.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(AppServerClient)
};

QObject *Automation(QObject *hostForm)
{
    if (!hostForm)
        throw EServerError(Texts::tr(
            "Formulário principal não informado: não é possível acessar o servidor de aplicação."));
    QObject *component = hostForm->findChild<QObject *>(QString::fromLatin1(TServerConnection::DefaultName),
                                                        Qt::FindDirectChildrenOnly);
    if (!component)
        throw EServerError(Texts::tr("O formulário principal não possui o componente de conexão "
                                     "\"%1\" com o servidor de aplicação.")
                               .arg(QString::fromLatin1(TServerConnection::DefaultName)));
    QVariant server;
    if (!QMetaObject::invokeMethod(component, "AppServer", Qt::DirectConnection, Q_RETURN_ARG(QVariant, server)))
        throw EServerError(Texts::tr("O componente de conexão não fornece o servidor de aplicação."));
    QObject *automation = server.value<QObject *>();
    if (!automation)
        throw EServerError(Texts::tr("Servidor de aplicação não disponível."));
    return automation;
}

} // namespace

QVariant Call(QObject *hostForm, const QString &method, QVariantList &args)
{
    QObject *automation = Automation(hostForm);
    QVariant result;
    if (!QMetaObject::invokeMethod(automation, "Invoke", Qt::DirectConnection, Q_RETURN_ARG(QVariant, result),
                                   Q_ARG(QString, method), Q_ARG(QVariantList &, args)))
        throw EServerError(Texts::tr("Não foi possível chamar o método \"%1\" do servidor de aplicação.")
                               .arg(method));
    return ResultValue(result);
}

QVariant ResultValue(const QVariant &result)
{
    try {
        return contracts::resultValue(result);
    } catch (const contracts::ResultError &error) {
        throw EServerError(error.message());
    }
}

} // namespace AppServerClient
