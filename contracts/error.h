#pragma once
// The one base of every error the system raises: the host library's, the application
// server's and the formats' own. It carries the message for the user, in Portuguese;
// what() gives the same text in UTF-8 for code that only knows std::exception.

#include <QCoreApplication>
#include <QString>
#include <QtCore/qglobal.h>
#include <stdexcept>

namespace contracts {

// Default visibility, so that the exported error classes derived from it in the host
// library keep one type identity across the shared libraries that throw and catch them.
class Q_DECL_EXPORT Error : public std::runtime_error {
public:
    explicit Error(const QString &message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// A text the user supplied, in double quotes for a message, cut short after 30
// characters so that a huge argument does not become a huge message, with control
// characters written as \uXXXX.
QString quotedForMessage(const QString &text);

// The context of the formats' messages in the translations: Texts::tr("...").
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(contracts)
};

} // namespace contracts
