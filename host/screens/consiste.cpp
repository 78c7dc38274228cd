#include "consiste.h"

#include "editmask.h"
#include "runtime/errors.h"
#include "runtime/guard.h"
#include "server/appserverclient.h"

#include "data/tdbgrid.h"
#include "data/tfield.h"

#include <QApplication>
#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace Consiste {

namespace {

QWidget *DialogParent()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

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

void MensErro(const QString &text, bool abort)
{
    Guard::ShowError(DialogParent(), text);
    if (abort)
        throw EAbort(text);
}

bool EmptyString(const QString &text)
{
    return text.trimmed().isEmpty();
}

QVariant CheckResultServ(const QVariant &result, bool raise, int /*flags*/)
{
    if (raise)
        return AppServerClient::ResultValue(result);
    try {
        return AppServerClient::ResultValue(result);
    } catch (const EServerError &error) {
        MensErro(error.message(), false);
        return QVariant();
    }
}

QString Ajusta(const QString &code, int width)
{
    if (!DigitsOnly(code) || code.size() >= width)
        return code;
    return code.rightJustified(width, QLatin1Char('0'));
}

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

void SetChildEnabled(QWidget *container, bool enabled)
{
    if (!container)
        return;
    const auto children = container->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *child : children)
        child->setEnabled(enabled);
}

int IndiceCol(TDBGrid *grid, const QString &fieldName)
{
    if (!grid)
        return -1;
    for (int i = 0; i < grid->ColumnCount(); ++i) {
        const TField *field = grid->Columns(i).Field;
        if (field && field->FieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void InsereImagem(TDBGrid * /*grid*/, QPainter *painter, const QRect &rect, const QImage &bitmap,
                  const QColor &transparent)
{
    if (!painter || bitmap.isNull())
        return;
    QPixmap pixmap = QPixmap::fromImage(bitmap);
    pixmap.setMask(pixmap.createMaskFromColor(transparent, Qt::MaskInColor));
    const QPoint topLeft(rect.x() + (rect.width() - pixmap.width()) / 2,
                         rect.y() + (rect.height() - pixmap.height()) / 2);
    painter->drawPixmap(topLeft, pixmap);
}

} // namespace Consiste
