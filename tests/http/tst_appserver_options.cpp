// pkg-appserver's command line and TLS: the options that refuse to start (plain HTTP off
// loopback, half a TLS pair, no database or two), the Portuguese help, and an https
// server with a self-signed certificate made by openssl for the test.

#include "apiclient.h"
#include "appserverprocess.h"
#include "testdatabase.h"

#include <QFile>
#include <QProcess>
#include <QSslSocket>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestAppServerOptions : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // A self-signed certificate for 127.0.0.1 and its key, in PEM.
    bool makeCertificate(QString *error) const
    {
        QProcess openssl;
        openssl.setProcessChannelMode(QProcess::MergedChannels);
        openssl.start(QStringLiteral("openssl"),
                      {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                       QStringLiteral("-nodes"), QStringLiteral("-keyout"), path(QStringLiteral("chave.pem")),
                       QStringLiteral("-out"), path(QStringLiteral("certificado.pem")), QStringLiteral("-days"),
                       QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                       QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1")});
        if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0) {
            *error = QStringLiteral("openssl falhou: %1").arg(QString::fromLocal8Bit(openssl.readAll()));
            return false;
        }
        return true;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
    }

    void refusesToStart_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const QString db = QStringLiteral("--database=") + path(QStringLiteral("opcoes.db"));
        // 192.0.2.1 is a documentation address: refused before anything listens.
        QTest::newRow("plain HTTP off loopback") << QStringList{db, "--listen", "192.0.2.1:7402"}
                                                 << "não é de loopback";
        QTest::newRow("certificate without key") << QStringList{db, "--tls-cert", path("c.pem")} << "juntos";
        QTest::newRow("no database") << QStringList{"--listen", "127.0.0.1:0"} << "Informe o banco";
        QTest::newRow("two databases") << QStringList{db, "--pg-database", "x"} << "Informe o banco";
        QTest::newRow("password on the command line") << QStringList{db, "--pg-password", "segredo"}
                                                      << "Opção inválida";
        QTest::newRow("bad listen address") << QStringList{db, "--listen", "servidor:porta"} << "--listen";
        QTest::newRow("zero workers") << QStringList{db, "--workers", "0"} << "--workers";
    }

    void refusesToStart()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const AppServerProcess::Result result = AppServerProcess::run(arguments);
        QVERIFY(result.exitCode != 0);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QVERIFY(result.out.isEmpty());   // it never said it was listening
    }

    void plainHttpOffLoopbackIsAllowedOnlyWhenAsked()
    {
        // --add-user checks the options and exits before listening: no address is bound.
        const AppServerProcess::Result result = AppServerProcess::run(
            {QStringLiteral("--database"), path(QStringLiteral("aberto.db")), QStringLiteral("--listen"),
             QStringLiteral("192.0.2.1:7402"), QStringLiteral("--allow-plain-http"), QStringLiteral("--add-user"),
             QStringLiteral("ana")},
            "senha\n");
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.err.contains(QStringLiteral("usuário \"ana\" cadastrado")), qPrintable(result.err));
    }

    void plainHttpOffLoopbackWarnsLoudly()
    {
        QProcess server;
        server.start(AppServerProcess::program(),
                     {QStringLiteral("--database"), path(QStringLiteral("rede.db")), QStringLiteral("--listen"),
                      QStringLiteral("0.0.0.0:0"), QStringLiteral("--allow-plain-http")});
        QString out;
        while (!out.contains(QLatin1Char('\n')) && server.waitForReadyRead(60000))
            out += QString::fromLocal8Bit(server.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(server.readAllStandardError());
        server.terminate();
        server.waitForFinished(30000);
        const QString port = out.section(QLatin1Char(':'), 2, 2).section(QLatin1Char(' '), 0, 0);
        QVERIFY2(out.startsWith(QStringLiteral("pkg-appserver escutando em http://0.0.0.0:")), qPrintable(out));
        QVERIFY2(err.contains(QStringLiteral("ATENÇÃO: pkg-appserver escuta em http://0.0.0.0:%1 SEM TLS").arg(port)),
                 qPrintable(err));
        QVERIFY(err.contains(QStringLiteral("qualquer um na rede pode lê-los")));
    }

    // On a terminal the password is asked twice without echo; the pseudo-terminal of
    // script(1) stands in for the person typing, after each prompt.
    void addUserAsksThePasswordOnTheTerminalWithoutEcho_data()
    {
        QTest::addColumn<QString>("repeated");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("same twice") << "segredo-no-terminal" << 0 << "usuário \"ana\" cadastrado";
        QTest::newRow("different") << "outro-segredo" << 1 << "As senhas digitadas são diferentes";
    }

    void addUserAsksThePasswordOnTheTerminalWithoutEcho()
    {
        QFETCH(QString, repeated);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        if (QStandardPaths::findExecutable(QStringLiteral("script")).isEmpty())
            QSKIP("script(1) não encontrado");
        const QString database = path(QStringLiteral("terminal-%1.db").arg(exitCode));
        QProcess terminal;
        terminal.setProcessChannelMode(QProcess::MergedChannels);
        terminal.start(QStringLiteral("script"),
                       {QStringLiteral("-q"), QStringLiteral("-e"), QStringLiteral("-c"),
                        QStringLiteral("'%1' --database '%2' --add-user ana").arg(AppServerProcess::program(), database),
                        QStringLiteral("/dev/null")});
        QString transcript;
        const auto waitFor = [&](const QString &prompt) {
            while (!transcript.contains(prompt) && terminal.waitForReadyRead(60000))
                transcript += QString::fromLocal8Bit(terminal.readAll());
            return transcript.contains(prompt);
        };
        QVERIFY2(waitFor(QStringLiteral("Senha do usuário ana: ")), qPrintable(transcript));
        terminal.write("segredo-no-terminal\n");
        QVERIFY2(waitFor(QStringLiteral("Repita a senha: ")), qPrintable(transcript));
        terminal.write(repeated.toUtf8() + '\n');
        QVERIFY(terminal.waitForFinished(60000));
        transcript += QString::fromLocal8Bit(terminal.readAll());
        QCOMPARE(terminal.exitCode(), exitCode);
        QVERIFY2(transcript.contains(message), qPrintable(transcript));
        QVERIFY2(!transcript.contains(QStringLiteral("segredo")), qPrintable(transcript));
    }

    void helpIsInPortuguese()
    {
        const AppServerProcess::Result result = AppServerProcess::run({QStringLiteral("--help")});
        QCOMPARE(result.exitCode, 0);
        for (const char *expected : {"Uso: pkg-appserver", "--tls-cert", "--allow-plain-http", "--add-user",
                                     "PGPASSWORD", "Mostra esta ajuda"})
            QVERIFY2(result.out.contains(QString::fromUtf8(expected)), expected);
    }

    void servesOverTls()
    {
        if (!QSslSocket::supportsSsl())
            QSKIP("Qt sem suporte a TLS nesta máquina");
        if (QStandardPaths::findExecutable(QStringLiteral("openssl")).isEmpty())
            QFAIL("openssl não está instalado (scripts/install-deps.sh o instala)");
        QString error;
        QVERIFY2(makeCertificate(&error), qPrintable(error));
        std::unique_ptr<TestDatabase> db = TestDatabase::sqlite(m_dir.path(), QStringLiteral("tls"));
        QVERIFY2(db->addUser(QStringLiteral("ana"), QStringLiteral("senha-tls"), &error), qPrintable(error));
        AppServerProcess server;
        QVERIFY2(server.start(db->serverOptions() + QStringList{QStringLiteral("--tls-cert"),
                                                                 path(QStringLiteral("certificado.pem")),
                                                                 QStringLiteral("--tls-key"), path(QStringLiteral("chave.pem"))},
                              &error),
                 qPrintable(error));
        QCOMPARE(server.baseUrl().scheme(), QStringLiteral("https"));

        ApiClient trusting(server.baseUrl());
        QFile certificate(path(QStringLiteral("certificado.pem")));
        QVERIFY(certificate.open(QIODevice::ReadOnly));
        trusting.trust(QSslCertificate(certificate.readAll(), QSsl::Pem));
        const QString token = trusting.token(QStringLiteral("ana"), QStringLiteral("senha-tls"));
        QVERIFY(!token.isEmpty());
        QCOMPARE(trusting.call(QStringLiteral("getParamGeral"), {}, token).status, 200);

        // A client that does not trust the certificate, and one that speaks plain HTTP to
        // the TLS port, get no answer.
        ApiClient untrusting(server.baseUrl());
        QCOMPARE(untrusting.get(QStringLiteral("/api/v1/health")).status, 0);
        QUrl plain = server.baseUrl();
        plain.setScheme(QStringLiteral("http"));
        ApiClient plainClient(plain);
        QCOMPARE(plainClient.get(QStringLiteral("/api/v1/health")).status, 0);
    }
};

QTEST_GUILESS_MAIN(TestAppServerOptions)
#include "tst_appserver_options.moc"
