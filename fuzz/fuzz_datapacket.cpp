// Fuzz target: the data-packet decoder. Whatever the bytes, decodePacket either throws
// PacketError or gives a packet of the documented shape that comes back unchanged from
// encode → decode, and whose encoding is stable.

#include "datapacket.h"
#include "fuzzsupport.h"

#include <cmath>
#include <cstring>

using namespace contracts;

namespace {

// The same value, doubles compared by their bits (NaN equal to NaN, -0 apart from 0).
bool sameCell(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    if (a.metaType() != b.metaType())
        return false;
    if (a.metaType() == QMetaType::fromType<double>()) {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return (std::isnan(x) && std::isnan(y)) || std::memcmp(&x, &y, sizeof x) == 0;
    }
    return a == b;
}

void checkShape(const DataPacket &packet)
{
    for (const PacketField &field : packet.fields) {
        FUZZ_CHECK(!field.name.isEmpty());
        FUZZ_CHECK(field.size >= 0 && field.size <= MaxFieldSize);
    }
    for (const QVector<QVariant> &row : packet.rows) {
        FUZZ_CHECK(row.size() == packet.fields.size());
        for (int i = 0; i < row.size(); ++i)
            FUZZ_CHECK(row[i].isNull() || row[i].metaType() == packetCellType(packet.fields[i].type),
                       QString::fromLatin1(row[i].metaType().name()));
    }
    FUZZ_CHECK(packet.total == -1 || packet.total >= packet.rows.size());
}

void checkSame(const DataPacket &a, const DataPacket &b)
{
    FUZZ_CHECK(a.fields.size() == b.fields.size());
    for (int i = 0; i < a.fields.size(); ++i) {
        FUZZ_CHECK(a.fields[i].name == b.fields[i].name);
        FUZZ_CHECK(a.fields[i].type == b.fields[i].type);
        FUZZ_CHECK(a.fields[i].size == b.fields[i].size);
    }
    FUZZ_CHECK(a.rows.size() == b.rows.size());
    for (int r = 0; r < a.rows.size(); ++r)
        for (int c = 0; c < a.rows[r].size(); ++c)
            FUZZ_CHECK(sameCell(a.rows[r][c], b.rows[r][c]));
    FUZZ_CHECK(a.total == b.total);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    DataPacket packet;
    try {
        packet = decodePacket(fuzz::bytesOf(data, size));
    } catch (const PacketError &) {
        return 0;   // refused, as documented
    }
    checkShape(packet);

    const QByteArray encoded = encodePacket(packet);
    DataPacket again;
    try {
        again = decodePacket(encoded);
    } catch (const PacketError &error) {
        FUZZ_CHECK(!"a packet the encoder wrote is refused", error.message());
    }
    checkSame(packet, again);
    FUZZ_CHECK(encodePacket(again) == encoded);
    return 0;
}
