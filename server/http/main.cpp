// pkg-appserver: the application server over HTTP (see httpfront.h and docs/server.md).

#include "accounts.h"
#include "callerlanguage.h"
#include "databaseconfig.h"
#include "httpfront.h"
#include "passwordinput.h"
#include "servererror.h"
#include "serveroptions.h"
#include "shutdownsignal.h"
#include "translationsfolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <cstdio>

using namespace appserver;
using namespace appserver::http;

namespace {

const QString kSetupConnection = QStringLiteral("pkg-appserver-preparo");

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// Opens the database once on the main thread: creates it when new, brings the schema up
// to date, loads the sample data when asked, and adds the user when asked.
void prepareDatabase(const ServerOptions &options)
{
    const QSqlDatabase db = openDatabase(options.database, kSetupConnection);
    if (options.sampleData && ServerDatabase::loadSampleData(db))
        print(stderr, QStringLiteral("pkg-appserver: dados de exemplo carregados.\n"));
    if (!options.userToAdd.isEmpty()) {
        const QString user = checkedUserName(options.userToAdd);
        const bool added = Accounts(db).setUser(user, readNewPassword(user));
        print(stderr, added ? QStringLiteral("pkg-appserver: usuário \"%1\" cadastrado.\n").arg(user)
                            : QStringLiteral("pkg-appserver: senha do usuário \"%1\" alterada.\n").arg(user));
    }
}

QByteArray readFile(const QString &path, const QString &what)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ServerError(QStringLiteral("Não foi possível ler %1 \"%2\".").arg(what, path));
    return file.readAll();
}

QSslConfiguration tlsConfiguration(const ServerOptions &options)
{
    const QSslCertificate certificate(readFile(options.tlsCertificate, QStringLiteral("o certificado TLS")), QSsl::Pem);
    if (certificate.isNull())
        throw ServerError(QStringLiteral("Certificado TLS inválido: \"%1\".").arg(options.tlsCertificate));
    const QByteArray keyPem = readFile(options.tlsKey, QStringLiteral("a chave TLS"));
    QSslKey key(keyPem, QSsl::Rsa, QSsl::Pem);
    if (key.isNull())
        key = QSslKey(keyPem, QSsl::Ec, QSsl::Pem);
    if (key.isNull())
        throw ServerError(QStringLiteral("Chave TLS inválida (RSA ou EC em PEM, sem senha): \"%1\".").arg(options.tlsKey));
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificate(certificate);
    configuration.setPrivateKey(key);
    configuration.setProtocol(QSsl::TlsV1_2OrLater);
    return configuration;
}

void warnPlainHttp(const ServerOptions &options, quint16 port)
{
    if (options.usesTls() || options.address.isLoopback())
        return;
    print(stderr, QStringLiteral(
        "\n*** ATENÇÃO: pkg-appserver escuta em %1 SEM TLS (--allow-plain-http). ***\n"
        "*** Senhas e tokens de sessão trafegam sem criptografia: qualquer um na rede pode lê-los. ***\n"
        "*** Use --tls-cert/--tls-key, ou restrinja esta rede. ***\n\n").arg(options.url(port)));
}

int serve(const ServerOptions &options)
{
    // The callers' messages in the language each asks for, from the files found.
    CallerTranslator translator({QStringLiteral("appserver"), QStringLiteral("contracts")},
                                contracts::translationsFolder(QCoreApplication::applicationDirPath()));
    QCoreApplication::installTranslator(&translator);
    FrontSettings settings = options.front;
    settings.languages = translator.languages();
    HttpFront front(options.database, settings);
    std::optional<QSslConfiguration> tls;
    if (options.usesTls())
        tls = tlsConfiguration(options);
    const quint16 port = front.listenOn(options.address, options.port, tls);
    if (port == 0)
        throw ServerError(QStringLiteral("Não foi possível escutar em %1.").arg(options.url(options.port)));
    warnPlainHttp(options, port);
    ShutdownSignal shutdown;
    QObject::connect(&shutdown, &ShutdownSignal::requested, &front, [&front] {
        front.drain([] { QCoreApplication::quit(); });
        print(stderr, QStringLiteral("pkg-appserver: encerrando; não aceita novas conexões e termina as "
                                     "requisições em andamento.\n"));
    });
    print(stdout, QStringLiteral("pkg-appserver escutando em %1 (%2)\n")
                      .arg(options.url(port), options.database.description()));
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pkg-appserver"));
    try {
        const ServerOptions options = parseServerOptions(QCoreApplication::arguments());
        if (options.helpRequested) {
            print(stdout, serverHelpText());
            return 0;
        }
        prepareDatabase(options);
        ServerDatabase::close(kSetupConnection);
        if (!options.userToAdd.isEmpty())
            return 0;
        return serve(options);
    } catch (const ServerError &error) {
        ServerDatabase::close(kSetupConnection);
        print(stderr, QStringLiteral("pkg-appserver: %1\n").arg(error.message()));
        return 1;
    }
}
