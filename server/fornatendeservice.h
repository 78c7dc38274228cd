#pragma once
// The four methods of the application server over its database, with their business
// rules. Arguments arrive already parsed (arguments.h); each method throws ServerError
// with a Portuguese message on any failure and otherwise returns the result's value.

#include "arguments.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

namespace appserver {

class FornAtendeService {
public:
    // usuario: the name recorded as the author of the rows written (at most 30 characters
    // are kept).
    FornAtendeService(const QSqlDatabase &db, const QString &usuario);

    // The general parameters as texts, by position; element 0 is the lead-time switch.
    QVariantList getParamGeral() const;

    // Data packet of the branches of the regions, ordered by branch code.
    QByteArray getFilial(const Selection &regions) const;

    // [blocking rows packet, already-registered pairs packet] for the scope.
    QVariantList getValidReForFil(const ScopeArguments &scope) const;

    // Writes every pair of the scope in one transaction; returns the pairs written.
    qint64 cadAutoAtende(const RegistrationArguments &registration) const;

private:
    QByteArray blockingRowsPacket() const;
    QByteArray registeredPairsPacket() const;
    bool scopeHasBlockingPair() const;
    void requirePeriodicity(const QString &code) const;
    void writePairs(const RegistrationArguments &registration) const;
    void writeAudit(const RegistrationArguments &registration, qint64 suppliers, qint64 branches,
                    qint64 pairs) const;

    QSqlDatabase m_db;
    QString m_usuario;
};

} // namespace appserver
