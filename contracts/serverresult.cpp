#include "serverresult.h"

namespace contracts {

namespace {

const QString kOk = QStringLiteral("ok");
const QString kValue = QStringLiteral("value");
const QString kMessage = QStringLiteral("message");

[[noreturn]] void malformed(const QString &detail)
{
    throw ResultError(Texts::tr("Resposta inválida do servidor de aplicação: %1.").arg(detail));
}

bool isMap(const QVariant &v)
{
    const int type = v.typeId();
    return type == QMetaType::QVariantMap || type == QMetaType::QVariantHash;
}

} // namespace

QVariant okResult(const QVariant &value)
{
    return QVariantMap{{kOk, true}, {kValue, value}};
}

QVariant failResult(const QString &message)
{
    return QVariantMap{{kOk, false}, {kMessage, message}};
}

QVariant resultValue(const QVariant &result)
{
    if (!isMap(result))
        malformed(Texts::tr("o resultado não é um envelope"));
    const QVariantMap envelope = result.toMap();
    const QVariant ok = envelope.value(kOk);
    if (ok.typeId() != QMetaType::Bool)
        malformed(Texts::tr("falta a indicação \"ok\""));
    if (ok.toBool()) {
        if (!envelope.contains(kValue))
            malformed(Texts::tr("falta o valor"));
        return envelope.value(kValue);
    }
    const QVariant message = envelope.value(kMessage);
    if (message.typeId() != QMetaType::QString || message.toString().trimmed().isEmpty())
        malformed(Texts::tr("falha sem mensagem"));
    throw ResultError(message.toString());
}

} // namespace contracts
