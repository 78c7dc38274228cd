#include "apimessages.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborStreamReader>
#include <QCborValue>

namespace appserver::http {

const QByteArray kCborContentType = QByteArrayLiteral("application/cbor");

namespace {

// The body as one CBOR map and nothing after it; nothing otherwise.
std::optional<QCborMap> parseMap(const QByteArray &body)
{
    QCborStreamReader reader(body);
    const QCborValue value = QCborValue::fromCbor(reader);
    if (reader.lastError() != QCborError::NoError || !value.isMap())
        return std::nullopt;
    if (reader.currentOffset() != body.size())
        return std::nullopt;   // bytes after the map: not one well-formed map
    return value.toMap();
}

} // namespace

std::optional<Credentials> parseLoginBody(const QByteArray &body)
{
    const std::optional<QCborMap> map = parseMap(body);
    if (!map)
        return std::nullopt;
    const QCborValue user = map->value(QStringLiteral("user"));
    const QCborValue password = map->value(QStringLiteral("password"));
    if (!user.isString() || !password.isString())
        return std::nullopt;
    return Credentials{user.toString(), password.toString()};
}

std::optional<QVariantList> parseCallBody(const QByteArray &body)
{
    const std::optional<QCborMap> map = parseMap(body);
    if (!map)
        return std::nullopt;
    const QCborValue args = map->value(QStringLiteral("args"));
    if (!args.isArray())
        return std::nullopt;
    QVariantList list;
    for (const QCborValue &arg : args.toArray())
        list.append(arg.toVariant());
    return list;
}

QByteArray loginAnswer(const QString &token, qint64 expiresInSeconds)
{
    QCborMap map;
    map.insert(QStringLiteral("token"), token);
    map.insert(QStringLiteral("expires"), expiresInSeconds);
    return map.toCborValue().toCbor();
}

QByteArray callAnswer(const QVariant &result, const QVariantList &args)
{
    QCborArray cborArgs;
    for (const QVariant &arg : args)
        cborArgs.append(QCborValue::fromVariant(arg));
    QCborMap map;
    map.insert(QStringLiteral("result"), QCborValue::fromVariant(result));
    map.insert(QStringLiteral("args"), cborArgs);
    return map.toCborValue().toCbor();
}

QByteArray healthAnswer(const QString &engine, int schemaVersion)
{
    QCborMap map;
    map.insert(QStringLiteral("status"), QStringLiteral("ok"));
    map.insert(QStringLiteral("database"), engine);
    map.insert(QStringLiteral("schema"), schemaVersion);
    return map.toCborValue().toCbor();
}

QByteArray messageAnswer(const QString &message)
{
    QCborMap map;
    map.insert(QStringLiteral("message"), message);
    return map.toCborValue().toCbor();
}

} // namespace appserver::http
