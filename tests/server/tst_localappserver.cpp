// The application server through its automation object, on a real SQLite sample database:
// the call contract, the four methods, blocking, atomicity, re-runs and bad arguments.

#include "serverfixture.h"
#include "servererror.h"
#include "datagenerator.h"
#include "fornatendeservice.h"
#include "scopetables.h"
#include "steppingsqliteclock.h"

#include <QSqlError>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>

using contracts::DataPacket;
using contracts::PacketFieldType;

namespace {

const QString kT = QStringLiteral("T");
const QString kNone;

// Scenarios of the sample data (docs/server.md).
// Clean: suppliers 1001 and 1002 serve the South; nothing registered there yet.
QVariantList cleanScope() { return {QStringLiteral("_1001_1002_"), kNone, kNone, kT, QStringLiteral("_S_")}; }
// Blocked: supplier 1003 serves only the Southeast; the North's five branches block.
QVariantList blockedScope() { return {QStringLiteral("_1003_"), kNone, kNone, kT, QStringLiteral("_N_")}; }
// Already registered: 1002 serves 0001 and 0002 with periodicity 07.
QVariantList registeredScope()
{
    return {QStringLiteral("_1002_"), kNone, QStringLiteral("_0001_0002_"), kNone, QStringLiteral("_SE_")};
}

// CadAutoAtende arguments: the scope's first four, periodicity, regions, lead time.
// One supplier, every branch and region.
QVariantList blockedScopeOf(const QString &supplier)
{
    return {QLatin1Char('_') + supplier + QLatin1Char('_'), kNone, kNone, kT, kT};
}

QVariantList registration(const QVariantList &scope, const QString &periodicity, const QVariant &leadTime)
{
    return {scope.at(0), scope.at(1), scope.at(2), scope.at(3), periodicity, scope.at(4), leadTime};
}

const QString kAllRegistrations = QStringLiteral(
    "SELECT CDFORNECED, CDFILIAL, CDPERIENTR, QTDIASPRAZEXPED, DTULTALTER, NMUSUULTALTER"
    " FROM FORNATENDE ORDER BY CDFORNECED, CDFILIAL");

QStringList sampleSouthBranches()
{
    return {"0015", "0016", "0017", "0018", "0019", "0020", "0021", "0022"};
}

} // namespace

class TestLocalAppServer : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ServerFixture> fx;

    QVariant okValue(const QVariantMap &result)
    {
        if (!result.value(QStringLiteral("ok")).toBool())
            qWarning("server failure: %s", qPrintable(result.value(QStringLiteral("message")).toString()));
        return result.value(QStringLiteral("value"));
    }

    QString failureMessage(const QVariantMap &result)
    {
        if (result.value(QStringLiteral("ok")).toBool() || !result.contains(QStringLiteral("message")))
            return QStringLiteral("<not a failure>");
        return result.value(QStringLiteral("message")).toString();
    }

    QVector<DataPacket> validate(const QVariantList &scope)
    {
        const QVariantMap result = fx->invoke(QStringLiteral("GetValidReForFil"), scope);
        const QVariantList packets = okValue(result).toList();
        QVector<DataPacket> decoded;
        for (const QVariant &packet : packets)
            decoded.append(contracts::decodePacket(packet.toByteArray()));
        return decoded;
    }

private slots:
    void init() { fx = std::make_unique<ServerFixture>(); }
    void cleanup() { fx.reset(); }

    // --- the call contract -------------------------------------------------------------

    void invokeByNameWithReferenceArgumentsReturnsEnvelope()
    {
        QVariant result;
        QVariantList args{QStringLiteral("T")};
        QObject *automation = fx->server.get();
        QVERIFY(QMetaObject::invokeMethod(automation, "Invoke", Q_RETURN_ARG(QVariant, result),
                                          Q_ARG(QString, QStringLiteral("getFilial")),
                                          Q_ARG(QVariantList &, args)));
        const QVariantMap map = result.toMap();
        QCOMPARE(map.value("ok").toBool(), true);
        QCOMPARE(map.value("value").metaType().id(), int(QMetaType::QByteArray));
        QCOMPARE(args, QVariantList{QStringLiteral("T")});   // the server writes nothing back
    }

    void unknownOrMiscountedCallsAreFailures_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown method") << "apagaTudo" << QVariantList{} << "Método desconhecido";
        QTest::newRow("case matters") << "getfilial" << QVariantList{kT} << "Método desconhecido";
        QTest::newRow("empty name") << "" << QVariantList{} << "Método desconhecido";
        QTest::newRow("getParamGeral with one") << "getParamGeral" << QVariantList{kT} << "esperados 0, recebidos 1";
        QTest::newRow("getFilial with none") << "getFilial" << QVariantList{} << "esperados 1, recebidos 0";
        QTest::newRow("validation with four") << "GetValidReForFil" << QVariantList{kNone, kT, kNone, kT}
                                              << "esperados 5, recebidos 4";
        QTest::newRow("registration with six") << "CadAutoAtende"
                                               << QVariantList{kNone, kT, kNone, kT, kNone, kT}
                                               << "esperados 7, recebidos 6";
    }

    void unknownOrMiscountedCallsAreFailures()
    {
        QFETCH(QString, method);
        QFETCH(QVariantList, args);
        QFETCH(QString, message);
        const QVariantMap result = fx->invoke(method, args);
        QCOMPARE(result.value("ok").toBool(), false);
        QVERIFY2(failureMessage(result).contains(message), qPrintable(failureMessage(result)));
    }

    void closedDatabaseIsAFailureNotACrash()
    {
        fx->db.close();
        const QVariantMap result = fx->invoke(QStringLiteral("getParamGeral"));
        QCOMPARE(result.value("ok").toBool(), false);
        QCOMPARE(failureMessage(result), QStringLiteral("O banco de dados do servidor de aplicação não está aberto."));
    }

    // --- getParamGeral -----------------------------------------------------------------

    void getParamGeralReturnsParametersInOrder()
    {
        const QVariantList params = okValue(fx->invoke(QStringLiteral("getParamGeral"))).toList();
        QCOMPARE(params, (QVariantList{QStringLiteral("3"), QStringLiteral("1058")}));
        QCOMPARE(params.at(0).metaType().id(), int(QMetaType::QString));

        fx->exec(QStringLiteral("UPDATE PARAMGERAL SET VLPARAMGERAL = '1' WHERE NRPARAMGERAL = 0"));
        QCOMPARE(okValue(fx->invoke(QStringLiteral("getParamGeral"))).toList().value(0), QVariant(QStringLiteral("1")));
    }

    void getParamGeralWithoutParametersFails()
    {
        fx->exec(QStringLiteral("DELETE FROM PARAMGERAL"));
        QCOMPARE(failureMessage(fx->invoke(QStringLiteral("getParamGeral"))),
                 QStringLiteral("Parâmetros gerais não cadastrados."));
    }

    // --- getFilial ---------------------------------------------------------------------

    void getFilialPacketHasExactlyTheTextFields()
    {
        const DataPacket packet = contracts::decodePacket(
            okValue(fx->invoke(QStringLiteral("getFilial"), {kT})).toByteArray());
        QCOMPARE(packetFieldNames(packet),
                 (QStringList{"IDCHECK", "CDFILIAL", "NMFILIAL", "CDPAIS", "NMPAIS", "SGESTADO", "NMESTADO",
                              "CDMUNICIPIO", "NMMUNICIPIO"}));
        for (const auto &field : packet.fields)
            QCOMPARE(field.type, PacketFieldType::String);
        QCOMPARE(packet.rows.size(), 40);
        QCOMPARE(packet.rows.first(),
                 (QVector<QVariant>{QString(""), "0001", "Matriz São Paulo", "1058", "Brasil", "SP", "São Paulo",
                                    "0001", "São Paulo"}));
        QVERIFY(packetColumn(packet, "IDCHECK").join(QString()).isEmpty());
    }

    void getFilialSelectsByRegionOrderedByCode_data()
    {
        QTest::addColumn<QString>("regions");
        QTest::addColumn<QStringList>("branches");
        QTest::newRow("south") << "_S_" << sampleSouthBranches();
        QTest::newRow("north and south, any order")
            << "_S_N_" << (sampleSouthBranches() + QStringList{"0036", "0037", "0038", "0039", "0040"});
        QTest::newRow("repeated code") << "_N_N_" << QStringList{"0036", "0037", "0038", "0039", "0040"};
        QTest::newRow("nothing chosen") << "" << QStringList{};
    }

    void getFilialSelectsByRegionOrderedByCode()
    {
        QFETCH(QString, regions);
        QFETCH(QStringList, branches);
        const DataPacket packet = contracts::decodePacket(
            okValue(fx->invoke(QStringLiteral("getFilial"), {regions})).toByteArray());
        QCOMPARE(packetColumn(packet, "CDFILIAL"), branches);
        QCOMPARE(packet.fields.size(), 9);
    }

    void getFilialAllIsEveryBranchSorted()
    {
        fx->exec(QStringLiteral("INSERT INTO FILIAL VALUES ('0000', 'S', 'Loja Zero', '1058', 'RS', '0001')"));
        const QStringList codes = packetColumn(contracts::decodePacket(
            okValue(fx->invoke(QStringLiteral("getFilial"), {kT})).toByteArray()), "CDFILIAL");
        QCOMPARE(codes.size(), 41);
        QCOMPARE(codes.first(), QStringLiteral("0000"));
        QStringList sorted = codes;
        sorted.sort();
        QCOMPARE(codes, sorted);
    }

    // --- GetValidReForFil --------------------------------------------------------------

    void validationOfCleanScopeHasNoRows()
    {
        const QVector<DataPacket> packets = validate(cleanScope());
        QCOMPARE(packets.size(), 2);
        QCOMPARE(packets[0].rows.size(), 0);
        QCOMPARE(packets[1].rows.size(), 0);
        QCOMPARE(packetFieldNames(packets[0]),
                 (QStringList{"FILIAL", "REGIAO", "FORNECEDOR", "NMFANTFORN", "IDTPIJURFORN"}));
        QCOMPARE(packetFieldNames(packets[1]),
                 (QStringList{"CDFORNECED", "NMFANTFORN", "CDFILIAL", "NMFILIAL", "CDPERIENTR"}));
        for (const DataPacket &packet : packets)
            for (const auto &field : packet.fields)
                QCOMPARE(field.type, PacketFieldType::String);
    }

    void validationListsEveryBlockingPair()
    {
        const QVector<DataPacket> packets = validate(blockedScope());
        QCOMPARE(packets[0].rows.size(), 5);
        QCOMPARE(packets[0].rows.first(),
                 (QVector<QVariant>{"0036 - Loja Manaus", "N - Norte", "88387815000116", "Laticínios Serra Verde",
                                    "J"}));
        QCOMPARE(packetColumn(packets[0], "FILIAL").last(), QStringLiteral("0040 - Loja Marabá"));
        QCOMPARE(packets[1].rows.size(), 0);
    }

    // A scope past what a person can read: each packet carries the first rows in the
    // screen's order and the whole count; the registration itself is still refused.
    void validationListsAreCutWithTheirTotal()
    {
        appserver::DataGenerator::populate(fx->db, 2100, 6);
        const QVariantList everything{kNone, kT, kNone, kT, kT};
        QCOMPARE(okValue(fx->invoke(QStringLiteral("CadAutoAtende"), registration(everything, "07", 0.0))).toLongLong(),
                 12600);
        fx->exec(QStringLiteral("DELETE FROM FORNREGIAO"));   // now every pair blocks

        const QVector<DataPacket> packets = validate(everything);
        for (const DataPacket &packet : packets) {
            QCOMPARE(packet.rows.size(), appserver::FornAtendeService::MaxListedRows);
            QCOMPARE(packet.total, 12600);
        }
        const QStringList branches = packetColumn(packets[0], "FILIAL");
        QVERIFY(branches.first().startsWith(appserver::DataGenerator::branchCode(1, 2100)));
        QVERIFY(std::is_sorted(branches.begin(), branches.end()));
        QCOMPARE(packetColumn(packets[1], "CDFORNECED").first(), appserver::DataGenerator::supplierCode(1));
        QCOMPARE(fx->invoke(QStringLiteral("CadAutoAtende"), registration(everything, "15", 0.0))
                     .value(QStringLiteral("ok")), QVariant(false));

        // Below the bound nothing is cut and no total travels.
        QCOMPARE(validate(blockedScopeOf(appserver::DataGenerator::supplierCode(1))).at(0).total, -1);
    }

    // The listed rows and the total against the rule applied pair by pair, on a data set
    // where suppliers serve different regions, so that branches contribute different
    // numbers of rows and the cut at the bound falls inside a branch.
    void validationMatchesThePairByPairRule_data()
    {
        QTest::addColumn<QVariantList>("scope");
        QTest::newRow("everything, cut") << QVariantList{kNone, kT, kNone, kT, kT};
        QTest::newRow("some regions, cut") << QVariantList{kNone, kT, kNone, kT, QStringLiteral("_N_NE_SE_")};
        QTest::newRow("listed suppliers and branches, whole")
            << QVariantList{QStringLiteral("_") + appserver::DataGenerator::supplierCode(3) + QStringLiteral("_")
                                + appserver::DataGenerator::supplierCode(7) + QStringLiteral("_"),
                            kNone,
                            QStringLiteral("_") + appserver::DataGenerator::branchCode(5, 2100) + QStringLiteral("_")
                                + appserver::DataGenerator::branchCode(2050, 2100) + QStringLiteral("_"),
                            kNone, kT};
    }

    void validationMatchesThePairByPairRule()
    {
        QFETCH(QVariantList, scope);
        appserver::DataGenerator::populate(fx->db, 2100, 9);
        // Supplier k stops serving every region whose code sorts at a position divisible
        // by k's remainder: a different blocked set per supplier and region.
        fx->exec(QStringLiteral(
            "DELETE FROM FORNREGIAO WHERE (SELECT COUNT(*) FROM REGIAO g WHERE g.CDREGIAO < FORNREGIAO.CDREGIAO)"
            " % (1 + CAST(SUBSTR(CDFORNECED, -1) AS INTEGER) % 3) = 0"));

        const DataPacket blocking = validate(scope).at(0);

        // The reference: every pair of the scope checked on its own, in the list's order.
        appserver::ScopeTables(fx->db).load(appserver::parseScopeArguments(scope));
        const QString pairs = QStringLiteral(
            " FROM TMPESCFIL b JOIN FILIAL f ON f.CDFILIAL = b.CDFILIAL JOIN REGIAO g ON g.CDREGIAO = f.CDREGIAO"
            " CROSS JOIN TMPESCFORN t JOIN FORNECEDOR s ON s.CDFORNECED = t.CDFORNECED"
            " WHERE NOT EXISTS (SELECT 1 FROM FORNREGIAO r"
            "                   WHERE r.CDFORNECED = t.CDFORNECED AND r.CDREGIAO = f.CDREGIAO)");
        const QList<QStringList> expected = fx->rows(
            QStringLiteral("SELECT f.CDFILIAL || ' - ' || f.NMFILIAL, g.CDREGIAO || ' - ' || g.NMREGIAO,"
                           " s.NRINSJURFORN, s.NMFANTFORN, s.IDTPIJURFORN")
            + pairs + QStringLiteral(" ORDER BY f.CDFILIAL, s.NMFANTFORN, s.CDFORNECED LIMIT %1")
                          .arg(appserver::FornAtendeService::MaxListedRows));
        const qint64 total = fx->rows(QStringLiteral("SELECT COUNT(*)") + pairs).value(0).value(0).toLongLong();
        QVERIFY(total > 0);

        QCOMPARE(blocking.rows.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QStringList row;
            for (const QVariant &value : blocking.rows.at(i))
                row.append(value.toString());
            QCOMPARE(row, expected.at(i));
        }
        QCOMPARE(blocking.total, total > appserver::FornAtendeService::MaxListedRows ? total : -1);
    }

    void validationBlocksOnlyPairsOfUnservedRegions()
    {
        // 1002 serves S and SE, 1004 only NE: over the South, only 1004's pairs block;
        // the individual 1030 serves no region and blocks everywhere.
        const QVector<DataPacket> packets =
            validate({QStringLiteral("_1002_1004_1030_"), kNone, kNone, kT, QStringLiteral("_S_")});
        QCOMPARE(packets[0].rows.size(), 16);
        QStringList suppliers = packetColumn(packets[0], "NMFANTFORN");
        suppliers.removeDuplicates();
        QCOMPARE(suppliers, (QStringList{"Fornecedor Novo", "Frutas do Vale"}));
        const int individual = packetColumn(packets[0], "IDTPIJURFORN").indexOf("F");
        QCOMPARE(packetColumn(packets[0], "FORNECEDOR").at(individual), QStringLiteral("38944377405"));
    }

    void validationListsAlreadyRegisteredPairs()
    {
        const QVector<DataPacket> packets = validate(registeredScope());
        QCOMPARE(packets[0].rows.size(), 0);
        QCOMPARE(packets[1].rows.size(), 2);
        QCOMPARE(packets[1].rows.at(0),
                 (QVector<QVariant>{"1002", "Atacado Sul-Sudeste", "0001", "Matriz São Paulo", "07"}));
        QCOMPARE(packetColumn(packets[1], "CDFILIAL"), (QStringList{"0001", "0002"}));
    }

    void validationScopeFollowsTheAllFlags_data()
    {
        QTest::addColumn<QVariantList>("scope");
        QTest::addColumn<int>("registered");
        QTest::addColumn<int>("blocking");
        // A list chosen before switching to "all" still travels; the flag wins.
        QTest::newRow("supplier flag beats the list")
            << QVariantList{QStringLiteral("_1001_"), kT, QStringLiteral("_0001_"), kNone, QStringLiteral("_SE_")}
            << 2 << 13;
        // With a branch list the regions do not narrow the branches.
        QTest::newRow("branch list ignores regions")
            << QVariantList{QStringLiteral("_1003_"), kNone, QStringLiteral("_0001_0010_"), kNone, QStringLiteral("_N_")}
            << 2 << 0;
        QTest::newRow("branch flag takes the regions' branches")
            << QVariantList{QStringLiteral("_1003_"), kNone, QStringLiteral("_0036_"), kT, QStringLiteral("_SE_")}
            << 2 << 0;
        QTest::newRow("everything") << QVariantList{kNone, kT, kNone, kT, kT} << 4 << 709;
    }

    void validationScopeFollowsTheAllFlags()
    {
        QFETCH(QVariantList, scope);
        QFETCH(int, registered);
        QFETCH(int, blocking);
        const QVector<DataPacket> packets = validate(scope);
        QCOMPARE(packets[1].rows.size(), registered);
        QCOMPARE(packets[0].rows.size(), blocking);
    }

    // --- CadAutoAtende -----------------------------------------------------------------

    void registrationWritesEveryPairOfTheScope()
    {
        const QVariantMap result = fx->invoke(QStringLiteral("CadAutoAtende"),
                                              registration(cleanScope(), QStringLiteral("15"), 7.0));
        QCOMPARE(okValue(result).toLongLong(), 16);
        const auto rows = fx->rows(QStringLiteral(
            "SELECT CDFORNECED, CDFILIAL, CDPERIENTR, QTDIASPRAZEXPED, NMUSUULTALTER FROM FORNATENDE"
            " WHERE CDFILIAL BETWEEN '0015' AND '0022' ORDER BY 1, 2"));
        QCOMPARE(rows.size(), 16);
        QCOMPARE(rows.first(), (QStringList{"1001", "0015", "15", "7", "tester"}));
        QCOMPARE(rows.last(), (QStringList{"1002", "0022", "15", "7", "tester"}));
        QCOMPARE(fx->rows(QStringLiteral("SELECT COUNT(*) FROM FORNATENDE")).value(0).value(0), QStringLiteral("20"));
        QVERIFY(!fx->rows(QStringLiteral("SELECT DTULTALTER FROM FORNATENDE WHERE CDFILIAL = '0015'"))
                     .value(0).value(0).isEmpty());
    }

    void registrationRecordsOneAuditRowPerRun()
    {
        okValue(fx->invoke(QStringLiteral("CadAutoAtende"), registration(cleanScope(), QStringLiteral("15"), 7.0)));
        okValue(fx->invoke(QStringLiteral("CadAutoAtende"), registration(registeredScope(), QString(), 0.0)));
        const auto audit = fx->rows(QStringLiteral(
            "SELECT NRLOGCADAUTO, NMUSUARIO, DSREGIOES, IDTODOSFORN, QTFORNECED, IDTODASFIL, QTFILIAL,"
            " CDPERIENTR, QTDIASPRAZEXPED, QTPARES FROM LOGCADAUTO ORDER BY NRLOGCADAUTO"));
        QCOMPARE(audit.size(), 2);
        QCOMPARE(audit.at(0), (QStringList{"1", "tester", "_S_", "N", "2", "S", "8", "15", "7", "16"}));
        QCOMPARE(audit.at(1), (QStringList{"2", "tester", "_SE_", "N", "1", "N", "2", "<null>", "0", "2"}));
    }

    void registrationReplacesExistingPairs()
    {
        okValue(fx->invoke(QStringLiteral("CadAutoAtende"), registration(registeredScope(), QString(), 12.0)));
        const auto rows = fx->rows(QStringLiteral(
            "SELECT CDFORNECED, CDFILIAL, CDPERIENTR, QTDIASPRAZEXPED, NMUSUULTALTER FROM FORNATENDE"
            " WHERE CDFORNECED = '1002' ORDER BY 2"));
        QCOMPARE(rows, (QList<QStringList>{{"1002", "0001", "<null>", "12", "tester"},
                                           {"1002", "0002", "<null>", "12", "tester"}}));
        QCOMPARE(fx->rows(QStringLiteral("SELECT COUNT(*) FROM FORNATENDE")).value(0).value(0), QStringLiteral("4"));
        // Pairs outside the scope keep their values.
        QCOMPARE(fx->rows(QStringLiteral("SELECT CDPERIENTR, NMUSUULTALTER FROM FORNATENDE"
                                         " WHERE CDFORNECED = '1003' AND CDFILIAL = '0001'")).value(0),
                 (QStringList{"30", "carga inicial"}));
        // A pair without periodicity travels as empty text in the validation packet.
        QCOMPARE(packetColumn(validate(registeredScope()).at(1), "CDPERIENTR"), (QStringList{"", ""}));
    }

    // A run that replaces some pairs and inserts others, on a database clock that gives
    // every statement a later second: all its pairs and its log row still get one time,
    // the database's own, in the text form the column has always had.
    void aRunAndItsPairsShareOneTime()
    {
        const QDateTime start(QDate(2031, 3, 4), QTime(5, 6, 7), Qt::UTC);
        fx.reset();
        SteppingSqliteClock clock(start);
        fx = std::make_unique<ServerFixture>();
        const QVariantList scope{QStringLiteral("_1002_"), kNone, kNone, kT, QStringLiteral("_SE_")};
        okValue(fx->invoke(QStringLiteral("CadAutoAtende"), registration(scope, QStringLiteral("15"), 2.0)));

        const auto written = fx->rows(QStringLiteral("SELECT QTSUBSTITUIDOS, QTNOVOS FROM LOGCADAUTO"));
        QCOMPARE(written.size(), 1);
        QCOMPARE(written.at(0).at(0), QStringLiteral("2"));
        QVERIFY(written.at(0).at(1).toInt() > 0);
        const auto times = fx->rows(QStringLiteral("SELECT DTULTALTER FROM FORNATENDE WHERE NRLOGCADAUTO = 1"
                                                   " UNION SELECT DTEXECUCAO FROM LOGCADAUTO WHERE NRLOGCADAUTO = 1"));
        QCOMPARE(times.size(), 1);
        const QDateTime time = QDateTime::fromString(times.at(0).at(0), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        QVERIFY2(time.isValid(), qPrintable(times.at(0).at(0)));
        QVERIFY2(time.date() == start.date() && time.time() > start.time(), qPrintable(times.at(0).at(0)));
    }

    void rerunningTheSameScopeChangesOnlyPeriodicityAndLeadTime()
    {
        const QVariantList scope{kNone, kT, kNone, kT, QStringLiteral("_SE_S_")};
        fx->exec(QStringLiteral("DELETE FROM FORNREGIAO WHERE CDREGIAO NOT IN ('SE', 'S')"));
        fx->exec(QStringLiteral("INSERT INTO FORNREGIAO SELECT CDFORNECED, 'SE' FROM FORNECEDOR f WHERE NOT EXISTS"
                                " (SELECT 1 FROM FORNREGIAO r WHERE r.CDFORNECED = f.CDFORNECED AND r.CDREGIAO = 'SE')"));
        fx->exec(QStringLiteral("INSERT INTO FORNREGIAO SELECT CDFORNECED, 'S' FROM FORNECEDOR f WHERE NOT EXISTS"
                                " (SELECT 1 FROM FORNREGIAO r WHERE r.CDFORNECED = f.CDFORNECED AND r.CDREGIAO = 'S')"));
        const QVariant first = okValue(fx->invoke(QStringLiteral("CadAutoAtende"),
                                                  registration(scope, QStringLiteral("07"), 3.0)));
        QCOMPARE(first.toLongLong(), 30 * 22);
        const auto before = fx->rows(QStringLiteral("SELECT CDFORNECED, CDFILIAL FROM FORNATENDE ORDER BY 1, 2"));

        fx->exec(QStringLiteral("UPDATE FORNATENDE SET NMUSUULTALTER = 'outro'"));
        const QVariant second = okValue(fx->invoke(QStringLiteral("CadAutoAtende"),
                                                   registration(scope, QStringLiteral("1A"), 9.0)));
        QCOMPARE(second, first);
        QCOMPARE(fx->rows(QStringLiteral("SELECT CDFORNECED, CDFILIAL FROM FORNATENDE ORDER BY 1, 2")), before);
        QCOMPARE(fx->rows(QStringLiteral("SELECT DISTINCT CDPERIENTR, QTDIASPRAZEXPED, NMUSUULTALTER FROM FORNATENDE")),
                 (QList<QStringList>{{"1A", "9", "tester"}}));
    }

    void registrationOfBlockedScopeWritesNothing()
    {
        const auto before = fx->rows(kAllRegistrations);
        const QVariantMap result = fx->invoke(QStringLiteral("CadAutoAtende"),
                                              registration(blockedScope(), QStringLiteral("07"), 0.0));
        QCOMPARE(failureMessage(result), QStringLiteral("Operação bloqueada. Existem filiais cuja região não é "
                                                        "atendida pelos fornecedores escolhidos"));
        QCOMPARE(fx->rows(kAllRegistrations), before);
        QCOMPARE(fx->rows(QStringLiteral("SELECT COUNT(*) FROM LOGCADAUTO")).value(0).value(0), QStringLiteral("0"));
    }

    void blockingIsCheckedAgainAtRegistration()
    {
        // Validated clean, then the served region is withdrawn before the registration.
        QCOMPARE(validate(cleanScope()).at(0).rows.size(), 0);
        fx->exec(QStringLiteral("DELETE FROM FORNREGIAO WHERE CDFORNECED = '1002' AND CDREGIAO = 'S'"));
        const QVariantMap result = fx->invoke(QStringLiteral("CadAutoAtende"),
                                              registration(cleanScope(), QStringLiteral("07"), 0.0));
        QVERIFY(failureMessage(result).startsWith(QStringLiteral("Operação bloqueada.")));
        QCOMPARE(fx->rows(QStringLiteral("SELECT COUNT(*) FROM FORNATENDE")).value(0).value(0), QStringLiteral("4"));
    }

    void failureInTheMiddleLeavesTheTableAsItWas_data()
    {
        QTest::addColumn<QString>("sabotage");
        QTest::addColumn<QString>("cause");
        QTest::newRow("audit insert refused by a trigger")
            << "CREATE TRIGGER TRG_FALHA BEFORE INSERT ON LOGCADAUTO"
               " BEGIN SELECT RAISE(ABORT, 'auditoria indisponível'); END"
            << "auditoria indisponível";
        QTest::newRow("audit table dropped") << "DROP TABLE LOGCADAUTO" << "LOGCADAUTO";
    }

    void failureInTheMiddleLeavesTheTableAsItWas()
    {
        QFETCH(QString, sabotage);
        QFETCH(QString, cause);
        fx->exec(sabotage);
        const auto before = fx->rows(kAllRegistrations);
        // The scope both adds new pairs and updates the registered 1002 @ 0001/0002.
        const QVariantList scope{QStringLiteral("_1001_1002_"), kNone, kNone, kT, QStringLiteral("_SE_S_")};
        const QVariantMap result = fx->invoke(QStringLiteral("CadAutoAtende"),
                                              registration(scope, QStringLiteral("30"), 5.0));
        QVERIFY2(failureMessage(result).startsWith(QStringLiteral("Erro no banco de dados do servidor:"))
                     && failureMessage(result).contains(cause),
                 qPrintable(failureMessage(result)));
        QCOMPARE(fx->rows(kAllRegistrations), before);
        // The connection is usable again: the transaction was rolled back, not left open.
        fx->exec(QStringLiteral("DROP TRIGGER IF EXISTS TRG_FALHA"));
        QCOMPARE(okValue(fx->invoke(QStringLiteral("getParamGeral"))).toList().size(), 2);
    }

    void leadTimeAcceptsWholeNumbers_data()
    {
        QTest::addColumn<QVariant>("leadTime");
        QTest::addColumn<QString>("stored");
        QTest::newRow("zero") << QVariant(0.0) << "0";
        QTest::newRow("typed 007") << QVariant(7.0) << "7";
        QTest::newRow("largest") << QVariant(999.0) << "999";
        QTest::newRow("integer variant") << QVariant(12) << "12";
    }

    void leadTimeAcceptsWholeNumbers()
    {
        QFETCH(QVariant, leadTime);
        QFETCH(QString, stored);
        okValue(fx->invoke(QStringLiteral("CadAutoAtende"), registration(cleanScope(), QStringLiteral("01"), leadTime)));
        QCOMPARE(fx->rows(QStringLiteral("SELECT DISTINCT QTDIASPRAZEXPED FROM FORNATENDE WHERE CDFILIAL = '0015'")),
                 (QList<QStringList>{{stored}}));
    }

    void authorIsTheConfiguredUser()
    {
        fx.reset();
        fx = std::make_unique<ServerFixture>(QStringLiteral("maria.souza"));
        okValue(fx->invoke(QStringLiteral("CadAutoAtende"), registration(cleanScope(), QString(), 0.0)));
        QCOMPARE(fx->rows(QStringLiteral("SELECT DISTINCT NMUSUULTALTER FROM FORNATENDE WHERE CDFILIAL = '0015'")),
                 (QList<QStringList>{{"maria.souza"}}));
        QCOMPARE(fx->server->usuario(), QStringLiteral("maria.souza"));
    }

    void authorDefaultsToTheSystemUser()
    {
        qputenv("USER", "operador");
        appserver::LocalAppServer server(QString::fromLatin1(ServerFixture::kConnection));
        QCOMPARE(server.usuario(), QStringLiteral("operador"));
    }

    // A registration that cannot get the write lock in time says so in Portuguese and
    // writes nothing.
    void registrationWaitingForTheLockSaysSo()
    {
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("otherWriter"));
            other.setDatabaseName(fx->path());
            QVERIFY(other.open());
            QSqlQuery lock(other);
            QVERIFY(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
            fx->exec(QStringLiteral("PRAGMA busy_timeout = 50"));

            const QVariantMap result = fx->invoke(QStringLiteral("CadAutoAtende"),
                                                  registration(cleanScope(), QStringLiteral("07"), 1.0));
            QCOMPARE(result.value(QStringLiteral("ok")), QVariant(false));
            const QString message = result.value(QStringLiteral("message")).toString();
            QVERIFY2(message.startsWith(QStringLiteral("Outro cadastramento está em andamento")), qPrintable(message));
            QVERIFY(lock.exec(QStringLiteral("ROLLBACK")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("otherWriter"));
        QCOMPARE(fx->rows(QStringLiteral("SELECT COUNT(*) FROM FORNATENDE")).value(0).value(0), QStringLiteral("4"));
    }

    void hostReaderConnectionDoesNotBlockRegistration()
    {
        // The host reads through its own connection on the same file while the server writes.
        {
            QSqlDatabase host = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("adcGeralTest"));
            host.setDatabaseName(fx->path());
            QVERIFY(host.open());
            QSqlQuery reading(host);
            QVERIFY(reading.exec(QStringLiteral("SELECT CDFORNECED FROM FORNECEDOR ORDER BY NMFANTFORN")));
            QVERIFY(reading.next());   // a read in progress holds its snapshot

            QCOMPARE(okValue(fx->invoke(QStringLiteral("CadAutoAtende"),
                                        registration(cleanScope(), QStringLiteral("07"), 1.0))).toLongLong(), 16);
            reading.finish();
            QSqlQuery count(host);
            QVERIFY(count.exec(QStringLiteral("SELECT COUNT(*) FROM FORNATENDE")) && count.next());
            QCOMPARE(count.value(0).toInt(), 20);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("adcGeralTest"));
    }

    void concurrentRegistrationsBothSucceedWithoutDuplicates()
    {
        // Two servers (two connections, two threads) register overlapping scopes at once:
        // each run takes the write lock before its checks, so both land whole, one after
        // the other, instead of one failing on a stale snapshot.
        const QString path = fx->path();
        auto worker = [path](int id, QStringList *failures) {
            const QString connection = QStringLiteral("concurrent%1").arg(id);
            try {
                appserver::ServerDatabase::openSqlite(path, connection);
                {
                    appserver::LocalAppServer server(connection, QStringLiteral("host%1").arg(id));
                    for (int run = 0; run < 5; ++run) {
                        QVariantList args{QStringLiteral("_1001_1002_"), kNone, kNone, kT,
                                          run % 2 ? QStringLiteral("07") : QStringLiteral("15"),
                                          QStringLiteral("_SE_S_"), double(id)};
                        const QVariantMap result = server.Invoke(QStringLiteral("CadAutoAtende"), args).toMap();
                        if (!result.value(QStringLiteral("ok")).toBool())
                            failures->append(result.value(QStringLiteral("message")).toString());
                    }
                }
            } catch (const appserver::ServerError &error) {
                failures->append(error.message());
            }
            appserver::ServerDatabase::close(connection);
        };
        QStringList failuresA;
        QStringList failuresB;
        std::thread a(worker, 1, &failuresA);
        std::thread b(worker, 2, &failuresB);
        a.join();
        b.join();
        QCOMPARE(failuresA + failuresB, QStringList{});
        QCOMPARE(fx->rows(QStringLiteral("SELECT COUNT(*), COUNT(DISTINCT CDFORNECED || '/' || CDFILIAL) FROM FORNATENDE"
                                         " WHERE CDFORNECED IN ('1001', '1002')")),
                 (QList<QStringList>{{"44", "44"}}));
        QCOMPARE(fx->rows(QStringLiteral("SELECT COUNT(*) FROM LOGCADAUTO")), (QList<QStringList>{{"10"}}));
        // Every pair carries the values of one single run (the last to commit).
        QCOMPARE(fx->rows(QStringLiteral("SELECT COUNT(DISTINCT CDPERIENTR || QTDIASPRAZEXPED || NMUSUULTALTER)"
                                         " FROM FORNATENDE WHERE CDFORNECED IN ('1001', '1002')")),
                 (QList<QStringList>{{"1"}}));
    }

    // --- bad arguments -----------------------------------------------------------------

    void badArgumentsAreRefusedBeforeAnyWrite_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QString>("message");

        const QVariantList good = registration(cleanScope(), QStringLiteral("07"), 1.0);
        auto with = [&](int index, const QVariant &value) {
            QVariantList args = good;
            args[index] = value;
            return args;
        };
        const QString form = QStringLiteral("use vazio ou códigos entre");
        const QString chars = QStringLiteral("caracteres não permitidos");

        // Selection strings (suppliers 0, branches 2, regions 5).
        QTest::newRow("suppliers without underscores") << "CadAutoAtende" << with(0, "1001") << form;
        QTest::newRow("suppliers missing the last _") << "CadAutoAtende" << with(0, "_1001") << form;
        QTest::newRow("suppliers missing the first _") << "CadAutoAtende" << with(0, "1001_") << form;
        QTest::newRow("suppliers only _") << "CadAutoAtende" << with(0, "_") << form;
        QTest::newRow("suppliers T is for regions") << "CadAutoAtende" << with(0, "T") << form;
        QTest::newRow("empty code") << "CadAutoAtende" << with(0, "_1001__1002_") << "código vazio";
        QTest::newRow("two underscores") << "CadAutoAtende" << with(2, "__") << form;
        QTest::newRow("three underscores") << "CadAutoAtende" << with(2, "___") << "código vazio";
        QTest::newRow("branch code too long") << "CadAutoAtende" << with(2, "_00001_") << "excede 4 caracteres";
        QTest::newRow("region code too long") << "CadAutoAtende" << with(5, "_NORTE_") << "excede 3 caracteres";
        QTest::newRow("supplier code too long") << "CadAutoAtende" << with(0, "_1234567890123456789012_")
                                                << "excede 21 caracteres";
        QTest::newRow("regions lower-case t") << "CadAutoAtende" << with(5, "t") << "use vazio, \"T\" ou códigos";
        QTest::newRow("blank inside code") << "CadAutoAtende" << with(2, "_00 1_") << chars;
        QTest::newRow("accented code") << "CadAutoAtende" << with(0, "_10É1_") << chars;
        // Injection attempts: refused by the code rule, never reach SQL.
        QTest::newRow("quote and drop") << "CadAutoAtende" << with(0, "_1001'; DROP TABLE FORNATENDE;--_") << chars;
        QTest::newRow("or 1=1") << "CadAutoAtende" << with(2, "_0015' OR '1'='1_") << chars;
        QTest::newRow("union in regions") << "CadAutoAtende" << with(5, "_S_') UNION SELECT CDFORNECED FROM FORNECEDOR--_")
                                          << chars;
        QTest::newRow("comment in branch") << "GetValidReForFil"
                                           << QVariantList{kNone, kT, "_0001/*_", kNone, "_SE_"} << chars;
        QTest::newRow("percent wildcard") << "getFilial" << QVariantList{"_%_"} << chars;
        QTest::newRow("semicolon in regions") << "getFilial" << QVariantList{"_S;DELETE FROM FILIAL_"} << chars;

        // Unknown codes.
        QTest::newRow("unknown supplier") << "CadAutoAtende" << with(0, "_1001_9999_")
                                          << "Fornecedor não cadastrado: \"9999\".";
        QTest::newRow("unknown branch") << "CadAutoAtende"
                                        << QVariantList{"_1001_", kNone, "_0015_0999_", kNone, "07", "_S_", 1.0}
                                        << "Filial não cadastrada: \"0999\".";
        QTest::newRow("unknown region") << "getFilial" << QVariantList{"_S_XX_"} << "Região não cadastrada: \"XX\".";
        QTest::newRow("lower-case region") << "getFilial" << QVariantList{"_s_"} << "Região não cadastrada: \"s\".";

        // All-flags.
        QTest::newRow("supplier flag X") << "CadAutoAtende" << with(1, "X") << "todos os fornecedores deve ser \"T\"";
        QTest::newRow("branch flag t") << "CadAutoAtende" << with(3, "t") << "todas as filiais deve ser \"T\"";
        QTest::newRow("branch flag TT") << "GetValidReForFil" << QVariantList{kNone, kT, kNone, "TT", kT}
                                        << "todas as filiais deve ser \"T\"";

        // Periodicity.
        QTest::newRow("periodicity not registered") << "CadAutoAtende" << with(4, "99") << "Periodicidade não cadastrada.";
        QTest::newRow("periodicity lower-case") << "CadAutoAtende" << with(4, "0a") << "Periodicidade não cadastrada.";
        QTest::newRow("periodicity too long") << "CadAutoAtende" << with(4, "007") << "Código de periodicidade inválido";
        QTest::newRow("periodicity quote") << "CadAutoAtende" << with(4, "'") << "Código de periodicidade inválido";

        // Lead time.
        const QString lead = QStringLiteral("Prazo para expedição inválido");
        QTest::newRow("lead time negative") << "CadAutoAtende" << with(6, -1.0) << lead;
        QTest::newRow("lead time 1000") << "CadAutoAtende" << with(6, 1000.0) << lead;
        QTest::newRow("lead time fraction") << "CadAutoAtende" << with(6, 2.5) << lead;
        QTest::newRow("lead time NaN") << "CadAutoAtende" << with(6, std::numeric_limits<double>::quiet_NaN()) << lead;
        QTest::newRow("lead time infinite") << "CadAutoAtende" << with(6, std::numeric_limits<double>::infinity())
                                            << lead;
        QTest::newRow("lead time as text") << "CadAutoAtende" << with(6, "7") << lead;
        QTest::newRow("lead time unassigned") << "CadAutoAtende" << with(6, QVariant()) << lead;

        // Types of text arguments.
        QTest::newRow("supplier list as number") << "CadAutoAtende" << with(0, 1001) << "deve ser um texto";
        QTest::newRow("regions unassigned") << "getFilial" << QVariantList{QVariant()} << "deve ser um texto";
        QTest::newRow("regions as list") << "getFilial" << QVariantList{QVariant(QVariantList{kT})}
                                         << "deve ser um texto";
        QTest::newRow("flag as bool") << "GetValidReForFil" << QVariantList{kNone, true, kNone, kT, kT}
                                      << "deve ser um texto";

        // Nothing in scope.
        QTest::newRow("empty scope") << "CadAutoAtende" << QVariantList{"_1001_", kNone, kNone, kNone, "07", "_S_", 0.0}
                                     << "Nenhum par de fornecedor e filial";
    }

    void badArgumentsAreRefusedBeforeAnyWrite()
    {
        QFETCH(QString, method);
        QFETCH(QVariantList, args);
        QFETCH(QString, message);
        const auto before = fx->rows(kAllRegistrations);
        const QVariantMap result = fx->invoke(method, args);
        QCOMPARE(result.value("ok").toBool(), false);
        QVERIFY2(failureMessage(result).contains(message), qPrintable(failureMessage(result)));
        QCOMPARE(fx->rows(kAllRegistrations), before);
        QCOMPARE(fx->rows(QStringLiteral("SELECT COUNT(*) FROM FILIAL")).value(0).value(0), QStringLiteral("40"));
        QCOMPARE(fx->rows(QStringLiteral("SELECT COUNT(*) FROM LOGCADAUTO")).value(0).value(0), QStringLiteral("0"));
    }

    void hugeArgumentIsQuotedShortInTheMessage()
    {
        const QString huge = QStringLiteral("_") + QString(5000, QLatin1Char('x')) + QStringLiteral("'_");
        const QString message = failureMessage(fx->invoke(QStringLiteral("getFilial"), {huge}));
        QVERIFY2(message.size() < 200, qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestLocalAppServer)
#include "tst_localappserver.moc"
