#include "serveroptions.h"

#include "servererror.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFile>
#include <QList>

namespace appserver::http {

namespace {

const QString kDescription = QStringLiteral(
    "Servidor de aplicação do Cadastramento Automático de Fornecedor que Atende por HTTP.\n"
    "Atende vários hosts sobre um banco SQLite ou PostgreSQL; o esquema do banco é\n"
    "atualizado ao iniciar. A senha do PostgreSQL vem da variável de ambiente PGPASSWORD\n"
    "ou de --pg-password-file, nunca da linha de comando.");

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Mostra esta ajuda e sai.")};
    QCommandLineOption database{QStringLiteral("database"),
        QStringLiteral("Banco SQLite (arquivo; criado quando não existe)."), QStringLiteral("arquivo")};
    QCommandLineOption pgHost{QStringLiteral("pg-host"),
        QStringLiteral("Servidor PostgreSQL: nome, endereço ou pasta do soquete (padrão: localhost)."),
        QStringLiteral("servidor"), QStringLiteral("localhost")};
    QCommandLineOption pgPort{QStringLiteral("pg-port"), QStringLiteral("Porta do PostgreSQL (padrão: 5432)."),
        QStringLiteral("porta"), QStringLiteral("5432")};
    QCommandLineOption pgDatabase{QStringLiteral("pg-database"),
        QStringLiteral("Banco PostgreSQL a usar (em vez de --database)."), QStringLiteral("banco")};
    QCommandLineOption pgUser{QStringLiteral("pg-user"), QStringLiteral("Usuário do PostgreSQL."),
        QStringLiteral("usuário")};
    QCommandLineOption pgPasswordFile{QStringLiteral("pg-password-file"),
        QStringLiteral("Arquivo cuja primeira linha é a senha do PostgreSQL (em vez de PGPASSWORD)."),
        QStringLiteral("arquivo")};
    QCommandLineOption listen{QStringLiteral("listen"),
        QStringLiteral("Endereço e porta em que o servidor escuta (padrão: 127.0.0.1:7402; IPv6 entre "
                       "colchetes, ex.: [::1]:7402; porta 0: uma porta livre)."),
        QStringLiteral("endereço:porta"), QStringLiteral("127.0.0.1:7402")};
    QCommandLineOption tlsCert{QStringLiteral("tls-cert"), QStringLiteral("Certificado TLS (PEM)."),
        QStringLiteral("arquivo")};
    QCommandLineOption tlsKey{QStringLiteral("tls-key"), QStringLiteral("Chave privada TLS (PEM)."),
        QStringLiteral("arquivo")};
    QCommandLineOption allowPlainHttp{QStringLiteral("allow-plain-http"),
        QStringLiteral("Permite HTTP sem TLS num endereço que não é de loopback (senhas e tokens trafegam "
                       "sem criptografia; use só numa rede protegida).")};
    QCommandLineOption addUser{QStringLiteral("add-user"),
        QStringLiteral("Cadastra o usuário (ou troca sua senha) e sai. A senha é lida do terminal sem eco, "
                       "ou da entrada padrão quando ela não é um terminal."), QStringLiteral("nome")};
    QCommandLineOption sampleData{QStringLiteral("sample-data"),
        QStringLiteral("Carrega os dados de exemplo num banco que ainda não tem dados.")};
    QCommandLineOption workers{QStringLiteral("workers"),
        QStringLiteral("Chamadas ao banco executadas ao mesmo tempo (padrão: 4); as demais aguardam na fila."),
        QStringLiteral("n"), QStringLiteral("4")};
    QCommandLineOption maxBody{QStringLiteral("max-body-mib"),
        QStringLiteral("Tamanho máximo do corpo de uma requisição, em MiB (padrão: 16)."),
        QStringLiteral("MiB"), QStringLiteral("16")};
    QCommandLineOption dbTimeout{QStringLiteral("db-timeout"),
        QStringLiteral("Tempo máximo, em segundos, de cada comando no banco numa requisição (padrão: 600)."),
        QStringLiteral("segundos"), QStringLiteral("600")};
    QCommandLineOption sessionHours{QStringLiteral("session-hours"),
        QStringLiteral("Duração de uma sessão, em horas (padrão: 8)."), QStringLiteral("horas"),
        QStringLiteral("8")};

    QList<QCommandLineOption> all() const
    {
        return {help, database, pgHost, pgPort, pgDatabase, pgUser, pgPasswordFile, listen, tlsCert, tlsKey,
                allowPlainHttp, addUser, sampleData, workers, maxBody, dbTimeout, sessionHours};
    }
};

ServerError optionError(const QString &message)
{
    return ServerError(message + QStringLiteral(" Veja pkg-appserver --help."));
}

qint64 wholeNumber(const QCommandLineParser &parser, const QCommandLineOption &option, qint64 min, qint64 max)
{
    bool ok = false;
    const qint64 value = parser.value(option).toLongLong(&ok);
    if (!ok || value < min || value > max)
        throw optionError(QStringLiteral("Valor inválido para --%1: \"%2\" (informe um número inteiro de %3 a %4).")
                              .arg(option.names().constLast(), parser.value(option)).arg(min).arg(max));
    return value;
}

void parseListen(const QString &text, ServerOptions &options)
{
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    QString host = text.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    bool portOk = false;
    const uint port = text.mid(colon + 1).toUInt(&portOk);
    if (colon <= 0 || !portOk || port > 65535 || !options.address.setAddress(host))
        throw optionError(QStringLiteral("Valor inválido para --listen: \"%1\" (use endereço:porta, ex.: "
                                         "127.0.0.1:7402).").arg(text));
    options.port = quint16(port);
}

QString postgresPassword(const QCommandLineParser &parser, const Options &o)
{
    if (!parser.isSet(o.pgPasswordFile))
        return qEnvironmentVariable("PGPASSWORD");
    QFile file(parser.value(o.pgPasswordFile));
    if (!file.open(QIODevice::ReadOnly))
        throw optionError(QStringLiteral("Não foi possível ler o arquivo de senha \"%1\".").arg(file.fileName()));
    QByteArray line = file.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

void parseDatabase(const QCommandLineParser &parser, const Options &o, ServerOptions &options)
{
    const bool sqlite = parser.isSet(o.database);
    const bool postgres = parser.isSet(o.pgDatabase);
    if (sqlite == postgres)
        throw optionError(QStringLiteral("Informe o banco: --database <arquivo> (SQLite) ou --pg-database <banco> "
                                         "(PostgreSQL), um dos dois."));
    DatabaseConfig &db = options.database;
    db.statementTimeoutMs = int(wholeNumber(parser, o.dbTimeout, 1, 3600) * 1000);
    if (sqlite) {
        db.engine = DatabaseConfig::Engine::Sqlite;
        db.sqlitePath = parser.value(o.database);
        return;
    }
    db.engine = DatabaseConfig::Engine::Postgres;
    db.postgres.host = parser.value(o.pgHost);
    db.postgres.port = int(wholeNumber(parser, o.pgPort, 1, 65535));
    db.postgres.database = parser.value(o.pgDatabase);
    db.postgres.user = parser.value(o.pgUser);
    db.postgres.password = postgresPassword(parser, o);
}

void parseTls(const QCommandLineParser &parser, const Options &o, ServerOptions &options)
{
    options.tlsCertificate = parser.value(o.tlsCert);
    options.tlsKey = parser.value(o.tlsKey);
    options.allowPlainHttp = parser.isSet(o.allowPlainHttp);
    if (options.tlsCertificate.isEmpty() != options.tlsKey.isEmpty())
        throw optionError(QStringLiteral("--tls-cert e --tls-key são informados juntos."));
    if (!options.usesTls() && !options.allowPlainHttp && !options.address.isLoopback())
        throw optionError(QStringLiteral("O endereço %1 não é de loopback: informe --tls-cert e --tls-key, ou "
                                         "--allow-plain-http para aceitar HTTP sem criptografia.")
                              .arg(options.address.toString()));
}

} // namespace

QString ServerOptions::url(quint16 boundPort) const
{
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? QStringLiteral("[%1]").arg(address.toString())
                             : address.toString();
    return QStringLiteral("%1://%2:%3").arg(usesTls() ? QStringLiteral("https") : QStringLiteral("http"), host)
        .arg(boundPort);
}

ServerOptions parseServerOptions(const QStringList &arguments)
{
    const Options o;
    QCommandLineParser parser;
    parser.addOptions(o.all());
    if (!parser.parse(arguments))
        throw optionError(QStringLiteral("Opção inválida: %1.").arg(parser.errorText()));
    if (!parser.positionalArguments().isEmpty())
        throw optionError(QStringLiteral("Argumento não esperado: \"%1\".").arg(parser.positionalArguments().first()));
    ServerOptions options;
    if (parser.isSet(o.help)) {
        options.helpRequested = true;
        return options;
    }
    parseDatabase(parser, o, options);
    parseListen(parser.value(o.listen), options);
    parseTls(parser, o, options);
    options.userToAdd = parser.value(o.addUser);
    if (parser.isSet(o.addUser) && options.userToAdd.trimmed().isEmpty())
        throw optionError(QStringLiteral("Informe o nome do usuário em --add-user."));
    options.sampleData = parser.isSet(o.sampleData);
    options.front.workers = int(wholeNumber(parser, o.workers, 1, 64));
    options.front.maxBodyBytes = wholeNumber(parser, o.maxBody, 1, 1024) * 1024 * 1024;
    options.front.sessionLifetimeSeconds = wholeNumber(parser, o.sessionHours, 1, 24 * 30) * 3600;
    return options;
}

QString serverHelpText()
{
    QString text = QStringLiteral("Uso: pkg-appserver [opções]\n\n") + kDescription + QStringLiteral("\n\nOpções:\n");
    for (const QCommandLineOption &option : Options().all()) {
        QStringList names;
        for (const QString &name : option.names())
            names.append(name.size() == 1 ? QStringLiteral("-") + name : QStringLiteral("--") + name);
        QString left = names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty())
            left += QStringLiteral(" <%1>").arg(option.valueName());
        text += QStringLiteral("  %1\n      %2\n").arg(left, option.description());
    }
    return text;
}

} // namespace appserver::http
