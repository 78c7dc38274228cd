#include "appserverprocess.h"

#include <QRegularExpression>

namespace {

const int kStartWaitMs = 120000;   // a sanitizer build on a busy machine starts slowly

} // namespace

AppServerProcess::~AppServerProcess()
{
    stop();
}

QString AppServerProcess::program()
{
    return QStringLiteral(PKG_APPSERVER_PATH);
}

bool AppServerProcess::start(const QStringList &options, QString *error)
{
    m_process.start(program(), options + QStringList{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0")});
    static const QRegularExpression listening(QStringLiteral("escutando em (https?://[^ ]+)"));
    QString out;
    while (m_process.waitForReadyRead(kStartWaitMs)) {
        out += QString::fromLocal8Bit(m_process.readAllStandardOutput());
        const QRegularExpressionMatch match = listening.match(out);
        if (match.hasMatch()) {
            m_baseUrl = QUrl(match.captured(1));
            return true;
        }
    }
    *error = QStringLiteral("pkg-appserver não iniciou: %1 %2").arg(out, log());
    return false;
}

void AppServerProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(30000)) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

void AppServerProcess::kill()
{
    m_process.kill();
    m_process.waitForFinished();
}

bool AppServerProcess::waitForLog(const QString &text)
{
    // waitForReadyRead waits on the read channel: the log is on standard error.
    m_process.setReadChannel(QProcess::StandardError);
    bool arrived = log().contains(text);
    while (!arrived && m_process.state() != QProcess::NotRunning && m_process.waitForReadyRead(kStartWaitMs))
        arrived = log().contains(text);
    m_process.setReadChannel(QProcess::StandardOutput);
    return arrived || log().contains(text);
}

int AppServerProcess::waitForExit()
{
    if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(kStartWaitMs))
        return -1;
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

QString AppServerProcess::log()
{
    m_log += QString::fromLocal8Bit(m_process.readAllStandardError());
    return m_log;
}

AppServerProcess::Result AppServerProcess::run(const QStringList &arguments, const QByteArray &input,
                                               const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program(), arguments);
    process.write(input);
    process.closeWriteChannel();
    Result result;
    if (!process.waitForFinished(kStartWaitMs))
        process.kill();
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}
