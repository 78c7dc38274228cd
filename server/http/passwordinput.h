#pragma once
// Reads a password for --add-user: from the terminal without echo (asked twice), or one
// line from standard input when it is not a terminal (for scripts).

#include <QString>

namespace appserver::http {

// Throws ServerError when the two typed passwords differ or nothing could be read.
QString readNewPassword(const QString &user);

} // namespace appserver::http
