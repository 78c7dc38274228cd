#pragma once
// Unit Consiste: finding a grid's columns and drawing images in its cells.

#include "hostlib_export.h"

#include <QColor>
#include <QRect>
#include <QString>

class QImage;
class QPainter;
class TDBGrid;

namespace Consiste {

// Index of the grid column bound to the field, -1 when none.
HOSTLIB_EXPORT int IndiceCol(TDBGrid *grid, const QString &fieldName);

// Draws the bitmap centred in the cell rectangle, with the given colour transparent.
HOSTLIB_EXPORT void InsereImagem(TDBGrid *grid, QPainter *painter, const QRect &rect,
                                 const QImage &bitmap, const QColor &transparent);

} // namespace Consiste
