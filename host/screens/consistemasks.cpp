#include "consistemasks.h"

#include "editmask.h"

namespace Consiste {

QString PictPess(const QString &legalPersonType)
{
    const QString type = legalPersonType.trimmed().toUpper();
    if (type == QLatin1String("J"))
        return QStringLiteral("99.999.999/9999-99;0;_");
    if (type == QLatin1String("F"))
        return QStringLiteral("999.999.999-99;0;_");
    return QString();
}

QString FormatMaskText(const QString &editMask, const QString &value)
{
    const EditMask::ParsedMask parsed = EditMask::Parse(editMask);
    if (parsed.isEmpty())
        return value;
    QString laidOut;
    // A value too long for the mask is shown as it is rather than cut.
    if (!EditMask::LayOut(parsed, value, false, laidOut))
        return value;
    return laidOut;
}

} // namespace Consiste
