#include "datapacket.h"

#include <QCborArray>
#include <QCborMap>
#include <QTest>

using namespace contracts;

class TestDataPacket : public QObject {
    Q_OBJECT
private slots:
    void roundTripKeepsFieldsAndCells()
    {
        DataPacket p;
        p.fields = {{"CDFILIAL", PacketFieldType::String, 4},
                    {"QT", PacketFieldType::Integer, 0},
                    {"VL", PacketFieldType::Double, 0},
                    {"OK", PacketFieldType::Boolean, 0}};
        p.rows = {{"0001", 3, 2.5, true}, {QVariant(), QVariant(), QVariant(), false}};
        const DataPacket back = decodePacket(encodePacket(p));
        QCOMPARE(back.fields.size(), 4);
        QCOMPARE(back.fields[0].name, QString("CDFILIAL"));
        QCOMPARE(back.fields[0].size, 4);
        QCOMPARE(back.fields[2].type, PacketFieldType::Double);
        QCOMPARE(back.rows.size(), 2);
        QCOMPARE(back.rows[0][0].toString(), QString("0001"));
        QCOMPARE(back.rows[0][1].toInt(), 3);
        QCOMPARE(back.rows[0][2].toDouble(), 2.5);
        QVERIFY(back.rows[1][0].isNull());
        QCOMPARE(back.fieldIndex("cdfilial"), 0);
        QCOMPARE(back.fieldIndex("NONE"), -1);
    }

    void malformedPacketsAreRejected_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("garbage") << QByteArray("\xff\x00garbage", 9);
        QTest::newRow("empty") << QByteArray();
        DataPacket p;
        p.fields = {{"A", PacketFieldType::String, 1}};
        p.rows = {{"x"}};
        QByteArray good = encodePacket(p);
        QTest::newRow("truncated") << good.left(good.size() - 2);
        // a field type the format does not know
        DataPacket wrong;
        wrong.fields = {{"N", PacketFieldType::String, 1}};
        wrong.rows = {{"abc"}};
        QByteArray bytes = encodePacket(wrong);
        bytes.replace("string", "intege"); // same length keeps the CBOR valid
        QTest::newRow("unknown type") << bytes;
        const QCborMap integerField{{QStringLiteral("name"), QStringLiteral("N")},
                                    {QStringLiteral("type"), QStringLiteral("integer")},
                                    {QStringLiteral("size"), 4}};
        const QCborMap stringInInteger{{QStringLiteral("fields"), QCborArray{integerField}},
                                       {QStringLiteral("rows"), QCborArray{QCborArray{QStringLiteral("abc")}}}};
        QTest::newRow("string cell in an integer field") << stringInInteger.toCborValue().toCbor();
    }
    void malformedPacketsAreRejected()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY_THROWS_EXCEPTION(PacketError, decodePacket(bytes));
    }
};

QTEST_GUILESS_MAIN(TestDataPacket)
#include "tst_datapacket.moc"
