#include "hostoptions.h"

#include <QCommandLineParser>
#include <QDir>
#include <QtGlobal>

namespace {

const QCommandLineOption kDatabase(QStringLiteral("database"),
    QStringLiteral("Banco SQLite (criado com dados de exemplo se não existir)."), QStringLiteral("arquivo"));
const QCommandLineOption kBranch(QStringLiteral("filial"),
    QStringLiteral("Modo de filial única, com a filial indicada."), QStringLiteral("codigo"));
const QCommandLineOption kLanguage(QStringLiteral("lang"),
    QStringLiteral("Idioma dos textos do módulo (ex.: pt_BR, en)."), QStringLiteral("idioma"));
const QCommandLineOption kModule(QStringLiteral("module"),
    QStringLiteral("Arquivo do módulo (padrão: ao lado do programa ou, numa instalação, em "
                   "../lib/pkg-cmp04702/modules)."), QStringLiteral("arquivo"));
const QCommandLineOption kCheckModule(QStringLiteral("check-module"),
    QStringLiteral("Carrega o módulo, confere as exportações e sai (sem banco e sem janela)."));
const QCommandLineOption kServer(QStringLiteral("server"),
    QStringLiteral("Servidor de aplicação compartilhado (ex.: https://compras.exemplo:7402); sem ela, o "
                   "servidor roda dentro do programa."), QStringLiteral("url"));
const QCommandLineOption kUser(QStringLiteral("user"),
    QStringLiteral("Usuário sugerido na entrada no servidor de aplicação."), QStringLiteral("nome"));
const QCommandLineOption kServerTimeout(QStringLiteral("server-timeout"),
    QStringLiteral("Tempo máximo de cada chamada ao servidor, em segundos (padrão 600)."), QStringLiteral("segundos"));
const QCommandLineOption kPgHost(QStringLiteral("pg-host"),
    QStringLiteral("Com --server: servidor PostgreSQL das leituras do programa (padrão localhost)."),
    QStringLiteral("endereco"));
const QCommandLineOption kPgPort(QStringLiteral("pg-port"),
    QStringLiteral("Porta do PostgreSQL (padrão 5432)."), QStringLiteral("porta"));
const QCommandLineOption kPgDatabase(QStringLiteral("pg-database"),
    QStringLiteral("Banco PostgreSQL das leituras do programa."), QStringLiteral("banco"));
const QCommandLineOption kPgUser(QStringLiteral("pg-user"),
    QStringLiteral("Usuário do PostgreSQL (um papel só de leitura basta)."), QStringLiteral("usuario"));
const QCommandLineOption kPgPasswordFile(QStringLiteral("pg-password-file"),
    QStringLiteral("Arquivo com a senha do PostgreSQL (sem ele, a variável PGPASSWORD)."), QStringLiteral("arquivo"));
const QCommandLineOption kVncPort(QStringLiteral("vnc-port"),
    QStringLiteral("Porta VNC em 127.0.0.1 quando não há tela (padrão 5900)."), QStringLiteral("porta"));

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral("Sistema de compras: Cadastramento Automático de Fornecedor que Atende."));
    parser.addHelpOption();
    parser.addOptions({kDatabase, kBranch, kLanguage, kModule, kCheckModule, kServer, kUser, kServerTimeout,
                       kPgHost, kPgPort, kPgDatabase, kPgUser, kPgPasswordFile, kVncPort});
}

} // namespace

HostOptions HostOptions::parse(const QStringList &arguments, const QString &dataDir)
{
    HostOptions o;
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments)) {
        o.error = parser.errorText();
        return o;
    }
    o.showHelp = parser.isSet(QStringLiteral("help"));
    o.databasePath = parser.isSet(kDatabase) ? parser.value(kDatabase)
                                             : QDir(dataDir).filePath(QStringLiteral("fornatende.db"));
    o.modulePath = parser.value(kModule);
    o.checkModule = parser.isSet(kCheckModule);
    o.branch = parser.value(kBranch).trimmed();
    o.language = parser.value(kLanguage);
    o.serverUrl = QUrl(parser.value(kServer), QUrl::StrictMode);
    o.user = parser.value(kUser);
    o.postgres.database = parser.value(kPgDatabase);
    o.postgres.user = parser.value(kPgUser);
    o.postgres.passwordFile = parser.value(kPgPasswordFile);
    if (parser.isSet(kPgHost))
        o.postgres.host = parser.value(kPgHost);
    if (parser.isSet(kServer) && (!o.serverUrl.isValid() || o.serverUrl.host().isEmpty()))
        o.error = QStringLiteral("Endereço de servidor inválido: %1").arg(parser.value(kServer));
    if (parser.isSet(kServerTimeout)) {
        bool ok = false;
        o.serverTimeoutSeconds = parser.value(kServerTimeout).toInt(&ok);
        if (!ok || o.serverTimeoutSeconds < 1)
            o.error = QStringLiteral("Tempo máximo inválido: %1").arg(parser.value(kServerTimeout));
    }
    if (parser.isSet(kPgPort)) {
        bool ok = false;
        o.postgres.port = parser.value(kPgPort).toInt(&ok);
        if (!ok || o.postgres.port < 1 || o.postgres.port > 65535)
            o.error = QStringLiteral("Porta do PostgreSQL inválida: %1").arg(parser.value(kPgPort));
    }
    if (parser.isSet(kVncPort)) {
        bool ok = false;
        o.vncPort = parser.value(kVncPort).toInt(&ok);
        if (!ok || o.vncPort < 1 || o.vncPort > 65535)
            o.error = QStringLiteral("Porta VNC inválida: %1").arg(parser.value(kVncPort));
    }
    return o;
}

QString HostOptions::usage()
{
    QCommandLineParser parser;
    addOptions(parser);
    return parser.helpText();
}

bool needsVncPlatform()
{
    return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}
