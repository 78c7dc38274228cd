#pragma once
// A small branch list as the application server sends it, for the data-set tests.

#include "datapacket.h"
#include "data/tclientdataset.h"

#include "runtime/errors.h"

#include <QByteArray>
#include <QStringList>
#include <QVariant>
#include <functional>

namespace BranchData {

// The message of the data-set error the call raises; empty when it raises none.
inline QString errorOf(const std::function<void()> &fn)
{
    try {
        fn();
    } catch (const EDatabaseError &error) {
        return error.message();
    }
    return QString();
}

struct Branch {
    const char *code;
    const char *name;
    int quantity;
};

// Record order matters to the ordering tests: two "SANTOS" rows, mixed case.
inline const QVector<Branch> &Rows()
{
    static const QVector<Branch> rows = {
        {"0003", "SAO PAULO", 30}, {"0001", "santos", 9},  {"0002", "Sao Jose", 10},
        {"0005", "OSASCO", 100},   {"0004", "SANTOS", 9},  {"0006", "D'AVILA", 5},
        {"0007", "S_O LUIS", 7},
    };
    return rows;
}

inline contracts::DataPacket Packet(const QVector<Branch> &rows = Rows())
{
    contracts::DataPacket packet;
    packet.fields = {{QStringLiteral("NMFILIAL"), contracts::PacketFieldType::String, 30},
                     {QStringLiteral("CDFILIAL"), contracts::PacketFieldType::String, 4},
                     {QStringLiteral("QTFUNC"), contracts::PacketFieldType::Integer, 0},
                     {QStringLiteral("IDCHECK"), contracts::PacketFieldType::String, 1},
                     {QStringLiteral("EXTRA"), contracts::PacketFieldType::String, 5}};
    for (const Branch &b : rows)
        packet.rows.append({QString::fromUtf8(b.name), QString::fromLatin1(b.code), b.quantity,
                            QStringLiteral("N"), QVariant()});
    return packet;
}

inline QVariant Bytes(const contracts::DataPacket &packet = Packet())
{
    return QVariant(contracts::encodePacket(packet));
}

// Persistent fields in screen order (packet order differs on purpose).
inline void DefineFields(TClientDataSet &dataSet)
{
    dataSet.AddField(QStringLiteral("IDCHECK"), TFieldType::String, 1, QStringLiteral(" "));
    dataSet.AddField(QStringLiteral("CDFILIAL"), TFieldType::String, 4, QStringLiteral("Filial"));
    dataSet.AddField(QStringLiteral("NMFILIAL"), TFieldType::String, 30, QStringLiteral("Nome da Filial"));
    dataSet.AddField(QStringLiteral("QTFUNC"), TFieldType::Integer, 0, QStringLiteral("Funcionários"));
}

// The key field's values along the view, first to last.
inline QStringList Codes(TDataSet &dataSet, const QString &field = QStringLiteral("CDFILIAL"))
{
    QStringList codes;
    TField *key = dataSet.FieldByName(field);
    for (int row = 0; row < dataSet.RecordCount(); ++row)
        codes << key->ValueAt(row).toString();
    return codes;
}

} // namespace BranchData
