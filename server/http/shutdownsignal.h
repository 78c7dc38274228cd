#pragma once
// SIGTERM and SIGINT as a Qt signal on the main thread (through a socket pair: a signal
// handler may only write a byte), so that the server stops accepting connections and
// answers what it already took before it exits; a load balancer can then restart app
// servers one by one without cutting a registration short.

#include <QObject>

class QSocketNotifier;

namespace appserver::http {

class ShutdownSignal : public QObject {
    Q_OBJECT
public:
    explicit ShutdownSignal(QObject *parent = nullptr);
    ~ShutdownSignal() override;

signals:
    void requested();

private:
    void readSignal();
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace appserver::http
