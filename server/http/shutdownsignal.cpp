#include "shutdownsignal.h"

#include "servererror.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace appserver::http {

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

void handleWith(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace

ShutdownSignal::ShutdownSignal(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        throw ServerError(QStringLiteral("Não foi possível preparar o tratamento de sinais de encerramento."));
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ShutdownSignal::readSignal);
    handleWith(onSignal);
}

ShutdownSignal::~ShutdownSignal()
{
    handleWith(SIG_DFL);
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void ShutdownSignal::readSignal()
{
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(signalPipe[0], &byte, 1);
    emit requested();
}

} // namespace appserver::http
