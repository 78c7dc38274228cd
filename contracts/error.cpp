#include "error.h"

namespace contracts {

Error::Error(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

QString quotedForMessage(const QString &text)
{
    const int kShown = 30;
    QString shown;
    // Control characters from the input never reach a message as they are.
    for (const QChar c : text.left(kShown)) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            shown += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return QStringLiteral("\"%1\"").arg(text.size() > kShown ? shown + QStringLiteral("...") : shown);
}

} // namespace contracts
