// The program itself on the offscreen platform, where nobody can answer a message box:
// every start-up error ends it at once with a non-zero status and the reason on
// stderr, in Portuguese, and nothing else is printed about closing the database.

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestHostStartup : public QObject {
    Q_OBJECT
private slots:
    void startUpErrorsEndTheProgram_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("database in a folder that cannot be made")
            << QStringList{"--database", "/proc/nao-existe/banco.db"} << QStringLiteral("pkg-host: Não foi possível");
        QTest::newRow("a file that is no database")
            << QStringList{"--database", "@NOT_A_DATABASE@"} << QStringLiteral("pkg-host: ");
        QTest::newRow("missing module")
            << QStringList{"--database", "@NEW_DATABASE@", "--module", "/nao/existe/libX.so"}
            << QStringLiteral("pkg-host: Não foi possível carregar o módulo");
        // The read connection opens (SQLite reads the file only when asked); the login is
        // what cannot happen.
        QTest::newRow("shared server, nobody to log in")
            << QStringList{"--server", "http://127.0.0.1:1", "--database", "@NOT_A_DATABASE@"}
            << QStringLiteral("pkg-host: Sem tela, ninguém pode entrar");
        QTest::newRow("shared server without a database to read")
            << QStringList{"--server", "http://127.0.0.1:1", "--database", "/nao/existe.db"}
            << QStringLiteral("pkg-host: O banco de dados \"/nao/existe.db\" não existe");
    }
    void startUpErrorsEndTheProgram()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QFile notDatabase(dir.filePath(QStringLiteral("texto.db")));
        QVERIFY(notDatabase.open(QIODevice::WriteOnly));
        notDatabase.write(QByteArray(4096, 'x'));
        notDatabase.close();
        arguments.replaceInStrings(QStringLiteral("@NOT_A_DATABASE@"), notDatabase.fileName());
        arguments.replaceInStrings(QStringLiteral("@NEW_DATABASE@"), dir.filePath(QStringLiteral("novo.db")));

        QProcess host;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        host.setProcessEnvironment(environment);
        host.start(QStringLiteral(PKG_HOST), arguments);
        // A guard against a hang, not a measure: the program must end by itself.
        QVERIFY(host.waitForFinished(60000));
        const QString errors = QString::fromUtf8(host.readAllStandardError());
        QCOMPARE(host.exitStatus(), QProcess::NormalExit);
        QVERIFY(host.exitCode() != 0);
        QVERIFY2(errors.contains(message), qPrintable(errors));
        QVERIFY2(!errors.contains(QStringLiteral("still in use")), qPrintable(errors));
    }
};

QTEST_GUILESS_MAIN(TestHostStartup)
#include "tst_hoststartup.moc"
