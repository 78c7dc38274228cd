// The program itself on the offscreen platform, where nobody can answer a message box:
// every start-up error ends it at once with a non-zero status and the reason on
// stderr, in Portuguese (in English with --lang en), and nothing else is printed about
// closing the database. The help and command-line errors follow --lang too.

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
        // The program's own text and the host library's, from their translations.
        QTest::newRow("English: database in a folder that cannot be made")
            << QStringList{"--lang", "en", "--database", "/proc/nao-existe/banco.db"}
            << QStringLiteral("pkg-host: Could not create the database folder \"/proc/nao-existe\".");
        QTest::newRow("English: missing module")
            << QStringList{"--lang", "en", "--database", "@NEW_DATABASE@", "--module", "/nao/existe/libX.so"}
            << QStringLiteral("pkg-host: Could not load the module \"/nao/existe/libX.so\"");
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

    void helpAndCommandLineErrorsFollowTheLanguage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("help by default")
            << QStringList{"--help"} << 0
            << QStringList{"Uso: pkg-host [opções]", "Mostra esta ajuda.", "Mostra esta ajuda e as opções gerais do Qt."};
        QTest::newRow("help in English")
            << QStringList{"--lang", "en", "--help"} << 0
            << QStringList{"Usage: pkg-host [options]", "Displays this help.", "--database <file>",
                           "Single-branch mode, bound to the given branch."};
        QTest::newRow("unknown option in English")
            << QStringList{"--lang", "en", "--nada"} << 2
            << QStringList{"pkg-host: Unknown option: nada", "Usage: pkg-host [options]"};
    }
    void helpAndCommandLineErrorsFollowTheLanguage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, expected);
        QProcess host;
        host.setProcessChannelMode(QProcess::MergedChannels);
        host.start(QStringLiteral(PKG_HOST), arguments);
        QVERIFY(host.waitForFinished(60000));
        const QString output = QString::fromUtf8(host.readAll());
        QCOMPARE(host.exitCode(), exitCode);
        for (const QString &text : expected)
            QVERIFY2(output.contains(text), qPrintable(output));
    }
};

QTEST_GUILESS_MAIN(TestHostStartup)
#include "tst_hoststartup.moc"
