#include "httpbody.h"

#include "cborinput.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborValue>

namespace contracts::http {

namespace {

// What a body is, for the messages.
const char *const kLoginRequest = QT_TRANSLATE_NOOP("contracts", "o pedido de entrada");
const char *const kLoginAnswer = QT_TRANSLATE_NOOP("contracts", "a resposta de entrada");
const char *const kCallRequest = QT_TRANSLATE_NOOP("contracts", "o pedido de chamada");
const char *const kCallAnswer = QT_TRANSLATE_NOOP("contracts", "a resposta da chamada");

// One CBOR map and nothing after it.
QCborMap ReadMap(const QByteArray &body, const char *what)
{
    const QCborValue value = readSingleCbor(body);
    if (!value.isMap())
        throw PacketError(Texts::tr("Corpo ilegível: %1 deve ser um mapa CBOR.").arg(Texts::tr(what)));
    return value.toMap();
}

QString ReadText(const QCborMap &map, const QString &key, const char *what)
{
    const QCborValue value = map.value(key);
    if (!value.isString())
        throw PacketError(Texts::tr("Corpo ilegível: %1 sem o texto \"%2\".").arg(Texts::tr(what), key));
    return value.toString();
}

QCborArray WriteArgs(const QVariantList &args)
{
    QCborArray array;
    for (const QVariant &arg : args)
        array.append(QCborValue::fromVariant(arg));
    return array;
}

QVariantList ReadArgs(const QCborMap &map, const char *what)
{
    const QCborValue value = map.value(QStringLiteral("args"));
    if (!value.isArray())
        throw PacketError(Texts::tr("Corpo ilegível: %1 sem a lista \"args\".").arg(Texts::tr(what)));
    QVariantList args;
    const QCborArray array = value.toArray();
    args.reserve(array.size());
    for (const QCborValue &arg : array)
        args.append(arg.toVariant());
    return args;
}

QByteArray Bytes(const QCborMap &map)
{
    return map.toCborValue().toCbor();
}

} // namespace

QByteArray encodeLogin(const Login &login)
{
    return Bytes({{QStringLiteral("user"), login.user}, {QStringLiteral("password"), login.password}});
}

Login decodeLogin(const QByteArray &body)
{
    const QCborMap map = ReadMap(body, kLoginRequest);
    return {ReadText(map, QStringLiteral("user"), kLoginRequest),
            ReadText(map, QStringLiteral("password"), kLoginRequest)};
}

QByteArray encodeSession(const Session &session)
{
    return Bytes({{QStringLiteral("token"), session.token},
                  {QStringLiteral("expires"), session.expiresInSeconds}});
}

Session decodeSession(const QByteArray &body)
{
    const QCborMap map = ReadMap(body, kLoginAnswer);
    const QCborValue expires = map.value(QStringLiteral("expires"));
    if (!expires.isInteger())
        throw PacketError(Texts::tr("Corpo ilegível: a resposta de entrada sem \"expires\"."));
    return {ReadText(map, QStringLiteral("token"), kLoginAnswer), expires.toInteger()};
}

QByteArray encodeCallRequest(const QVariantList &args)
{
    return Bytes({{QStringLiteral("args"), WriteArgs(args)}});
}

QVariantList decodeCallRequest(const QByteArray &body)
{
    return ReadArgs(ReadMap(body, kCallRequest), kCallRequest);
}

QByteArray encodeCallAnswer(const CallAnswer &answer)
{
    return Bytes({{QStringLiteral("result"), QCborValue::fromVariant(answer.result)},
                  {QStringLiteral("args"), WriteArgs(answer.args)}});
}

CallAnswer decodeCallAnswer(const QByteArray &body)
{
    const QCborMap map = ReadMap(body, kCallAnswer);
    const QCborValue result = map.value(QStringLiteral("result"));
    if (!result.isMap())
        throw PacketError(Texts::tr("Corpo ilegível: a resposta da chamada sem \"result\"."));
    return {result.toVariant(), ReadArgs(map, kCallAnswer)};
}

QByteArray encodeHealth(const Health &health)
{
    return Bytes({{QStringLiteral("status"), QStringLiteral("ok")},
                  {QStringLiteral("database"), health.database},
                  {QStringLiteral("schema"), health.schema}});
}

QByteArray encodeMessage(const QString &message)
{
    return Bytes({{QStringLiteral("message"), message}});
}

QString decodeMessage(const QByteArray &body)
{
    const QCborValue value = readSingleCbor(body);
    if (!value.isMap())
        return QString();
    const QCborValue message = value.toMap().value(QStringLiteral("message"));
    return message.isString() ? message.toString() : QString();
}

} // namespace contracts::http
