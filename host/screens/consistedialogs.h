#pragma once
// Unit Consiste: error display and the check of a server result.

#include "hostlib_export.h"

#include <QString>
#include <QVariant>

namespace Consiste {

// Shows the message in an error dialog. With abort true it then ends the running
// handler (raises EAbort, which the handler guard does not show again).
HOSTLIB_EXPORT void MensErro(const QString &text, bool abort);

// The value of a server result envelope {"ok": true, "value": v}. A failure raises
// EServerError with the server's message; anything malformed (not a map, no boolean
// "ok", success without "value", failure without a message) raises EServerError too.
// With raise false the error is shown instead and an invalid QVariant returned.
HOSTLIB_EXPORT QVariant CheckResultServ(const QVariant &result, bool raise = true, int flags = 0);

} // namespace Consiste
