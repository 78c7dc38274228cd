#include "consiste.h"

#include <QWidget>

namespace Consiste {

namespace {

bool DigitsOnly(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace

bool EmptyString(const QString &text)
{
    return text.trimmed().isEmpty();
}

QString Ajusta(const QString &code, int width)
{
    if (!DigitsOnly(code) || code.size() >= width)
        return code;
    return code.rightJustified(width, QLatin1Char('0'));
}

void SetChildEnabled(QWidget *container, bool enabled)
{
    if (!container)
        return;
    const auto children = container->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *child : children)
        child->setEnabled(enabled);
}

} // namespace Consiste
