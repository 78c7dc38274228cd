// The host's data session: a database file it creates is the demonstration database and
// gets the sample data; a database that already exists never does.

#include "hostsession.h"
#include "serverdatabase.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

int branchCount()
{
    QSqlQuery query(QSqlDatabase::database(QStringLiteral("adcGeral")));
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM FILIAL")) || !query.next())
        return -1;
    return query.value(0).toInt();
}

} // namespace

class TestHostSession : public QObject {
    Q_OBJECT
private slots:
    void sampleDataOnlyInAFileItCreates_data();
    void sampleDataOnlyInAFileItCreates();
};

void TestHostSession::sampleDataOnlyInAFileItCreates_data()
{
    QTest::addColumn<QString>("existing");   // what lies at the path before: "", "empty", "database"
    QTest::addColumn<int>("branches");
    QTest::newRow("no file") << QString() << 40;
    QTest::newRow("empty file") << "empty" << 40;
    QTest::newRow("database without data") << "database" << 0;
}

void TestHostSession::sampleDataOnlyInAFileItCreates()
{
    QFETCH(QString, existing);
    QFETCH(int, branches);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("sub/host.db"));
    if (!existing.isEmpty()) {
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("sub"))));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    if (existing == QLatin1String("database")) {
        appserver::ServerDatabase::openSqlite(path, QStringLiteral("producao"));
        appserver::ServerDatabase::close(QStringLiteral("producao"));
    }

    HostSession session(path);
    QCOMPARE(branchCount(), branches);
}

QTEST_GUILESS_MAIN(TestHostSession)
#include "tst_hostsession.moc"
