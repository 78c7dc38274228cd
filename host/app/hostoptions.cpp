#include "hostoptions.h"

#include <QCommandLineParser>
#include <QDir>
#include <QRegularExpression>
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

// The option's value as a whole number from min to max, when it is given; false (and
// target unchanged) when it is given but is not such a number.
bool readNumber(const QCommandLineParser &parser, const QCommandLineOption &option, int min, int max, int &target)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    if (!ok || value < min || value > max)
        return false;
    target = value;
    return true;
}

// What is wrong with the command line, in Portuguese.
QString ParseError(const QCommandLineParser &parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
        return QStringLiteral("Opção desconhecida: %1").arg(unknown.join(QStringLiteral(", ")));
    const QString english = parser.errorText();
    static const QRegularExpression missingValue(QStringLiteral("Missing value after '(.*)'"));
    const QRegularExpressionMatch match = missingValue.match(english);
    if (match.hasMatch())
        return QStringLiteral("Falta o valor da opção %1").arg(match.captured(1));
    return QStringLiteral("Linha de comando inválida: %1").arg(english);
}

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
        o.error = ParseError(parser);
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
    if (!readNumber(parser, kServerTimeout, 1, 86400, o.serverTimeoutSeconds))
        o.error = QStringLiteral("Tempo máximo inválido: %1").arg(parser.value(kServerTimeout));
    if (!readNumber(parser, kPgPort, 1, 65535, o.postgres.port))
        o.error = QStringLiteral("Porta do PostgreSQL inválida: %1").arg(parser.value(kPgPort));
    if (!readNumber(parser, kVncPort, 1, 65535, o.vncPort))
        o.error = QStringLiteral("Porta VNC inválida: %1").arg(parser.value(kVncPort));
    return o;
}

QString HostOptions::usage()
{
    QCommandLineParser parser;
    addOptions(parser);
    // The parser's own words are English and it names the program only once an
    // application object exists: both are put right here.
    QString text = parser.helpText();
    text.replace(QStringLiteral("Usage: <executable_name>"), QStringLiteral("Uso: pkg-host"));
    text.replace(QRegularExpression(QStringLiteral("^Usage: \\S+"), QRegularExpression::MultilineOption),
                 QStringLiteral("Uso: pkg-host"));
    text.replace(QStringLiteral("[options]"), QStringLiteral("[opções]"));
    text.replace(QStringLiteral("Options:"), QStringLiteral("Opções:"));
    text.replace(QStringLiteral("Displays help on commandline options."), QStringLiteral("Mostra esta ajuda."));
    text.replace(QStringLiteral("Displays help, including generic Qt options."),
                 QStringLiteral("Mostra esta ajuda e as opções gerais do Qt."));
    return text;
}

bool needsVncPlatform()
{
    return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}
