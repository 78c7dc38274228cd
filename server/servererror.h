#pragma once
// The one error type the application server raises. Its message is the Portuguese text
// that reaches the user through the failure result.

#include <QString>
#include <stdexcept>

namespace appserver {

class ServerError : public std::runtime_error {
public:
    explicit ServerError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace appserver
