#include "hostoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QtGlobal>

namespace {

// The context of this file's texts in the translations. The options' descriptions and
// value names are marked where they are declared and translated when the help is made.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(HostOptions)
};

const QCommandLineOption kDatabase(QStringLiteral("database"),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "Banco SQLite (criado com dados de exemplo se não existir).")),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "arquivo")));
const QCommandLineOption kBranch(QStringLiteral("filial"),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "Modo de filial única, com a filial indicada.")),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "codigo")));
const QCommandLineOption kLanguage(QStringLiteral("lang"),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "Idioma dos textos do módulo (ex.: pt_BR, en).")),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "idioma")));
const QCommandLineOption kModule(QStringLiteral("module"),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "Arquivo do módulo (padrão: ao lado do programa ou, numa "
                                                    "instalação, em ../lib/pkg-cmp04702/modules).")),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "arquivo")));
const QCommandLineOption kCheckModule(QStringLiteral("check-module"),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "Carrega o módulo, confere as exportações e sai (sem banco e "
                                                    "sem janela).")));
const QCommandLineOption kServer(QStringLiteral("server"),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "Servidor de aplicação compartilhado (ex.: "
                                                    "https://compras.exemplo:7402); sem ela, o servidor roda "
                                                    "dentro do programa.")),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "url")));
const QCommandLineOption kUser(QStringLiteral("user"),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "Usuário sugerido na entrada no servidor de aplicação.")),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "nome")));
const QCommandLineOption kServerTimeout(QStringLiteral("server-timeout"),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "Tempo máximo de cada chamada ao servidor, em segundos (padrão 600).")),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "segundos")));
const QCommandLineOption kPgHost(QStringLiteral("pg-host"),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "Com --server: servidor PostgreSQL das leituras do programa "
                                                    "(padrão localhost).")),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "endereco")));
const QCommandLineOption kPgPort(QStringLiteral("pg-port"),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "Porta do PostgreSQL (padrão 5432).")),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "porta")));
const QCommandLineOption kPgDatabase(QStringLiteral("pg-database"),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "Banco PostgreSQL das leituras do programa.")),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "banco")));
const QCommandLineOption kPgUser(QStringLiteral("pg-user"),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "Usuário do PostgreSQL (um papel só de leitura basta).")),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "usuario")));
const QCommandLineOption kPgPasswordFile(QStringLiteral("pg-password-file"),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "Arquivo com a senha do PostgreSQL (sem ele, a variável PGPASSWORD).")),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "arquivo")));
const QCommandLineOption kVncPort(QStringLiteral("vnc-port"),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "Porta VNC em 127.0.0.1 quando não há tela (padrão 5900).")),
    QStringLiteral(QT_TRANSLATE_NOOP("HostOptions", "porta")));

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
        return Texts::tr("Opção desconhecida: %1").arg(unknown.join(QStringLiteral(", ")));
    const QString english = parser.errorText();
    static const QRegularExpression missingValue(QStringLiteral("Missing value after '(.*)'"));
    const QRegularExpressionMatch match = missingValue.match(english);
    if (match.hasMatch())
        return Texts::tr("Falta o valor da opção %1").arg(match.captured(1));
    return Texts::tr("Linha de comando inválida: %1").arg(english);
}

// The option with its description and value name in the user's language.
QCommandLineOption translated(QCommandLineOption option)
{
    option.setDescription(Texts::tr(qUtf8Printable(option.description())));
    if (!option.valueName().isEmpty())
        option.setValueName(Texts::tr(qUtf8Printable(option.valueName())));
    return option;
}

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(Texts::tr("Sistema de compras: Cadastramento Automático de Fornecedor que Atende."));
    parser.addHelpOption();
    for (const QCommandLineOption &option : {kDatabase, kBranch, kLanguage, kModule, kCheckModule, kServer, kUser,
                                             kServerTimeout, kPgHost, kPgPort, kPgDatabase, kPgUser, kPgPasswordFile,
                                             kVncPort})
        parser.addOption(translated(option));
}

} // namespace

HostOptions HostOptions::parse(const QStringList &arguments, const QString &dataDir)
{
    HostOptions o;
    QCommandLineParser parser;
    addOptions(parser);
    const bool parsed = parser.parse(arguments);
    o.language = parser.value(kLanguage);   // the language of the message, too
    if (!parsed) {
        o.error = ParseError(parser);
        return o;
    }
    o.showHelp = parser.isSet(QStringLiteral("help"));
    o.databasePath = parser.isSet(kDatabase) ? parser.value(kDatabase)
                                             : QDir(dataDir).filePath(QStringLiteral("fornatende.db"));
    o.modulePath = parser.value(kModule);
    o.checkModule = parser.isSet(kCheckModule);
    o.branch = parser.value(kBranch).trimmed();
    o.serverUrl = QUrl(parser.value(kServer), QUrl::StrictMode);
    o.user = parser.value(kUser);
    o.postgres.database = parser.value(kPgDatabase);
    o.postgres.user = parser.value(kPgUser);
    o.postgres.passwordFile = parser.value(kPgPasswordFile);
    if (parser.isSet(kPgHost))
        o.postgres.host = parser.value(kPgHost);
    if (parser.isSet(kServer) && (!o.serverUrl.isValid() || o.serverUrl.host().isEmpty()))
        o.error = Texts::tr("Endereço de servidor inválido: %1").arg(parser.value(kServer));
    if (!readNumber(parser, kServerTimeout, 1, 86400, o.serverTimeoutSeconds))
        o.error = Texts::tr("Tempo máximo inválido: %1").arg(parser.value(kServerTimeout));
    if (!readNumber(parser, kPgPort, 1, 65535, o.postgres.port))
        o.error = Texts::tr("Porta do PostgreSQL inválida: %1").arg(parser.value(kPgPort));
    if (!readNumber(parser, kVncPort, 1, 65535, o.vncPort))
        o.error = Texts::tr("Porta VNC inválida: %1").arg(parser.value(kVncPort));
    return o;
}

QString HostOptions::usage()
{
    QCommandLineParser parser;
    addOptions(parser);
    // The parser's own words are English and it names the program only once an
    // application object exists: both are put right here.
    QString text = parser.helpText();
    text.replace(QStringLiteral("Usage: <executable_name>"), Texts::tr("Uso: pkg-host"));
    text.replace(QRegularExpression(QStringLiteral("^Usage: \\S+"), QRegularExpression::MultilineOption),
                 Texts::tr("Uso: pkg-host"));
    text.replace(QStringLiteral("[options]"), Texts::tr("[opções]"));
    text.replace(QStringLiteral("Options:"), Texts::tr("Opções:"));
    text.replace(QStringLiteral("Displays help on commandline options."), Texts::tr("Mostra esta ajuda."));
    text.replace(QStringLiteral("Displays help including Qt specific options."),
                 Texts::tr("Mostra esta ajuda e as opções gerais do Qt."));
    return text;
}

bool needsVncPlatform()
{
    return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}
