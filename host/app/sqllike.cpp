#include "sqllike.h"

namespace SqlLike {

namespace {

constexpr QChar EscapeChar = QLatin1Char('\\');

} // namespace

QString Escaped(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (c == EscapeChar || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += EscapeChar;
        escaped += c;
    }
    return escaped;
}

QString Containing(const QString &text)
{
    return QLatin1Char('%') + Escaped(text) + QLatin1Char('%');
}

QString StartingWith(const QString &text)
{
    return Escaped(text) + QLatin1Char('%');
}

QString Term(const QString &column)
{
    return QStringLiteral("UPPER(%1) LIKE UPPER(?) ESCAPE '%2'").arg(column, EscapeChar);
}

} // namespace SqlLike
