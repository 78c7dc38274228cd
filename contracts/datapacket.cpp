#include "datapacket.h"

#include "cborinput.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborValue>

namespace contracts {

namespace {

const QString kFields = QStringLiteral("fields");
const QString kRows = QStringLiteral("rows");
const QString kTotal = QStringLiteral("total");

PacketFieldType parseType(const QString &name)
{
    if (name == QLatin1String("string")) return PacketFieldType::String;
    if (name == QLatin1String("integer")) return PacketFieldType::Integer;
    if (name == QLatin1String("double")) return PacketFieldType::Double;
    if (name == QLatin1String("boolean")) return PacketFieldType::Boolean;
    throw PacketError(Texts::tr("Pacote de dados inválido: tipo de campo desconhecido %1.").arg(quotedForMessage(name)));
}

// A field's size: a whole number from 0 to MaxFieldSize.
int readSize(const QCborValue &size, const QString &field)
{
    if (!size.isInteger() || size.toInteger() < 0 || size.toInteger() > MaxFieldSize)
        throw PacketError(Texts::tr("Pacote de dados ilegível: o tamanho do campo %1 deve ser um número "
                                    "inteiro de 0 a %2.").arg(quotedForMessage(field)).arg(MaxFieldSize));
    return int(size.toInteger());
}

QCborValue cellToCbor(const QVariant &cell, PacketFieldType type)
{
    if (cell.isNull())
        return QCborValue(QCborValue::Null);
    switch (type) {
    case PacketFieldType::String: return QCborValue(cell.toString());
    case PacketFieldType::Integer: return QCborValue(cell.toLongLong());
    case PacketFieldType::Double: return QCborValue(cell.toDouble());
    case PacketFieldType::Boolean: return QCborValue(cell.toBool());
    }
    return QCborValue(QCborValue::Null);
}

QVariant cborToCell(const QCborValue &value, const PacketField &field)
{
    if (value.isNull() || value.isUndefined())
        return QVariant();
    const auto wrongType = [&] {
        return PacketError(Texts::tr("Pacote de dados inválido: valor de tipo errado no campo %1.")
                               .arg(quotedForMessage(field.name)));
    };
    switch (field.type) {
    case PacketFieldType::String:
        if (!value.isString()) throw wrongType();
        return value.toString();
    case PacketFieldType::Integer:
        if (!value.isInteger()) throw wrongType();
        return value.toInteger();
    case PacketFieldType::Double:
        if (!value.isDouble() && !value.isInteger()) throw wrongType();
        return value.toDouble();
    case PacketFieldType::Boolean:
        if (!value.isBool()) throw wrongType();
        return value.toBool();
    }
    throw wrongType();
}

} // namespace

int DataPacket::fieldIndex(const QString &name) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString packetFieldTypeName(PacketFieldType type)
{
    switch (type) {
    case PacketFieldType::String: return QStringLiteral("string");
    case PacketFieldType::Integer: return QStringLiteral("integer");
    case PacketFieldType::Double: return QStringLiteral("double");
    case PacketFieldType::Boolean: return QStringLiteral("boolean");
    }
    return QString();
}

QMetaType packetCellType(PacketFieldType type)
{
    switch (type) {
    case PacketFieldType::String: return QMetaType::fromType<QString>();
    case PacketFieldType::Integer: return QMetaType::fromType<qint64>();
    case PacketFieldType::Double: return QMetaType::fromType<double>();
    case PacketFieldType::Boolean: return QMetaType::fromType<bool>();
    }
    return QMetaType::fromType<QString>();
}

QByteArray encodePacket(const DataPacket &packet)
{
    QCborArray fields;
    for (const PacketField &f : packet.fields) {
        QCborMap m;
        m.insert(QStringLiteral("name"), f.name);
        m.insert(QStringLiteral("type"), packetFieldTypeName(f.type));
        m.insert(QStringLiteral("size"), f.size);
        fields.append(m);
    }
    QCborArray rows;
    for (const auto &row : packet.rows) {
        QCborArray cells;
        for (int i = 0; i < packet.fields.size(); ++i)
            cells.append(cellToCbor(i < row.size() ? row[i] : QVariant(), packet.fields[i].type));
        rows.append(cells);
    }
    QCborMap top;
    top.insert(kFields, fields);
    top.insert(kRows, rows);
    if (packet.total >= 0)
        top.insert(kTotal, packet.total);
    return top.toCborValue().toCbor();
}

DataPacket decodePacket(const QByteArray &bytes)
{
    QString problem;
    const QCborValue top = readSingleCbor(bytes, &problem);
    if (top.isInvalid())
        throw PacketError(Texts::tr("Pacote de dados ilegível: %1.").arg(problem));
    if (!top.isMap())
        throw PacketError(Texts::tr("Pacote de dados ilegível: não é um mapa."));
    const QCborMap map = top.toMap();
    if (!map.value(kFields).isArray() || !map.value(kRows).isArray())
        throw PacketError(Texts::tr("Pacote de dados inválido: faltam \"fields\" ou \"rows\"."));

    DataPacket packet;
    for (const QCborValue &fv : map.value(kFields).toArray()) {
        const QCborMap fm = fv.toMap();
        const QString name = fm.value(QStringLiteral("name")).toString();
        if (!fv.isMap() || name.isEmpty())
            throw PacketError(Texts::tr("Pacote de dados inválido: campo sem nome."));
        PacketField field;
        field.name = name;
        field.type = parseType(fm.value(QStringLiteral("type")).toString());
        field.size = readSize(fm.value(QStringLiteral("size")), name);
        packet.fields.append(field);
    }
    const QCborArray rows = map.value(kRows).toArray();
    packet.rows.reserve(rows.size());
    for (const QCborValue &rv : rows) {
        if (!rv.isArray() || rv.toArray().size() != packet.fields.size())
            throw PacketError(Texts::tr("Pacote de dados inválido: linha com número errado de colunas."));
        const QCborArray cells = rv.toArray();
        QVector<QVariant> row;
        row.reserve(cells.size());
        for (int i = 0; i < cells.size(); ++i)
            row.append(cborToCell(cells.at(i), packet.fields[i]));
        packet.rows.append(std::move(row));
    }
    if (map.contains(kTotal)) {
        const QCborValue total = map.value(kTotal);
        if (!total.isInteger() || total.toInteger() < packet.rows.size())
            throw PacketError(Texts::tr("Pacote de dados ilegível: o total de linhas deve ser um número inteiro "
                                        "não menor que as linhas do pacote."));
        packet.total = total.toInteger();
    }
    return packet;
}

} // namespace contracts
