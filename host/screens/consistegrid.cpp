#include "consistegrid.h"

#include "data/tdbgrid.h"
#include "data/tfield.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace Consiste {

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
