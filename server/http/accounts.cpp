#include "accounts.h"

#include "passwordhash.h"
#include "servererror.h"
#include "sqlsupport.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QRandomGenerator>
#include <iterator>

namespace appserver::http {

namespace {

const int kTokenWords = 256 / 32;

QString newToken()
{
    quint32 words[kTokenWords];
    QRandomGenerator::system()->generate(std::begin(words), std::end(words));
    const QByteArray bytes(reinterpret_cast<const char *>(words), sizeof(words));
    return QString::fromLatin1(bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

QString tokenHash(const QString &token)
{
    return QString::fromLatin1(QCryptographicHash::hash(token.toUtf8(), QCryptographicHash::Sha256).toHex());
}

// Verified against when the user does not exist, so that an unknown name costs the same
// Argon2id work as a wrong password.
const QString &decoyHash()
{
    static const QString hash = hashPassword(QStringLiteral("usuario-inexistente"));
    return hash;
}

qint64 nowSeconds()
{
    return QDateTime::currentSecsSinceEpoch();
}

} // namespace

QString checkedUserName(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        throw ServerError(QStringLiteral("Informe o nome do usuário."));
    if (trimmed.size() > Accounts::kMaxUserNameLength)
        throw ServerError(QStringLiteral("O nome do usuário deve ter no máximo %1 caracteres.")
                              .arg(Accounts::kMaxUserNameLength));
    for (const QChar c : trimmed)
        if (c.category() == QChar::Other_Control)
            throw ServerError(QStringLiteral("O nome do usuário contém caracteres não permitidos."));
    return trimmed;
}

Accounts::Accounts(const QSqlDatabase &db) : m_db(db)
{
}

QString Accounts::storedHash(const QString &name) const
{
    return scalar(m_db, QStringLiteral("SELECT DSHASHSENHA FROM USUARIO WHERE NMUSUARIO = ?"), {name}).toString();
}

bool Accounts::setUser(const QString &name, const QString &password) const
{
    const QString user = checkedUserName(name);
    if (password.isEmpty())
        throw ServerError(QStringLiteral("A senha não pode ser vazia."));
    const QString hash = hashPassword(password);
    Transaction transaction(m_db, Transaction::Kind::Write);
    const bool isNew = storedHash(user).isEmpty();
    if (isNew)
        execSql(m_db, QStringLiteral("INSERT INTO USUARIO (NMUSUARIO, DSHASHSENHA, DTCRIACAO)"
                                     " VALUES (?, ?, CURRENT_TIMESTAMP)"), {user, hash});
    else
        execSql(m_db, QStringLiteral("UPDATE USUARIO SET DSHASHSENHA = ? WHERE NMUSUARIO = ?"), {hash, user});
    transaction.commit();
    return isNew;
}

std::optional<Session> Accounts::login(const QString &name, const QString &password, qint64 lifetimeSeconds) const
{
    const QString user = name.trimmed();
    const QString hash = user.size() <= kMaxUserNameLength ? storedHash(user) : QString();
    const bool matches = verifyPassword(hash.isEmpty() ? decoyHash() : hash, password);
    if (hash.isEmpty() || !matches)
        return std::nullopt;

    const qint64 now = nowSeconds();
    removeExpiredSessions(now);
    Session session{newToken(), lifetimeSeconds};
    execSql(m_db, QStringLiteral("INSERT INTO SESSAO (DSHASHTOKEN, NMUSUARIO, DTCRIACAO, NREXPIRACAO)"
                                 " VALUES (?, ?, CURRENT_TIMESTAMP, ?)"),
            {tokenHash(session.token), user, now + lifetimeSeconds});
    return session;
}

QString Accounts::userForToken(const QString &token) const
{
    if (token.isEmpty())
        return QString();
    // Looked up by the token's hash: the database compares hashes, never the token, so
    // how long a comparison takes says nothing about the token.
    return scalar(m_db, QStringLiteral("SELECT NMUSUARIO FROM SESSAO WHERE DSHASHTOKEN = ? AND NREXPIRACAO > ?"),
                  {tokenHash(token), nowSeconds()}).toString();
}

void Accounts::removeExpiredSessions(qint64 now) const
{
    execSql(m_db, QStringLiteral("DELETE FROM SESSAO WHERE NREXPIRACAO <= ?"), {now});
}

} // namespace appserver::http
