// Client data set: packet loading, filters, ordering, cursor, editing, suspended controls.

#include "branchdata.h"
#include "runtime/errors.h"
#include "data/tclientdataset.h"

#include <QSignalSpy>
#include <QtTest>

using namespace BranchData;

using BranchData::errorOf;

namespace {

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

} // namespace

class TstClientDataSet : public QObject {
    Q_OBJECT

private slots:
    void loadsPacketIntoPersistentFields();
    void loadsPacketFieldsWhenNoneDefined();
    void failedLoadLeavesDataSetAsItWas_data();
    void failedLoadLeavesDataSetAsItWas();
    void filtersRows_data();
    void filtersRows();
    void unreadableFilterLeavesDataSetUnfiltered_data();
    void unreadableFilterLeavesDataSetUnfiltered();
    void ordersByIndexFieldNames_data();
    void ordersByIndexFieldNames();
    void orderKeepsCursorAndCombinesWithFilter();
    void cursorWalksTheView();
    void emptyDataSetIsSafe();
    void editPostCancel();
    void postKeepsRowInPlaceUntilNextFilter();
    void suspendedControlsSendNoSignalsThenOneReset();
    void modelShowsDisplayTextPerRow();
    void locateFindsRows();
};

void TstClientDataSet::loadsPacketIntoPersistentFields()
{
    TClientDataSet cds;
    DefineFields(cds);
    TField *code = cds.FieldByName(QStringLiteral("CDFILIAL"));
    code->DisplayWidth = 6;
    code->Tag = 99;
    code->Visible = false;
    code->ReadOnly = true;
    cds.FieldByName(QStringLiteral("NMFILIAL"))->OnGetText = [](TField &sender, QString &text, bool) {
        text = QStringLiteral("<%1>").arg(sender.AsString());
    };
    int afterOpen = 0;
    cds.AfterOpen = [&](TDataSet *dataSet) {
        ++afterOpen;
        QCOMPARE(dataSet->RecNo(), 0);
    };

    // Codes arrive as integers in this packet: a text field takes them as text.
    contracts::DataPacket packet = Packet();
    packet.fields[1].type = contracts::PacketFieldType::Integer;
    for (auto &row : packet.rows)
        row[1] = row[1].toString().toInt();
    cds.SetData(Bytes(packet));

    QVERIFY(cds.Active());
    QCOMPARE(afterOpen, 1);
    QCOMPARE(cds.FieldCount(), 4);   // the packet's extra field is ignored
    QCOMPARE(cds.FieldByName(QStringLiteral("CDFILIAL")), code);
    QCOMPARE(code->DisplayLabel, QStringLiteral("Filial"));
    QCOMPARE(code->DisplayWidth, 6);
    QCOMPARE(code->Tag, 99);
    QVERIFY(!code->Visible);
    QVERIFY(code->ReadOnly);
    QCOMPARE(cds.RecordCount(), Rows().size());
    QCOMPARE(cds.RecNo(), 0);
    QCOMPARE(code->Value().typeId(), QMetaType::QString);
    QCOMPARE(code->AsString(), QStringLiteral("3"));
    QCOMPARE(cds.FieldByName(QStringLiteral("NMFILIAL"))->DisplayText(), QStringLiteral("<SAO PAULO>"));
    QCOMPARE(cds.FieldByName(QStringLiteral("qtfunc"))->Value(), QVariant(qlonglong(30)));
}

void TstClientDataSet::loadsPacketFieldsWhenNoneDefined()
{
    TClientDataSet cds;
    cds.SetData(Bytes());
    QCOMPARE(cds.FieldCount(), 5);
    QCOMPARE(cds.Fields(0)->FieldName, QStringLiteral("NMFILIAL"));
    QCOMPARE(cds.Fields(2)->DataType, TFieldType::Integer);
    QCOMPARE(cds.Fields(1)->Size, 4);
    QCOMPARE(cds.RecordCount(), Rows().size());

    // A second load of the same shape keeps the field objects (pointers stay good).
    TField *name = cds.FieldByName(QStringLiteral("NMFILIAL"));
    name->DisplayLabel = QStringLiteral("Nome");
    cds.SetData(Bytes(Packet(Rows().mid(0, 2))));
    QCOMPARE(cds.FieldByName(QStringLiteral("NMFILIAL")), name);
    QCOMPARE(name->DisplayLabel, QStringLiteral("Nome"));
    QCOMPARE(cds.RecordCount(), 2);
}

void TstClientDataSet::failedLoadLeavesDataSetAsItWas_data()
{
    QTest::addColumn<bool>("persistent");
    QTest::addColumn<QVariant>("packet");

    contracts::DataPacket missing = Packet();
    missing.fields.removeAt(1);   // no CDFILIAL
    for (auto &row : missing.rows)
        row.removeAt(1);
    contracts::DataPacket badCell = Packet();
    badCell.fields[2].type = contracts::PacketFieldType::String;   // QTFUNC as text...
    for (auto &row : badCell.rows)
        row[2] = row[2].toString();
    badCell.rows.last()[2] = QStringLiteral("muitos");             // ...one not a number

    QTest::newRow("missing fixed field") << true << Bytes(missing);
    QTest::newRow("malformed bytes, fixed fields") << true << QVariant(QByteArray("\xa2garbage", 8));
    QTest::newRow("malformed bytes, packet fields") << false << QVariant(QByteArray("not cbor"));
    QTest::newRow("not a byte array") << false << QVariant(QStringLiteral("texto"));
    QTest::newRow("cell that does not fit the field") << true << Bytes(badCell);
}

void TstClientDataSet::failedLoadLeavesDataSetAsItWas()
{
    QFETCH(bool, persistent);
    QFETCH(QVariant, packet);

    TClientDataSet cds;
    if (persistent)
        DefineFields(cds);
    cds.SetData(Bytes());
    cds.SetIndexFieldNames(QStringLiteral("CDFILIAL"));
    cds.SetRecNo(3);
    int afterOpen = 0;
    cds.AfterOpen = [&](TDataSet *) { ++afterOpen; };

    std::vector<TField *> fields;
    for (int i = 0; i < cds.FieldCount(); ++i)
        fields.push_back(cds.Fields(i));
    const QStringList codes = Codes(cds);
    QSignalSpy resets(&cds, &QAbstractItemModel::modelReset);

    const QString message = errorOf([&] { cds.SetData(packet); });
    QVERIFY2(!message.isEmpty(), "the load must raise EDatabaseError");

    QCOMPARE(cds.FieldCount(), int(fields.size()));
    for (int i = 0; i < cds.FieldCount(); ++i)
        QCOMPARE(cds.Fields(i), fields[size_t(i)]);
    QCOMPARE(Codes(cds), codes);
    QCOMPARE(cds.RecNo(), 3);
    QCOMPARE(cds.state(), TDataSet::State::Browse);
    QCOMPARE(afterOpen, 0);
    QCOMPARE(resets.count(), 0);
}

void TstClientDataSet::filtersRows_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("caseInsensitive");
    QTest::addColumn<QStringList>("codes");

    QTest::newRow("prefix, any case") << "NMFILIAL Like 'SAO%'" << true << QStringList{"0003", "0002"};
    QTest::newRow("prefix, exact case") << "NMFILIAL Like 'SAO%'" << false << QStringList{"0003"};
    QTest::newRow("lower-case pattern, any case") << "NMFILIAL Like 'santos%'" << true << QStringList{"0001", "0004"};
    QTest::newRow("lower-case pattern, exact case") << "NMFILIAL Like 'santos%'" << false << QStringList{"0001"};
    QTest::newRow("underscore is one character") << "NMFILIAL Like 'S_O%'" << true
                                                 << QStringList{"0003", "0002", "0007"};
    QTest::newRow("percent inside") << "NMFILIAL Like '%AS%O'" << false << QStringList{"0005"};
    QTest::newRow("suffix") << "NMFILIAL Like '%os'" << true << QStringList{"0001", "0004"};
    QTest::newRow("no wildcard is whole value") << "NMFILIAL Like 'santo'" << true << QStringList{};
    QTest::newRow("percent alone") << "NMFILIAL Like '%'" << false
                                   << QStringList{"0003", "0001", "0002", "0005", "0004", "0006", "0007"};
    QTest::newRow("doubled apostrophe") << "NMFILIAL Like 'D''AV%'" << true << QStringList{"0006"};
    QTest::newRow("equal") << "CDFILIAL = '0005'" << false << QStringList{"0005"};
    QTest::newRow("number field as text") << "QTFUNC Like '1%'" << false << QStringList{"0002", "0005"};
    QTest::newRow("number unquoted") << "QTFUNC = 9" << false << QStringList{"0001", "0004"};
    QTest::newRow("and binds before or")
        << "cdfilial = '0005' or NMFILIAL Like 's%' and QTFUNC <> 9" << true
        << QStringList{"0003", "0002", "0005", "0007"};
    QTest::newRow("parentheses and not") << "not (NMFILIAL Like 'S%') and NMFILIAL not like 'D%'" << true
                                         << QStringList{"0005"};
    QTest::newRow("499 nested parentheses")
        << QString(499, '(') + "NMFILIAL Like 'santos%'" + QString(499, ')') << true << QStringList{"0001", "0004"};
}

void TstClientDataSet::filtersRows()
{
    QFETCH(QString, filter);
    QFETCH(bool, caseInsensitive);
    QFETCH(QStringList, codes);

    TClientDataSet cds;
    DefineFields(cds);
    cds.SetData(Bytes());
    cds.SetFilterCaseInsensitive(caseInsensitive);
    cds.SetFilter(filter);
    QCOMPARE(cds.RecordCount(), Rows().size());   // text alone does not narrow
    cds.SetFiltered(true);
    QCOMPARE(Codes(cds), codes);
    QCOMPARE(cds.IsEmpty(), codes.isEmpty());
    QCOMPARE(cds.RecNo(), codes.isEmpty() ? -1 : 0);

    cds.SetFiltered(false);
    QCOMPARE(cds.RecordCount(), Rows().size());
}

void TstClientDataSet::unreadableFilterLeavesDataSetUnfiltered_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("inMessage");
    QTest::newRow("apostrophe in the text") << "NMFILIAL Like 'D'AVILA%'" << "AVILA%'";
    QTest::newRow("unclosed quote") << "NMFILIAL Like 'SAO%" << "apóstrofo";
    QTest::newRow("unknown field") << "NMCIDADE Like 'SAO%'" << "NMCIDADE";
    QTest::newRow("missing operand") << "NMFILIAL Like" << "NMFILIAL Like";
    QTest::newRow("unknown operator") << "NMFILIAL ~ 'SAO'" << "~";
    // Typed text can reach the syntax through an apostrophe; however deep, it is refused
    // in words, not by running out of stack.
    const QString term = QStringLiteral("NMFILIAL Like 'S%'");
    QTest::newRow("parentheses too deep") << QString(501, '(') + term + QString(501, ')') << "500 níveis";
    QTest::newRow("a huge paste of parentheses") << QString(200000, '(') + term << "500 níveis";
    QTest::newRow("Not too deep") << QStringLiteral("Not ").repeated(501) + term << "500 níveis";
    QTest::newRow("Or chain too long") << QStringList(501, term).join(QStringLiteral(" Or ")) << "500 níveis";
}

void TstClientDataSet::unreadableFilterLeavesDataSetUnfiltered()
{
    QFETCH(QString, filter);
    QFETCH(QString, inMessage);

    TClientDataSet cds;
    DefineFields(cds);
    cds.SetData(Bytes());
    cds.SetFilterCaseInsensitive(true);
    cds.SetFilter(QStringLiteral("NMFILIAL Like 'SAO%'"));
    cds.SetFiltered(true);
    QCOMPARE(cds.RecordCount(), 2);

    // The way the branch search applies a typed text: switch off, set text, switch on.
    cds.SetFiltered(false);
    cds.SetFilter(filter);
    const QString message = errorOf([&] { cds.SetFiltered(true); });
    QVERIFY2(message.contains(inMessage), qPrintable(message));
    QVERIFY(!cds.Filtered());
    QCOMPARE(cds.RecordCount(), Rows().size());

    // Setting the text while filtering is on fails the same way and drops the narrowing.
    cds.SetFilter(QStringLiteral("NMFILIAL Like 'SAO%'"));
    cds.SetFiltered(true);
    QVERIFY(!errorOf([&] { cds.SetFilter(filter); }).isEmpty());
    QVERIFY(!cds.Filtered());
    QCOMPARE(cds.RecordCount(), Rows().size());

    // Still usable: walk it, then filter again.
    int visited = 0;
    for (cds.First(); !cds.Eof(); cds.Next())
        ++visited;
    QCOMPARE(visited, Rows().size());
    cds.SetFilter(QStringLiteral("NMFILIAL Like 'OS%'"));
    cds.SetFiltered(true);
    QCOMPARE(Codes(cds), QStringList{"0005"});
}

void TstClientDataSet::ordersByIndexFieldNames_data()
{
    QTest::addColumn<QString>("index");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("text, any case, stable for equal names")
        << "NMFILIAL" << QStringList{"0006", "0005", "0007", "0001", "0004", "0002", "0003"};
    QTest::newRow("number by value") << "QTFUNC" << QStringList{"0006", "0007", "0001", "0004", "0002", "0003", "0005"};
    QTest::newRow("two fields") << "QTFUNC;CDFILIAL" << QStringList{"0006", "0007", "0001", "0004", "0002", "0003", "0005"};
    QTest::newRow("equal first keys defer to the second") << "IDCHECK; qtfunc "
                                                          << QStringList{"0006", "0007", "0001", "0004", "0002", "0003", "0005"};
    QTest::newRow("empty is record order") << "" << QStringList{"0003", "0001", "0002", "0005", "0004", "0006", "0007"};
}

void TstClientDataSet::ordersByIndexFieldNames()
{
    QFETCH(QString, index);
    QFETCH(QStringList, codes);

    TClientDataSet cds;
    DefineFields(cds);
    cds.SetData(Bytes());
    cds.SetIndexFieldNames(QStringLiteral("CDFILIAL"));
    cds.SetIndexFieldNames(index);
    QCOMPARE(Codes(cds), codes);

    // An unknown name raises and keeps the order in force.
    QVERIFY(!errorOf([&] { cds.SetIndexFieldNames(QStringLiteral("NMCIDADE")); }).isEmpty());
    QCOMPARE(cds.IndexFieldNames(), index);
    QCOMPARE(Codes(cds), codes);
}

void TstClientDataSet::orderKeepsCursorAndCombinesWithFilter()
{
    TClientDataSet cds;
    DefineFields(cds);
    cds.SetData(Bytes());
    TField *code = cds.FieldByName(QStringLiteral("CDFILIAL"));
    QVERIFY(cds.Locate(QStringLiteral("CDFILIAL"), {QStringLiteral("0002")}));
    cds.SetIndexFieldNames(QStringLiteral("CDFILIAL"));
    QCOMPARE(code->AsString(), QStringLiteral("0002"));
    QCOMPARE(cds.RecNo(), 1);

    cds.SetFilterCaseInsensitive(true);
    cds.SetFilter(QStringLiteral("NMFILIAL Like 's%'"));
    cds.SetFiltered(true);
    QCOMPARE(Codes(cds), (QStringList{"0001", "0002", "0003", "0004", "0007"}));
    QCOMPARE(code->AsString(), QStringLiteral("0002"));

    // A new order keeps the narrowing; a record the filter hides sends the cursor home.
    cds.SetIndexFieldNames(QStringLiteral("NMFILIAL"));
    QCOMPARE(Codes(cds), (QStringList{"0007", "0001", "0004", "0002", "0003"}));
    cds.SetFilter(QStringLiteral("NMFILIAL Like 'SAO P%'"));
    QCOMPARE(cds.RecNo(), 0);
    QCOMPARE(code->AsString(), QStringLiteral("0003"));
}

void TstClientDataSet::cursorWalksTheView()
{
    TClientDataSet cds;
    DefineFields(cds);
    cds.SetData(Bytes(Packet(Rows().mid(0, 3))));
    TField *code = cds.FieldByName(QStringLiteral("CDFILIAL"));

    QStringList walked;
    for (cds.First(); !cds.Eof(); cds.Next())
        walked << code->AsString();
    QCOMPARE(walked, (QStringList{"0003", "0001", "0002"}));
    // Next on the last row set Eof without moving.
    QCOMPARE(cds.RecNo(), 2);
    QCOMPARE(code->AsString(), QStringLiteral("0002"));

    cds.Prior();
    QVERIFY(!cds.Eof());
    QCOMPARE(cds.RecNo(), 1);
    cds.Prior();
    cds.Prior();
    QVERIFY(cds.Bof());
    QCOMPARE(cds.RecNo(), 0);
    cds.Last();
    QVERIFY(cds.Eof());
    QCOMPARE(cds.RecNo(), 2);
    cds.First();
    QVERIFY(cds.Bof());
    QVERIFY(!cds.Eof());

    QVERIFY(!errorOf([&] { cds.FieldByName(QStringLiteral("NMCIDADE")); }).isEmpty());
    QVERIFY(!errorOf([&] { cds.Fields(9); }).isEmpty());
    QCOMPARE(cds.FindField(QStringLiteral("NMCIDADE")), nullptr);

    cds.Close();
    QVERIFY(!cds.Active());
    QVERIFY(cds.IsEmpty());
    QVERIFY(!errorOf([&] { cds.Next(); }).isEmpty());
}

void TstClientDataSet::emptyDataSetIsSafe()
{
    TClientDataSet cds;
    DefineFields(cds);
    cds.SetData(Bytes(Packet({})));
    QVERIFY(cds.IsEmpty());
    QVERIFY(cds.Eof());
    QVERIFY(cds.Bof());
    QCOMPARE(cds.RecNo(), -1);
    cds.First();
    cds.Next();
    cds.Last();
    QVERIFY(cds.Eof());
    QVERIFY(cds.FieldByName(QStringLiteral("CDFILIAL"))->IsNull());
    QCOMPARE(cds.FieldByName(QStringLiteral("CDFILIAL"))->AsString(), QString());
    QVERIFY(!errorOf([&] { cds.Edit(); }).isEmpty());
    cds.Cancel();
    QVERIFY(!cds.Locate(QStringLiteral("CDFILIAL"), {QStringLiteral("0001")}));
    cds.SetFilter(QStringLiteral("NMFILIAL Like 'A%'"));
    cds.SetFiltered(true);
    QVERIFY(cds.IsEmpty());
}

void TstClientDataSet::editPostCancel()
{
    TClientDataSet cds;
    DefineFields(cds);
    cds.SetData(Bytes());
    cds.FieldByName(QStringLiteral("CDFILIAL"))->ReadOnly = true;
    TField *name = cds.FieldByName(QStringLiteral("NMFILIAL"));
    TField *quantity = cds.FieldByName(QStringLiteral("QTFUNC"));

    const QString outside = errorOf([&] { name->SetValue(QStringLiteral("X")); });
    QVERIFY2(outside.contains(QStringLiteral("edição")), qPrintable(outside));
    QVERIFY(!errorOf([&] { cds.Post(); }).isEmpty());

    cds.Edit();
    QCOMPARE(cds.state(), TDataSet::State::Edit);
    name->SetAsString(QStringLiteral("CAMPINAS"));
    QCOMPARE(name->AsString(), QStringLiteral("CAMPINAS"));
    QCOMPARE(cds.ValueAt(0, name->Index()), QVariant(QStringLiteral("CAMPINAS")));
    QVERIFY(!errorOf([&] { cds.FieldByName(QStringLiteral("CDFILIAL"))->SetValue(QStringLiteral("9")); }).isEmpty());
    QVERIFY(!errorOf([&] { quantity->SetValue(QStringLiteral("doze")); }).isEmpty());
    QCOMPARE(cds.state(), TDataSet::State::Edit);
    quantity->SetValue(QStringLiteral("12"));
    QCOMPARE(quantity->Value(), QVariant(qlonglong(12)));
    cds.Cancel();
    QCOMPARE(cds.state(), TDataSet::State::Browse);
    QCOMPARE(name->AsString(), QStringLiteral("SAO PAULO"));
    QCOMPARE(quantity->Value(), QVariant(qlonglong(30)));

    cds.Edit();
    name->SetValue(QStringLiteral("CAMPINAS"));
    cds.Post();
    QCOMPARE(name->AsString(), QStringLiteral("CAMPINAS"));

    // Moving the cursor posts a pending edit.
    cds.Edit();
    name->SetValue(QStringLiteral("GUARULHOS"));
    cds.Next();
    QCOMPARE(cds.state(), TDataSet::State::Browse);
    QCOMPARE(cds.ValueAt(0, name->Index()), QVariant(QStringLiteral("GUARULHOS")));
}

void TstClientDataSet::postKeepsRowInPlaceUntilNextFilter()
{
    TClientDataSet cds;
    DefineFields(cds);
    cds.SetData(Bytes());
    cds.SetFilterCaseInsensitive(true);
    cds.SetFilter(QStringLiteral("NMFILIAL Like 'SAO%'"));
    cds.SetFiltered(true);
    TField *name = cds.FieldByName(QStringLiteral("NMFILIAL"));
    cds.Edit();
    name->SetValue(QStringLiteral("RIO CLARO"));
    cds.Post();
    QCOMPARE(Codes(cds), (QStringList{"0003", "0002"}));

    // The next filter sees the posted value.
    cds.SetFilter(QStringLiteral("NMFILIAL Like 'rio%'"));
    QCOMPARE(Codes(cds), QStringList{"0003"});
    cds.SetFilter(QStringLiteral("NMFILIAL Like 'SAO%'"));
    QCOMPARE(Codes(cds), QStringList{"0002"});
}

void TstClientDataSet::suspendedControlsSendNoSignalsThenOneReset()
{
    TClientDataSet cds;
    DefineFields(cds);
    cds.SetData(Bytes());

    QSignalSpy resets(&cds, &QAbstractItemModel::modelReset);
    QSignalSpy aboutToReset(&cds, &QAbstractItemModel::modelAboutToBeReset);
    QSignalSpy changes(&cds, &QAbstractItemModel::dataChanged);
    QSignalSpy layouts(&cds, &QAbstractItemModel::layoutChanged);
    QSignalSpy rows(&cds, &TDataSet::currentRowChanged);

    cds.Next();   // not suspended: the move is announced
    QCOMPARE(rows.count(), 1);
    rows.clear();

    cds.DisableControls();
    cds.DisableControls();
    for (cds.First(); !cds.Eof(); cds.Next()) {
        cds.Edit();
        cds.FieldByName(QStringLiteral("IDCHECK"))->SetValue(QStringLiteral("S"));
        cds.Post();
    }
    cds.SetIndexFieldNames(QStringLiteral("NMFILIAL"));
    cds.SetFilter(QStringLiteral("QTFUNC = 9"));
    cds.SetFiltered(true);
    cds.First();
    cds.Next();
    cds.EnableControls();
    QVERIFY(cds.ControlsDisabled());
    QCOMPARE(resets.count() + aboutToReset.count() + changes.count() + layouts.count() + rows.count(), 0);

    cds.EnableControls();
    QVERIFY(!cds.ControlsDisabled());
    QCOMPARE(resets.count(), 1);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(rows.count(), 1);
    QCOMPARE(rows.first().first().toInt(), 1);
    QCOMPARE(cds.rowCount(), 2);

    cds.EnableControls();   // unbalanced: ignored
    QCOMPARE(resets.count(), 1);
}

void TstClientDataSet::modelShowsDisplayTextPerRow()
{
    TClientDataSet cds;
    DefineFields(cds);
    cds.SetData(Bytes());
    TField *name = cds.FieldByName(QStringLiteral("NMFILIAL"));
    TField *code = cds.FieldByName(QStringLiteral("CDFILIAL"));
    code->ReadOnly = true;
    // The handler reads another field: it must see the row being shown, not the cursor's.
    name->OnGetText = [code](TField &sender, QString &text, bool) {
        text = code->AsString() + QLatin1Char('-') + sender.AsString();
    };

    QCOMPARE(cds.columnCount(), 4);
    QCOMPARE(cds.rowCount(), Rows().size());
    QCOMPARE(cds.data(cds.index(2, name->Index())).toString(), QStringLiteral("0002-Sao Jose"));
    QCOMPARE(cds.data(cds.index(2, name->Index()), Qt::EditRole).toString(), QStringLiteral("Sao Jose"));
    QCOMPARE(cds.RecNo(), 0);
    QCOMPARE(name->DisplayText(), QStringLiteral("0003-SAO PAULO"));
    QCOMPARE(cds.headerData(name->Index(), Qt::Horizontal).toString(), QStringLiteral("Nome da Filial"));
    QVERIFY(cds.flags(cds.index(0, name->Index())) & Qt::ItemIsEditable);
    QVERIFY(!(cds.flags(cds.index(0, code->Index())) & Qt::ItemIsEditable));
    QVERIFY(!cds.data(cds.index(99, 0)).isValid());

    QVERIFY(cds.setData(cds.index(1, name->Index()), QStringLiteral("SANTOS II")));
    QCOMPARE(name->ValueAt(1).toString(), QStringLiteral("SANTOS II"));
    QVERIFY(!cds.setData(cds.index(1, cds.FieldByName(QStringLiteral("QTFUNC"))->Index()), QStringLiteral("x")));
    QCOMPARE(cds.state(), TDataSet::State::Browse);
}

void TstClientDataSet::locateFindsRows()
{
    TClientDataSet cds;
    DefineFields(cds);
    cds.SetData(Bytes());
    TField *code = cds.FieldByName(QStringLiteral("CDFILIAL"));

    QVERIFY(cds.Locate(QStringLiteral("NMFILIAL"), {QStringLiteral("SANTOS")}));
    QCOMPARE(code->AsString(), QStringLiteral("0004"));
    QVERIFY(cds.Locate(QStringLiteral("NMFILIAL"), {QStringLiteral("SANTOS")}, true));
    QCOMPARE(code->AsString(), QStringLiteral("0001"));
    QVERIFY(cds.Locate(QStringLiteral("NMFILIAL"), {QStringLiteral("sao j")}, true, true));
    QCOMPARE(code->AsString(), QStringLiteral("0002"));
    QVERIFY(cds.Locate(QStringLiteral("QTFUNC;NMFILIAL"), {9, QStringLiteral("SANTOS")}));
    QCOMPARE(code->AsString(), QStringLiteral("0004"));
    QVERIFY(!cds.Locate(QStringLiteral("NMFILIAL"), {QStringLiteral("RECIFE")}));
    QCOMPARE(code->AsString(), QStringLiteral("0004"));
    QVERIFY(!errorOf([&] { cds.Locate(QStringLiteral("NMCIDADE"), {QStringLiteral("X")}); }).isEmpty());
    QCOMPARE(sorted(Codes(cds)), sorted(QStringList{"0001", "0002", "0003", "0004", "0005", "0006", "0007"}));
}

QTEST_GUILESS_MAIN(TstClientDataSet)
#include "tst_clientdataset.moc"
