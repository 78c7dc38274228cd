#include "error.h"

namespace contracts {

Error::Error(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

QString quotedForMessage(const QString &text)
{
    const int kShown = 30;
    return QStringLiteral("\"%1\"").arg(text.size() > kShown ? text.left(kShown) + QStringLiteral("...") : text);
}

} // namespace contracts
