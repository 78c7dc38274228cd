#pragma once
// Checks, text helpers and error display shared by every screen (unit Consiste).
// This header gathers the whole unit: the dialogs (consistedialogs.h), the edit masks
// (consistemasks.h) and the grid painting (consistegrid.h), beside the text and
// control helpers declared here.

#include "consistedialogs.h"
#include "consistegrid.h"
#include "consistemasks.h"
#include "hostlib_export.h"

#include <QString>

class QWidget;

namespace Consiste {

// True for an empty text (blanks only counts as empty).
HOSTLIB_EXPORT bool EmptyString(const QString &text);

// A code of digits only, shorter than the width, padded with leading zeros; any other
// text (a letter included) unchanged.
HOSTLIB_EXPORT QString Ajusta(const QString &code, int width);

// Enables or disables every control inside the container (the container itself stays).
HOSTLIB_EXPORT void SetChildEnabled(QWidget *container, bool enabled);

} // namespace Consiste
