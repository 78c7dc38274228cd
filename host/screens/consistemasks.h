#pragma once
// Unit Consiste: edit masks for registration numbers and the layout of a value by a mask.

#include "hostlib_export.h"

#include <QString>

namespace Consiste {

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

} // namespace Consiste
