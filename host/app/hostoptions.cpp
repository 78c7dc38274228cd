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
const QCommandLineOption kVncPort(QStringLiteral("vnc-port"),
    QStringLiteral("Porta VNC em 127.0.0.1 quando não há tela (padrão 5900)."), QStringLiteral("porta"));

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral("Sistema de compras: Cadastramento Automático de Fornecedor que Atende."));
    parser.addHelpOption();
    parser.addOptions({kDatabase, kBranch, kLanguage, kModule, kCheckModule, kVncPort});
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
