#pragma once
// Reading CBOR that comes from outside (a server's packet, a client's request body):
// exactly one well-formed value and nothing after it, nested no deeper than the formats
// need, and no integer that Qt would silently bring into range (a negative integer
// below -2^63 otherwise reads as a wrong number).

#include <QByteArray>
#include <QCborValue>
#include <QString>

namespace contracts {

// The value; an invalid QCborValue (QCborValue::Invalid) with `problem` set when the
// bytes are not such a value.
QCborValue readSingleCbor(const QByteArray &bytes, QString *problem = nullptr);

} // namespace contracts
