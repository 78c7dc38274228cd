#pragma once
// Checks, text helpers and error display shared by every screen.

#include "hostlib_export.h"

#include <QColor>
#include <QRect>
#include <QString>
#include <QVariant>

class QImage;
class QPainter;
class QWidget;
class TDBGrid;

namespace Consiste {

// Shows the message in an error dialog. With abort true it then ends the running
// handler (raises EAbort, which the handler guard does not show again).
HOSTLIB_EXPORT void MensErro(const QString &text, bool abort);

// True for an empty text (blanks only counts as empty).
HOSTLIB_EXPORT bool EmptyString(const QString &text);

// The value of a server result envelope {"ok": true, "value": v}. A failure raises
// EServerError with the server's message; anything malformed (not a map, no boolean
// "ok", success without "value", failure without a message) raises EServerError too.
// With raise false the error is shown instead and an invalid QVariant returned.
HOSTLIB_EXPORT QVariant CheckResultServ(const QVariant &result, bool raise = true, int flags = 0);

// A code of digits only, shorter than the width, padded with leading zeros; any other
// text (a letter included) unchanged.
HOSTLIB_EXPORT QString Ajusta(const QString &code, int width);

// Edit mask for a registration number by legal-person type: "J" company (CNPJ),
// "F" individual (CPF); empty for any other type.
HOSTLIB_EXPORT QString PictPess(const QString &legalPersonType);

// Lays out a raw value with an edit mask in the form "mask;saveLiterals;blank"
// (0 required digit, 9 optional digit, L/l letter, A/a alphanumeric, C/c any character,
// other characters literals; "\\" escapes). An empty mask returns the value unchanged.
// With saveLiterals 0 the value holds only the input characters, with 1 the literals
// too. A value shorter than the mask fills the positions from the left and the text
// ends after its last character ("1234" with the CPF mask gives "123.4"); a value
// longer than the mask does not fit and is returned unchanged, so nothing is hidden.
HOSTLIB_EXPORT QString FormatMaskText(const QString &editMask, const QString &value);

// Enables or disables every control inside the container (the container itself stays).
HOSTLIB_EXPORT void SetChildEnabled(QWidget *container, bool enabled);

// Index of the grid column bound to the field, -1 when none.
HOSTLIB_EXPORT int IndiceCol(TDBGrid *grid, const QString &fieldName);

// Draws the bitmap centred in the cell rectangle, with the given colour transparent.
HOSTLIB_EXPORT void InsereImagem(TDBGrid *grid, QPainter *painter, const QRect &rect,
                                 const QImage &bitmap, const QColor &transparent);

} // namespace Consiste
