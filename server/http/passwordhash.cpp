#include "passwordhash.h"

#include "servererror.h"

#include <QRandomGenerator>
#include <argon2.h>
#include <iterator>
#include <string>

namespace appserver::http {

namespace {

// OWASP's minimum for Argon2id: 19 MiB, 2 passes, one lane. About 30 ms a login here.
const uint32_t kPasses = 2;
const uint32_t kMemoryKiB = 19 * 1024;
const uint32_t kLanes = 1;
const uint32_t kSaltBytes = 16;
const uint32_t kHashBytes = 32;

QByteArray randomSalt()
{
    quint32 words[kSaltBytes / sizeof(quint32)];
    QRandomGenerator::system()->generate(std::begin(words), std::end(words));
    return QByteArray(reinterpret_cast<const char *>(words), sizeof(words));
}

} // namespace

QString hashPassword(const QString &password)
{
    const QByteArray secret = password.toUtf8();
    const QByteArray salt = randomSalt();
    std::string encoded(argon2_encodedlen(kPasses, kMemoryKiB, kLanes, kSaltBytes, kHashBytes, Argon2_id), '\0');
    const int status = argon2id_hash_encoded(kPasses, kMemoryKiB, kLanes, secret.constData(), size_t(secret.size()),
                                             salt.constData(), size_t(salt.size()), kHashBytes, encoded.data(),
                                             encoded.size());
    if (status != ARGON2_OK)
        throw ServerError(QStringLiteral("Não foi possível calcular o resumo da senha: %1")
                              .arg(QString::fromLatin1(argon2_error_message(status))));
    return QString::fromLatin1(encoded.c_str());
}

bool verifyPassword(const QString &encodedHash, const QString &password)
{
    const QByteArray encoded = encodedHash.toLatin1();
    const QByteArray secret = password.toUtf8();
    return argon2id_verify(encoded.constData(), secret.constData(), size_t(secret.size())) == ARGON2_OK;
}

} // namespace appserver::http
