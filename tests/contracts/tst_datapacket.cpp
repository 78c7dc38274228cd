#include "datapacket.h"

#include <QCborArray>
#include <QCborMap>
#include <QTest>

#include <limits>

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

        // Sizes that are not whole numbers in range.
        const auto withSize = [](const QCborValue &size) {
            const QCborMap field{{QStringLiteral("name"), QStringLiteral("A")},
                                 {QStringLiteral("type"), QStringLiteral("string")},
                                 {QStringLiteral("size"), size}};
            return QCborMap{{QStringLiteral("fields"), QCborArray{field}},
                            {QStringLiteral("rows"), QCborArray{}}}.toCborValue().toCbor();
        };
        QTest::newRow("size -5") << withSize(-5);
        QTest::newRow("size 2^31") << withSize(qint64(1) << 31);
        QTest::newRow("size 2^63-1") << withSize(std::numeric_limits<qint64>::max());
        QTest::newRow("size a huge double") << withSize(1e300);
        QTest::newRow("size missing") << withSize(QCborValue());
        QTest::newRow("bytes after the packet") << good + QByteArray("\x01", 1);
        // An integer cell of -2^64: CBOR major type 1 with the largest argument.
        QByteArray below = encodePacket(DataPacket{{{"N", PacketFieldType::Integer, 0}}, {{qint64(7)}}});
        QVERIFY(below.endsWith('\x07'));
        below.chop(1);
        below += QByteArray::fromHex("3bffffffffffffffff");
        QTest::newRow("integer below -2^63") << below;
        DataPacket cut = p;
        cut.total = 0;   // fewer than the one row it carries
        QTest::newRow("total below the rows carried") << encodePacket(cut);
    }
    void malformedPacketsAreRejected()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY_THROWS_EXCEPTION(PacketError, decodePacket(bytes));
    }

    // A list cut short says how long it is; a whole one says nothing.
    void totalTravelsOnlyWhenTheListIsCut()
    {
        DataPacket p{{{"A", PacketFieldType::String, 1}}, {{"x"}, {"y"}}};
        QCOMPARE(decodePacket(encodePacket(p)).total, -1);
        p.total = 1000000;
        QCOMPARE(decodePacket(encodePacket(p)).total, 1000000);
    }

    // The largest integers that do fit still decode exactly.
    void integersAtTheEdgesDecode()
    {
        DataPacket p{{{"N", PacketFieldType::Integer, 0}},
                     {{std::numeric_limits<qint64>::min()}, {std::numeric_limits<qint64>::max()}}};
        const DataPacket back = decodePacket(encodePacket(p));
        QCOMPARE(back.rows[0][0].toLongLong(), std::numeric_limits<qint64>::min());
        QCOMPARE(back.rows[1][0].toLongLong(), std::numeric_limits<qint64>::max());
    }

    // A field name with control characters is quoted without them.
    void messagesCarryNoControlCharacters()
    {
        const QCborMap field{{QStringLiteral("name"), QStringLiteral("A\u0000B\u001b")},
                             {QStringLiteral("type"), QStringLiteral("integer")},
                             {QStringLiteral("size"), 4}};
        const QByteArray bytes = QCborMap{{QStringLiteral("fields"), QCborArray{field}},
                                          {QStringLiteral("rows"), QCborArray{QCborArray{QStringLiteral("x")}}}}
                                     .toCborValue().toCbor();
        try {
            decodePacket(bytes);
            QFAIL("accepted");
        } catch (const PacketError &error) {
            for (const QChar c : error.message())
                QVERIFY2(c.category() != QChar::Other_Control, qPrintable(error.message()));
            QVERIFY(error.message().contains(QStringLiteral("A\\u0000B\\u001b")));
        }
    }
};

QTEST_GUILESS_MAIN(TestDataPacket)
#include "tst_datapacket.moc"
