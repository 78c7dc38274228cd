#pragma once
// Passwords as Argon2id encoded hashes (libargon2): a random salt per password, the
// parameters and the salt kept inside the encoded text so that verification needs
// nothing else.

#include <QByteArray>
#include <QString>

namespace appserver::http {

// The Argon2id encoded hash of the password with a fresh random salt. Throws ServerError
// when the library fails.
QString hashPassword(const QString &password);

// True when the password matches the encoded hash. A malformed hash never matches.
bool verifyPassword(const QString &encodedHash, const QString &password);

} // namespace appserver::http
