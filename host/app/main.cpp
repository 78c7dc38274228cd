// pkg-host: the host application. Opens the database (embedded SQLite with sample data
// on first run), runs the application server in process, loads the PKG_CMP04702 module
// and launches its screen from the menu.

#include "runtime/errors.h"
#include "frmprincipal.h"
#include "hostoptions.h"
#include "hostsession.h"
#include "hosttranslations.h"
#include "remotesession.h"
#include "server/httpappserver.h"
#include "localappserver.h"
#include "modulecheck.h"
#include "modulelocation.h"
#include "runtime/moduleloader.h"
#include "runtime/quorvel.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTextStream>
#include <cstdio>
#include <memory>

namespace {

// The context of this file's texts in the translations.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(HostApplication)
};

QStringList argumentList(int argc, char **argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

// Without a display, the window is served over VNC on loopback; true when it is.
bool chooseVncWhenHeadless(int port)
{
    if (!needsVncPlatform())
        return false;
    qputenv("HOST_VNC_LOOPBACK", "1");
    qputenv("QT_QPA_PLATFORM", QStringLiteral("vnc:size=1024x768:port=%1").arg(port).toLatin1());
    return true;
}

// Said once the application, and with it the translations, is up.
void announceVnc(int port)
{
    std::printf("%s", qPrintable(Texts::tr("Sem tela disponível: a janela é servida por VNC.\n"
                                           "Conecte um visualizador VNC a 127.0.0.1:%1 (ex.: vncviewer 127.0.0.1::%1).\n")
                                     .arg(port)));
    std::fflush(stdout);
}

// --module wins; otherwise beside the program or in the installed module folder.
QString modulePath(const HostOptions &options)
{
    return options.modulePath.isEmpty() ? FindModule(QCoreApplication::applicationDirPath()) : options.modulePath;
}

QString statusText(const QString &data)
{
    const QString mode = Quorvel::ModuFili()
        ? Texts::tr("filial única %1").arg(Quorvel::FiliProc())
        : Texts::tr("todas as filiais");
    return Texts::tr("Banco: %1  |  %2").arg(data, mode);
}

// The data and the application server: in process on the SQLite file, or a shared
// server over HTTP with the host's own read connection.
struct Session {
    std::unique_ptr<HostSession> local;
    std::unique_ptr<RemoteSession> remote;

    QObject *Server() const
    {
        return remote ? static_cast<QObject *>(remote->Server()) : static_cast<QObject *>(local->Server());
    }
    QString Description(const HostOptions &options) const
    {
        return remote ? Texts::tr("%1  |  Servidor: %2").arg(remote->Description(), options.serverUrl.toDisplayString())
                      : options.databasePath;
    }
};

Session openSession(const HostOptions &options)
{
    Session session;
    if (options.serverUrl.isEmpty()) {
        session.local = std::make_unique<HostSession>(options.databasePath);
        return session;
    }
    RemoteSession::Options remote;
    remote.server = options.serverUrl;
    remote.user = options.user;
    remote.timeoutSeconds = options.serverTimeoutSeconds;
    remote.sqliteFile = options.databasePath;
    remote.postgres = options.postgres;
    session.remote = std::make_unique<RemoteSession>(remote);
    return session;
}

// Start-up errors go to stderr, and to a message box where someone can answer it (on
// the offscreen platform nobody can: the program then ends at once).
int startUpError(const QString &message)
{
    std::fprintf(stderr, "pkg-host: %s\n", qPrintable(message));
    std::fflush(stderr);
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        QMessageBox::critical(nullptr, Texts::tr("Sistema de Compras"), message);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setOrganizationName(QStringLiteral("pkg-cmp04702"));
    QCoreApplication::setApplicationName(QStringLiteral("pkg-host"));
    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const HostOptions options = HostOptions::parse(argumentList(argc, argv), dataDir);
    if (!options.language.isEmpty())
        QLocale::setDefault(QLocale(options.language));
    if (!options.error.isEmpty() || options.showHelp) {
        QCoreApplication app(argc, argv);
        const HostTranslations translations(QCoreApplication::applicationDirPath());
        // Read again, so that the error comes in the chosen language.
        const QString error = HostOptions::parse(argumentList(argc, argv), dataDir).error;
        if (!error.isEmpty())
            std::fprintf(stderr, "pkg-host: %s\n\n", qPrintable(error));
        std::fprintf(error.isEmpty() ? stdout : stderr, "%s", qPrintable(HostOptions::usage()));
        return error.isEmpty() ? 0 : 2;
    }
    if (options.checkModule) {
        QCoreApplication app(argc, argv);
        const HostTranslations translations(QCoreApplication::applicationDirPath());
        QTextStream out(stdout);
        QTextStream err(stderr);
        return CheckModule(modulePath(options), out, err);
    }
    const bool overVnc = chooseVncWhenHeadless(options.vncPort);

    QApplication app(argc, argv);
    const HostTranslations translations(QCoreApplication::applicationDirPath());
    if (overVnc)
        announceVnc(options.vncPort);
    Quorvel::SetFiliProc(options.branch);

    Session session;
    try {
        session = openSession(options);
    } catch (const EHostError &e) {
        return startUpError(e.message());
    }

    ModuleLoader module;
    int result = 0;
    {
        TfrmPrincipal window(session.Server());
        Quorvel::SetMainForm(&window);
        Quorvel::SetHelpHook([](const QString &file, int context) {
            QMessageBox::information(QApplication::activeWindow(), Texts::tr("Ajuda"),
                                     Texts::tr("Arquivo de ajuda %1, contexto %2.").arg(file).arg(context));
        });
        if (!module.Load(modulePath(options)))
            return startUpError(module.ErrorString());
        // With a shared server, the user logs in before the window opens.
        if (session.remote) {
            if (QGuiApplication::platformName() == QLatin1String("offscreen"))
                return startUpError(Texts::tr("Sem tela, ninguém pode entrar no servidor de aplicação "
                                              "(a plataforma offscreen não mostra a janela de entrada)."));
            const QString problem = session.remote->Server()->LogIn();
            if (!problem.isEmpty())
                return startUpError(problem);
        }
        window.SetModule(&module);
        window.SetStatus(statusText(session.Description(options)));
        window.show();
        result = app.exec();
        // The window, and with it every screen the module created, goes before the
        // module's code is released.
    }
    module.Unload();
    return result;
}
