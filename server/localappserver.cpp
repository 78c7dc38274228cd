#include "localappserver.h"

#include "arguments.h"
#include "fornatendeservice.h"
#include "servererror.h"
#include "serverresult.h"
#include "sqlsupport.h"

#include <QSqlDatabase>
#include <QtGlobal>
#include <exception>
#include <functional>

namespace appserver {

const char *const LocalAppServer::DefaultConnectionName = "appServer";

namespace {

QString operatingSystemUser()
{
    for (const char *variable : {"USER", "USERNAME", "LOGNAME"}) {
        const QString name = qEnvironmentVariable(variable).trimmed();
        if (!name.isEmpty())
            return name;
    }
    return QStringLiteral("servidor");
}

// Whether a method writes, as its own type: a bool here would silently take a lambda
// written where it belongs.
enum class Access { Reads, Writes };

struct Method {
    const char *name;
    int argumentCount;
    Access access;
    std::function<QVariant(const FornAtendeService &, const QVariantList &)> run;
};

const QVector<Method> &methods()
{
    static const QVector<Method> table = {
        {"getParamGeral", 0, Access::Reads,
         [](const FornAtendeService &service, const QVariantList &) {
             return QVariant(service.getParamGeral());
         }},
        {"getFilial", 1, Access::Reads,
         [](const FornAtendeService &service, const QVariantList &args) {
             return QVariant(service.getFilial(parseSelection(args.at(0), kRegions)));
         }},
        {"GetValidReForFil", 5, Access::Reads,
         [](const FornAtendeService &service, const QVariantList &args) {
             return QVariant(service.getValidReForFil(parseScopeArguments(args)));
         }},
        {"CadAutoAtende", 7, Access::Writes,
         [](const FornAtendeService &service, const QVariantList &args) {
             return QVariant(service.cadAutoAtende(parseRegistrationArguments(args)));
         }},
        {"DesfazCadAuto", 1, Access::Writes,
         [](const FornAtendeService &service, const QVariantList &args) {
             return QVariant(service.desfazCadAuto(parseRunNumber(args.at(0))));
         }},
    };
    return table;
}

const Method *findMethod(const QString &name)
{
    for (const Method &method : methods())
        if (name == QLatin1String(method.name))
            return &method;
    return nullptr;
}

} // namespace

LocalAppServer::LocalAppServer(const QString &connectionName, const QString &usuario, QObject *parent)
    : QObject(parent),
      m_connectionName(connectionName),
      m_usuario(usuario.trimmed().isEmpty() ? operatingSystemUser() : usuario.trimmed())
{
}

bool LocalAppServer::hasMethod(const QString &method)
{
    return findMethod(method) != nullptr;
}

bool LocalAppServer::writesData(const QString &method)
{
    const Method *found = findMethod(method);
    return found && found->access == Access::Writes;
}

int LocalAppServer::argumentCount(const QString &method)
{
    const Method *found = findMethod(method);
    return found ? found->argumentCount : -1;
}

QVariant LocalAppServer::dispatch(const QString &method, const QVariantList &args) const
{
    const Method *found = findMethod(method);
    if (!found)
        throw ServerError(ServerTexts::tr("Método desconhecido no servidor de aplicação: \"%1\".").arg(method.left(60)));
    if (args.size() != found->argumentCount)
        throw ServerError(ServerTexts::tr("Número de argumentos inválido para o método %1: esperados %2, recebidos %3.")
                              .arg(method).arg(found->argumentCount).arg(args.size()));
    const QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (!db.isOpen())
        throw ServerError(ServerTexts::tr("O banco de dados do servidor de aplicação não está aberto."));
    try {
        return found->run(FornAtendeService(db, m_usuario), args);
    } catch (const ServerError &error) {
        // The driver's text alone does not tell the user that the database went away.
        if (connectionLost(db))
            throw lostConnectionError(error);
        throw;
    }
}

QVariant LocalAppServer::Invoke(const QString &method, QVariantList &args)
{
    try {
        return contracts::okResult(dispatch(method, args));
    } catch (const ServerError &error) {
        return contracts::failResult(error.message());
    } catch (const std::exception &error) {
        return contracts::failResult(ServerTexts::tr("Erro interno do servidor de aplicação: %1")
                                         .arg(QString::fromLocal8Bit(error.what())));
    } catch (...) {
        return contracts::failResult(ServerTexts::tr("Erro interno do servidor de aplicação."));
    }
}

} // namespace appserver
