// pkg-host: the host application. Opens the database (embedded SQLite with sample data
// on first run), runs the application server in process, loads the PKG_CMP04702 module
// and launches its screen from the menu.

#include "runtime/errors.h"
#include "frmprincipal.h"
#include "hostoptions.h"
#include "hostsession.h"
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

QStringList argumentList(int argc, char **argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

// Without a display, the window is served over VNC on loopback.
void chooseVncWhenHeadless(int port)
{
    if (!needsVncPlatform())
        return;
    qputenv("HOST_VNC_LOOPBACK", "1");
    qputenv("QT_QPA_PLATFORM", QStringLiteral("vnc:size=1024x768:port=%1").arg(port).toLatin1());
    std::printf("Sem tela disponível: a janela é servida por VNC.\n"
                "Conecte um visualizador VNC a 127.0.0.1:%d (ex.: vncviewer 127.0.0.1::%d).\n",
                port, port);
    std::fflush(stdout);
}

// --module wins; otherwise beside the program or in the installed module folder.
QString modulePath(const HostOptions &options)
{
    return options.modulePath.isEmpty() ? FindModule(QCoreApplication::applicationDirPath()) : options.modulePath;
}

QString statusText(const HostOptions &options)
{
    const QString mode = Quorvel::ModuFili()
        ? QStringLiteral("filial única %1").arg(Quorvel::FiliProc())
        : QStringLiteral("todas as filiais");
    return QStringLiteral("Banco: %1  |  %2").arg(options.databasePath, mode);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setOrganizationName(QStringLiteral("pkg-cmp04702"));
    QCoreApplication::setApplicationName(QStringLiteral("pkg-host"));
    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const HostOptions options = HostOptions::parse(argumentList(argc, argv), dataDir);
    if (!options.error.isEmpty() || options.showHelp) {
        std::fprintf(options.error.isEmpty() ? stdout : stderr, "%s\n%s",
                     qPrintable(options.error), qPrintable(HostOptions::usage()));
        return options.error.isEmpty() ? 0 : 2;
    }
    if (options.checkModule) {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        return CheckModule(modulePath(options), out, err);
    }
    chooseVncWhenHeadless(options.vncPort);

    QApplication app(argc, argv);
    if (!options.language.isEmpty())
        QLocale::setDefault(QLocale(options.language));
    Quorvel::SetFiliProc(options.branch);

    std::unique_ptr<HostSession> session;
    try {
        session = std::make_unique<HostSession>(options.databasePath);
    } catch (const EHostError &e) {
        QMessageBox::critical(nullptr, QStringLiteral("Sistema de Compras"), e.message());
        return 1;
    }

    ModuleLoader module;
    int result = 0;
    {
        TfrmPrincipal window(session->Server());
        Quorvel::SetMainForm(&window);
        Quorvel::SetHelpHook([](const QString &file, int context) {
            QMessageBox::information(QApplication::activeWindow(), QStringLiteral("Ajuda"),
                                     QStringLiteral("Arquivo de ajuda %1, contexto %2.").arg(file).arg(context));
        });
        if (!module.Load(modulePath(options))) {
            QMessageBox::critical(nullptr, QStringLiteral("Sistema de Compras"), module.ErrorString());
            return 1;
        }
        window.SetModule(&module);
        window.SetStatus(statusText(options));
        window.show();
        result = app.exec();
        // The window, and with it every screen the module created, goes before the
        // module's code is released.
    }
    module.Unload();
    return result;
}
