#pragma once
// A pkg-appserver process for a test: started with the given options on a free loopback
// port (--listen 127.0.0.1:0; the port is read from the line it prints when listening),
// its standard error kept for the test to read, stopped at the end.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

class AppServerProcess {
public:
    AppServerProcess() = default;
    ~AppServerProcess();
    AppServerProcess(const AppServerProcess &) = delete;
    AppServerProcess &operator=(const AppServerProcess &) = delete;

    static QString program();

    // Starts the server and waits until it listens. False with the reason in error.
    bool start(const QStringList &options, QString *error);
    void stop();

    // Sends SIGTERM without waiting.
    void requestStop() { m_process.terminate(); }
    // Kills the server with SIGKILL, as a crash would (nothing of it runs after), and
    // waits for its end.
    void kill();
    // Waits until the standard error contains the text; false when the server ended or
    // two minutes passed without it.
    bool waitForLog(const QString &text);
    // Waits for the end; the exit code, or -1 when it crashed or did not end.
    int waitForExit();

    QUrl baseUrl() const { return m_baseUrl; }
    qint64 processId() const { return m_process.processId(); }
    // Everything the server wrote to its standard error so far (the request log).
    QString log();

    struct Result {
        int exitCode = -1;
        QString out;
        QString err;
    };
    // Runs pkg-appserver to the end with the given standard input (e.g. --add-user).
    static Result run(const QStringList &arguments, const QByteArray &input = QByteArray(),
                      const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

private:
    QProcess m_process;
    QUrl m_baseUrl;
    QString m_log;
};
