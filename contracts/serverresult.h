#pragma once
// The result envelope every application-server method returns:
//   {"ok": true, "value": ...}  or  {"ok": false, "message": "..."}

#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace contracts {

QVariant okResult(const QVariant &value);
QVariant failResult(const QString &message);

} // namespace contracts
