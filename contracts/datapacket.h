#pragma once
// Data packet: the whole content of a client data set as it travels between the
// application server and a screen. Encoded as CBOR:
//   { "fields": [ {"name": "...", "type": "string|integer|double|boolean", "size": N}, ... ],
//     "rows":   [ [cell, cell, ...], ... ],      (one cell per field, in field order)
//     "total":  N }                              (optional: see DataPacket::total)

#include "error.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVector>

namespace contracts {

enum class PacketFieldType { String, Integer, Double, Boolean };

struct PacketField {
    QString name;
    PacketFieldType type = PacketFieldType::String;
    int size = 0;
};

struct DataPacket {
    QVector<PacketField> fields;
    QVector<QVector<QVariant>> rows;
    // How many rows the whole result has, when the packet carries only the first of
    // them (a list cut to what a person can read); -1 when every row is here.
    qint64 total = -1;

    int fieldIndex(const QString &name) const;  // case-insensitive; -1 when absent
};

// Thrown by decodePacket for bytes that are not a well-formed packet.
class PacketError : public Error {
public:
    using Error::Error;
};

// The largest field size a packet may declare.
inline constexpr int MaxFieldSize = 65535;

QString packetFieldTypeName(PacketFieldType type);
// The type of the values decodePacket gives in a field of that type (null aside).
QMetaType packetCellType(PacketFieldType type);
QByteArray encodePacket(const DataPacket &packet);
// Decodes and checks shape: one CBOR map and nothing after it; every field with a name,
// a known type and a size from 0 to MaxFieldSize; every row with one cell per field,
// each cell of the field's type (or null) and every integer within 64 bits. Throws
// PacketError with a Portuguese message otherwise.
DataPacket decodePacket(const QByteArray &bytes);

} // namespace contracts
