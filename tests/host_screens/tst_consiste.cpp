// Checks and text helpers: Ajusta, PictPess and FormatMaskText, the server result check,
// the message table, enabling of a group's controls, grid column lookup, images.

#include "dialoganswerer.h"
#include "runtime/errors.h"
#include "screens/consiste.h"
#include "screens/qvl_msg.h"

#include "data/tclientdataset.h"
#include "data/tdatasource.h"
#include "data/tdbgrid.h"
#include "datapacket.h"
#include "serverresult.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QtTest>

using namespace Consiste;

class TestConsiste : public QObject {
    Q_OBJECT
private slots:
    void ajusta_data();
    void ajusta();
    void pictPess_data();
    void pictPess();
    void formatMaskText_data();
    void formatMaskText();
    void checkResultServ_ok_data();
    void checkResultServ_ok();
    void checkResultServ_failure_data();
    void checkResultServ_failure();
    void checkResultServ_withoutRaiseShowsTheMessage();
    void emptyString_data();
    void emptyString();
    void mensErro_showsThenAbortsOnlyWhenAsked();
    void dialogAnswerer_queuedAnswersThenTheDefault();
    void msg_returnsTheTextAfterTheFirstBar();
    void setChildEnabled_togglesTheControlsNotTheContainer();
    void indiceCol_findsTheColumnOfAVisibleField();
    void insereImagem_leavesTheTransparentColourUndrawn();
};

void TestConsiste::ajusta_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one digit padded") << "1" << 2 << "01";
    QTest::newRow("single letter unchanged") << "A" << 2 << "A";
    QTest::newRow("full width unchanged") << "12" << 2 << "12";
    QTest::newRow("empty unchanged") << "" << 2 << "";
    QTest::newRow("digit and letter unchanged") << "1A" << 2 << "1A";
    QTest::newRow("wider code") << "7" << 4 << "0007";
    QTest::newRow("longer than width unchanged") << "123" << 2 << "123";
    QTest::newRow("blank inside unchanged") << "1 " << 3 << "1 ";
    QTest::newRow("sign is not a digit") << "-1" << 3 << "-1";
}

void TestConsiste::ajusta()
{
    QFETCH(QString, code);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(Ajusta(code, width), expected);
}

void TestConsiste::pictPess_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("mask");
    QTest::newRow("company") << "J" << "99.999.999/9999-99;0;_";
    QTest::newRow("individual") << "F" << "999.999.999-99;0;_";
    QTest::newRow("padded type from a fixed-width column") << "J " << "99.999.999/9999-99;0;_";
    QTest::newRow("unknown type") << "X" << "";
    QTest::newRow("no type") << "" << "";
}

void TestConsiste::pictPess()
{
    QFETCH(QString, type);
    QFETCH(QString, mask);
    QCOMPARE(PictPess(type), mask);
}

void TestConsiste::formatMaskText_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    const QString cnpj = PictPess("J");
    const QString cpf = PictPess("F");
    QTest::newRow("company number") << cnpj << "11222333000181" << "11.222.333/0001-81";
    QTest::newRow("individual number") << cpf << "12345678909" << "123.456.789-09";
    QTest::newRow("short value: filled as far as it goes") << cpf << "1234" << "123.4";
    QTest::newRow("long value shown as it is") << cpf << "123456789012345" << "123456789012345";
    QTest::newRow("empty value") << cnpj << "" << "";
    QTest::newRow("empty mask leaves the value") << "" << "11222333000181" << "11222333000181";
    QTest::newRow("value with literals kept") << "00/00;1;_" << "12/34" << "12/34";
    QTest::newRow("value without literals, literals saved") << "00/00;1;_" << "1234" << "12/34";
    QTest::newRow("value ending in a literal keeps it") << "00/00;1;_" << "12/" << "12/";
    QTest::newRow("value of a literal alone") << "-0;1;_" << "-" << "-";
    QTest::newRow("escaped literal") << "\\A00;0;_" << "12" << "A12";
    QTest::newRow("upper case directive") << ">LL;0;_" << "ab" << "AB";
    QTest::newRow("three optional digits") << "999;0; " << "7" << "7";
}

void TestConsiste::formatMaskText()
{
    QFETCH(QString, mask);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    QCOMPARE(FormatMaskText(mask, value), expected);
}

void TestConsiste::checkResultServ_ok_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::newRow("text") << QVariant(QStringLiteral("3"));
    QTest::newRow("array") << QVariant(QVariantList{QStringLiteral("3"), 1});
    QTest::newRow("bytes") << QVariant(QByteArray("\x01\x02", 2));
    QTest::newRow("null value") << QVariant::fromValue(nullptr);
}

void TestConsiste::checkResultServ_ok()
{
    QFETCH(QVariant, value);
    QCOMPARE(CheckResultServ(contracts::okResult(value), true, 0), value);
}

void TestConsiste::checkResultServ_failure_data()
{
    QTest::addColumn<QVariant>("result");
    QTest::addColumn<QString>("message");   // empty: any message naming a bad reply
    const QString bad;
    QTest::newRow("server failure") << contracts::failResult(QStringLiteral("Região inexistente."))
                                    << QStringLiteral("Região inexistente.");
    QTest::newRow("not a map") << QVariant(QStringLiteral("ok")) << bad;
    QTest::newRow("invalid variant") << QVariant() << bad;
    QTest::newRow("list") << QVariant(QVariantList{true, 1}) << bad;
    QTest::newRow("no ok") << QVariant(QVariantMap{{"value", 1}}) << bad;
    QTest::newRow("ok not a bool") << QVariant(QVariantMap{{"ok", "true"}, {"value", 1}}) << bad;
    QTest::newRow("ok without value") << QVariant(QVariantMap{{"ok", true}}) << bad;
    QTest::newRow("failure without message") << QVariant(QVariantMap{{"ok", false}}) << bad;
    QTest::newRow("failure with empty message")
        << QVariant(QVariantMap{{"ok", false}, {"message", ""}}) << bad;
    QTest::newRow("failure with non-text message")
        << QVariant(QVariantMap{{"ok", false}, {"message", 12}}) << bad;
}

void TestConsiste::checkResultServ_failure()
{
    QFETCH(QVariant, result);
    QFETCH(QString, message);
    try {
        CheckResultServ(result, true, 0);
        QFAIL("a failed or malformed result passed as success");
    } catch (const EServerError &error) {
        if (message.isEmpty())
            QVERIFY2(error.message().startsWith("Resposta inválida do servidor"), qPrintable(error.message()));
        else
            QCOMPARE(error.message(), message);
    }
}

void TestConsiste::checkResultServ_withoutRaiseShowsTheMessage()
{
    DialogAnswerer answerer;
    const QVariant value = CheckResultServ(contracts::failResult("Sem conexão."), false, 0);
    QVERIFY(!value.isValid());
    QCOMPARE(answerer.Messages(), QStringList{"Sem conexão."});
}

void TestConsiste::emptyString_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("empty");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("blanks") << "   " << true;
    QTest::newRow("code") << "_01_" << false;
    QTest::newRow("all") << "T" << false;
}

void TestConsiste::emptyString()
{
    QFETCH(QString, text);
    QFETCH(bool, empty);
    QCOMPARE(EmptyString(text), empty);
}

void TestConsiste::mensErro_showsThenAbortsOnlyWhenAsked()
{
    DialogAnswerer answerer;
    MensErro("Filial deve ser informada.", false);
    QCOMPARE(answerer.Messages(), QStringList{"Filial deve ser informada."});
    QCOMPARE(answerer.Icons().value(0), QMessageBox::Critical);

    answerer.Clear();
    bool aborted = false;
    try {
        MensErro("Região deve ser informada.", true);
    } catch (const EAbort &) {
        aborted = true;
    }
    QVERIFY(aborted);
    QCOMPARE(answerer.Messages(), QStringList{"Região deve ser informada."});
}

// The helper every screen test answers its dialogs with.
void TestConsiste::dialogAnswerer_queuedAnswersThenTheDefault()
{
    DialogAnswerer answerer(QMessageBox::No);
    answerer.QueueMessageButtons({QMessageBox::Yes});
    QCOMPARE(QMessageBox::question(nullptr, "t", "Confirma operação?"), QMessageBox::Yes);
    QCOMPARE(QMessageBox::question(nullptr, "t", "De novo?"), QMessageBox::No);
    QCOMPARE(QMessageBox::information(nullptr, "t", "Sucesso."), QMessageBox::Ok);   // no "No": default
    QCOMPARE(answerer.Messages(), (QStringList{"Confirma operação?", "De novo?", "Sucesso."}));
    QCOMPARE(answerer.Icons().value(0), QMessageBox::Question);
}

void TestConsiste::msg_returnsTheTextAfterTheFirstBar()
{
    TMessages messages;
    messages.SetLines({"REGIAO|Região", "Reg_D_Inf|Região deve ser informada.", "PIPE|a|b"});
    QCOMPARE(messages.Msg("REGIAO"), QStringLiteral("Região"));
    QCOMPARE(messages.Msg("Reg_D_Inf"), QStringLiteral("Região deve ser informada."));
    QCOMPARE(messages.Msg("PIPE"), QStringLiteral("a|b"));
    QVERIFY_THROWS_EXCEPTION(EHostError, messages.Msg("NAO_EXISTE"));
}

void TestConsiste::setChildEnabled_togglesTheControlsNotTheContainer()
{
    QGroupBox group;
    auto *check = new QCheckBox(&group);
    auto *edit = new QLineEdit(&group);
    auto *button = new QPushButton(&group);

    SetChildEnabled(&group, false);
    QVERIFY(group.isEnabled());
    QVERIFY(!check->isEnabled() && !edit->isEnabled() && !button->isEnabled());

    SetChildEnabled(&group, true);
    QVERIFY(check->isEnabled() && edit->isEnabled() && button->isEnabled());
}

void TestConsiste::indiceCol_findsTheColumnOfAVisibleField()
{
    contracts::DataPacket packet;
    packet.fields = {{"CDFILIAL", contracts::PacketFieldType::String, 4},
                     {"IDCHECK", contracts::PacketFieldType::String, 1},
                     {"NMFILIAL", contracts::PacketFieldType::String, 30}};
    packet.rows = {{"0001", "N", "Centro"}};
    TClientDataSet dataSet;
    dataSet.SetData(QVariant(contracts::encodePacket(packet)));
    dataSet.FieldByName("IDCHECK")->Visible = false;
    dataSet.NotifyFieldsChanged();
    TDataSource source(nullptr, &dataSet);
    TDBGrid grid;
    grid.SetDataSource(&source);

    QCOMPARE(IndiceCol(&grid, "CDFILIAL"), 0);
    QCOMPARE(IndiceCol(&grid, "nmfilial"), 1);
    QCOMPARE(IndiceCol(&grid, "IDCHECK"), -1);
    QCOMPARE(IndiceCol(&grid, "NADA"), -1);
    QCOMPARE(IndiceCol(nullptr, "CDFILIAL"), -1);
}

void TestConsiste::insereImagem_leavesTheTransparentColourUndrawn()
{
    QImage bitmap(4, 4, QImage::Format_RGB32);
    bitmap.fill(Qt::white);                  // the transparent colour
    bitmap.setPixel(1, 1, qRgb(0, 0, 0));    // the glyph

    QImage cell(8, 8, QImage::Format_RGB32);
    cell.fill(Qt::red);
    {
        QPainter painter(&cell);
        InsereImagem(nullptr, &painter, QRect(0, 0, 8, 8), bitmap, Qt::white);
    }
    // Centred: the bitmap's (1,1) lands on (3,3); white pixels leave the red cell.
    QCOMPARE(QColor(cell.pixel(3, 3)), QColor(Qt::black));
    QCOMPARE(QColor(cell.pixel(2, 2)), QColor(Qt::red));
    QCOMPARE(QColor(cell.pixel(5, 5)), QColor(Qt::red));
    QCOMPARE(QColor(cell.pixel(0, 0)), QColor(Qt::red));
}

QTEST_MAIN(TestConsiste)
#include "tst_consiste.moc"
