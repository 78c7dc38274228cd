#pragma once
// The result envelope every application-server method returns:
//   {"ok": true, "value": ...}  or  {"ok": false, "message": "..."}
// The server writes it with okResult/failResult; clients read it with resultValue.

#include "error.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace contracts {

QVariant okResult(const QVariant &value);
QVariant failResult(const QString &message);

// Thrown by resultValue: the server's own message for a failure, or what is malformed.
class ResultError : public Error {
public:
    using Error::Error;
};

// The value of a success. A failure throws ResultError with the server's message;
// anything malformed (not a map, no boolean "ok", success without "value", failure
// without a message) throws ResultError too: a malformed result is never a success.
QVariant resultValue(const QVariant &result);

} // namespace contracts
