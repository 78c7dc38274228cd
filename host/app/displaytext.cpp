#include "displaytext.h"

#include <QCoreApplication>
#include <QDateTime>

namespace DisplayText {

namespace {

QDateTime StoredDateTime(const QVariant &stored)
{
    if (stored.metaType().id() == QMetaType::QDateTime)
        return stored.toDateTime();
    // "yyyy-MM-dd HH:mm:ss", maybe with fractions of a second or a 'T' for the space.
    QString text = stored.toString().left(19);
    text.replace(QLatin1Char('T'), QLatin1Char(' '));
    QDateTime when = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    when.setTimeSpec(Qt::UTC);
    return when;
}

} // namespace

QString DateTime(const QVariant &stored)
{
    if (stored.isNull())
        return QString();
    const QDateTime when = StoredDateTime(stored);
    if (!when.isValid())
        return stored.toString();
    return when.toLocalTime().toString(QCoreApplication::translate("DisplayText", "dd/MM/yyyy HH:mm"));
}

QString CodeAndName(const QVariant &code, const QVariant &name)
{
    if (name.isNull() || name.toString().isEmpty())
        return code.toString();
    return QCoreApplication::translate("DisplayText", "%1 - %2").arg(code.toString(), name.toString());
}

} // namespace DisplayText
