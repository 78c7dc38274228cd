#pragma once
// Command-line options of the host application.

#include <QString>
#include <QStringList>
#include <QUrl>

#include "readconnection.h"

struct HostOptions {
    QString databasePath;     // SQLite file; created with sample data when new
    // A shared application server (empty: the server runs in process).
    QUrl serverUrl;
    QString user;             // pre-filled in the login dialog
    int serverTimeoutSeconds = 600;
    PostgresOptions postgres; // the read connection, with a shared server
    QString branch;           // single-branch mode when not empty
    QString language;         // locale name for the module's texts, e.g. "pt_BR", "en"
    QString modulePath;       // the module's file; empty: found from the program's folder
    bool checkModule = false; // load the module, check its exports and exit
    int vncPort = 5900;       // used only when there is no display
    bool showHelp = false;
    QString error;            // non-empty when the command line is wrong

    // Default database: fornatende.db in dataDir (the user's data folder).
    static HostOptions parse(const QStringList &arguments, const QString &dataDir);
    static QString usage();
};

// True when no window system is reachable (no X11 or Wayland display and no platform
// chosen by the user): the host then serves its window over VNC.
bool needsVncPlatform();
