#include "serverresult.h"

namespace contracts {

QVariant okResult(const QVariant &value)
{
    return QVariantMap{{QStringLiteral("ok"), true}, {QStringLiteral("value"), value}};
}

QVariant failResult(const QString &message)
{
    return QVariantMap{{QStringLiteral("ok"), false}, {QStringLiteral("message"), message}};
}

} // namespace contracts
