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
    }
};

QTEST_GUILESS_MAIN(TestHostOptions)
#include "tst_hostoptions.moc"
