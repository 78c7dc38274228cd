// Faults of the SQLite file under a registration, through the automation object: the
// database fills up in the middle of the write, the file is read-only to the server, a
// page in the middle of the file is overwritten. Each fails the whole call with a
// Portuguese message that names the problem (SQLite's own text follows as detail) and
// leaves the registrations and the run log exactly as they were.

#include "serverfixture.h"
#include "datagenerator.h"
#include "registrationdigest.h"

#include <QFile>
#include <QSqlError>
#include <QtTest>

namespace {

const QString kT = QStringLiteral("T");

// Every supplier at every branch of every region: the generated chain's whole scope.
QVariantList everything(double leadTime)
{
    return {QString(), kT, QString(), kT, QStringLiteral("07"), kT, leadTime};
}

} // namespace

class TestSqliteFaults : public QObject {
    Q_OBJECT

    std::unique_ptr<ServerFixture> fx;

    qint64 scalar(const QString &sql) { return fx->rows(sql).value(0).value(0).toLongLong(); }

    // The server's connection, opened again as SQLite opens a file it may not write.
    void reopenReadOnly()
    {
        const QString name = QString::fromLatin1(ServerFixture::kConnection);
        fx->db = QSqlDatabase();
        appserver::ServerDatabase::close(name);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(fx->path());
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        fx->db = db;
    }

    // Overwrites, with the server stopped, the whole root page of the index that keeps
    // the pairs unique (a page in the middle of the file), then starts the server again.
    void overwriteUniquePairIndex()
    {
        const qint64 page = scalar(QStringLiteral(
            "SELECT rootpage FROM sqlite_master WHERE type = 'index' AND tbl_name = 'FORNATENDE'"
            " AND name LIKE 'sqlite_autoindex%'"));
        const qint64 pageSize = scalar(QStringLiteral("PRAGMA page_size"));
        const qint64 pages = scalar(QStringLiteral("PRAGMA page_count"));
        QVERIFY2(page > 1 && page < pages, qPrintable(QStringLiteral("página %1 de %2").arg(page).arg(pages)));
        fx->exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        const QString name = QString::fromLatin1(ServerFixture::kConnection);
        fx->db = QSqlDatabase();
        appserver::ServerDatabase::close(name);

        QFile file(fx->path());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.seek((page - 1) * pageSize));
        QCOMPARE(file.write(QByteArray(pageSize, '\xA5')), pageSize);
        file.close();

        fx->db = appserver::ServerDatabase::openSqlite(fx->path(), name);
    }

private slots:
    void init()
    {
        fx = std::make_unique<ServerFixture>();
        // 120 branches and 80 suppliers that serve every region: 9,600 pairs in scope,
        // some of them registered by an earlier run.
        appserver::DataGenerator::populate(fx->db, 120, 80);
        QVariantList first{QStringLiteral("_G0000001_G0000002_"), QString(), QString(), kT, QStringLiteral("30"), kT, 3.0};
        QCOMPARE(fx->invoke(QStringLiteral("CadAutoAtende"), first).value(QStringLiteral("value")).toLongLong(), 240);
    }

    void cleanup() { fx.reset(); }

    void faultFailsTheWholeRegistrationClearly_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");   // the Portuguese text names the problem
        QTest::addColumn<QString>("detail");    // SQLite's own text, proof of the fault
        QTest::newRow("database full in the middle of the write")
            << "full" << "ficou sem espaço" << "database or disk is full";
        QTest::newRow("file read-only to the server") << "read-only" << "somente leitura"
                                                      << "attempt to write a readonly database";
        QTest::newRow("page in the middle overwritten") << "corrupt" << "está corrompido"
                                                        << "database disk image is malformed";
    }

    void faultFailsTheWholeRegistrationClearly()
    {
        QFETCH(QString, fault);
        QFETCH(QString, message);
        QFETCH(QString, detail);
        const QByteArray before = registrationDigest(fx->db, true);

        if (fault == QLatin1String("full")) {
            // The server's connection may grow the file by a few pages only: the write of
            // 9,600 pairs runs out of room part of the way through.
            const qint64 pages = scalar(QStringLiteral("PRAGMA page_count"));
            fx->exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages + 4));
        } else if (fault == QLatin1String("read-only")) {
            reopenReadOnly();
        } else {
            overwriteUniquePairIndex();
        }
        const QVariantMap result = fx->invoke(QStringLiteral("CadAutoAtende"), everything(9.0));

        QCOMPARE(result.value(QStringLiteral("ok")), QVariant(false));
        const QString text = result.value(QStringLiteral("message")).toString();
        QVERIFY2(text.startsWith(QStringLiteral("O banco de dados do servidor")) && text.contains(message)
                     && text.contains(QStringLiteral("nada foi alterado")),
                 qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("(detalhe: ")) && text.contains(detail), qPrintable(text));
        QCOMPARE(registrationDigest(fx->db, true), before);
        QVERIFY(!before.isEmpty());
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM FORNATENDE NOT INDEXED WHERE QTDIASPRAZEXPED = 9")), 0);
    }
};

QTEST_GUILESS_MAIN(TestSqliteFaults)
#include "tst_sqlitefaults.moc"
