#include "hostoptions.h"

#include <QTest>

class TestHostOptions : public QObject {
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("branch");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("fails");
        QTest::newRow("defaults") << QStringList{"pkg-host"} << "/dados/fornatende.db" << "" << 5900 << false;
        QTest::newRow("database and branch")
            << QStringList{"pkg-host", "--database", "/tmp/x.db", "--filial", " 0003 "}
            << "/tmp/x.db" << "0003" << 5900 << false;
        QTest::newRow("vnc port") << QStringList{"pkg-host", "--vnc-port", "5999"}
                                  << "/dados/fornatende.db" << "" << 5999 << false;
        QTest::newRow("bad port") << QStringList{"pkg-host", "--vnc-port", "70000"}
                                  << "/dados/fornatende.db" << "" << 70000 << true;
        QTest::newRow("unknown option") << QStringList{"pkg-host", "--nada"} << "" << "" << 5900 << true;
        QTest::newRow("missing value") << QStringList{"pkg-host", "--database"} << "" << "" << 5900 << true;
    }
    void parse()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, database);
        QFETCH(QString, branch);
        QFETCH(int, port);
        QFETCH(bool, fails);
        const HostOptions o = HostOptions::parse(args, "/dados");
        QCOMPARE(!o.error.isEmpty(), fails);
        if (fails)
            return;
        QCOMPARE(o.databasePath, database);
        QCOMPARE(o.branch, branch);
        QCOMPARE(o.vncPort, port);
        QVERIFY(o.modulePath.isEmpty());
        QVERIFY(!o.checkModule);
    }

    void moduleOptions_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("modulePath");
        QTest::addColumn<bool>("checkModule");
        QTest::newRow("explicit module") << QStringList{"pkg-host", "--module", "/m/lib.so"} << "/m/lib.so" << false;
        QTest::newRow("check the found module") << QStringList{"pkg-host", "--check-module"} << "" << true;
        QTest::newRow("check an explicit module")
            << QStringList{"pkg-host", "--check-module", "--module", "/m/lib.so"} << "/m/lib.so" << true;
    }
    void moduleOptions()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, modulePath);
        QFETCH(bool, checkModule);
        const HostOptions o = HostOptions::parse(args, "/dados");
        QVERIFY2(o.error.isEmpty(), qPrintable(o.error));
        QCOMPARE(o.modulePath, modulePath);
        QCOMPARE(o.checkModule, checkModule);
    }

    void portugueseHelpAndErrors()
    {
        const QString usage = HostOptions::usage();
        QVERIFY2(usage.startsWith(QStringLiteral("Uso: pkg-host")), qPrintable(usage));
        QVERIFY(!usage.contains(QStringLiteral("executable_name")));
        QVERIFY(usage.contains(QStringLiteral("Opções:")));
        QCOMPARE(HostOptions::parse({"pkg-host", "--nada"}, "/dados").error, QStringLiteral("Opção desconhecida: nada"));
        QCOMPARE(HostOptions::parse({"pkg-host", "--database"}, "/dados").error,
                 QStringLiteral("Falta o valor da opção --database"));
    }

    void serverOptions_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("pgDatabase");
        QTest::addColumn<int>("pgPort");
        QTest::addColumn<int>("timeout");
        QTest::addColumn<bool>("fails");
        QTest::newRow("in process") << QStringList{"pkg-host"} << "" << "" << 5432 << 600 << false;
        QTest::newRow("server and postgres")
            << QStringList{"pkg-host", "--server", "https://compras:7402", "--user", "ana", "--pg-database",
                           "compras", "--pg-port", "5433", "--server-timeout", "30"}
            << "https://compras:7402" << "compras" << 5433 << 30 << false;
        QTest::newRow("address without host") << QStringList{"pkg-host", "--server", "compras"}
                                              << "" << "" << 5432 << 600 << true;
        QTest::newRow("bad postgres port") << QStringList{"pkg-host", "--pg-port", "x"}
                                           << "" << "" << 5432 << 600 << true;
        QTest::newRow("zero timeout") << QStringList{"pkg-host", "--server-timeout", "0"}
                                      << "" << "" << 5432 << 600 << true;
    }
    void serverOptions()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, url);
        QFETCH(QString, pgDatabase);
        QFETCH(int, pgPort);
        QFETCH(int, timeout);
        QFETCH(bool, fails);
        const HostOptions o = HostOptions::parse(args, "/dados");
        QCOMPARE(!o.error.isEmpty(), fails);
        if (fails)
            return;
        QCOMPARE(o.serverUrl.toString(), url);
        QCOMPARE(o.postgres.database, pgDatabase);
        QCOMPARE(o.postgres.port, pgPort);
        QCOMPARE(o.serverTimeoutSeconds, timeout);
    }
};

QTEST_GUILESS_MAIN(TestHostOptions)
#include "tst_hostoptions.moc"
