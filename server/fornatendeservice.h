#pragma once
// The five methods of the application server over its database, with their business
// rules. Arguments arrive already parsed (arguments.h); each method throws ServerError
// with a Portuguese message on any failure and otherwise returns the result's value.

#include "arguments.h"
#include "datapacket.h"
#include "registrationrun.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <QVector>

#include <functional>

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

    // Most rows a validation packet carries; past it the packet says how many there are.
    static constexpr int MaxListedRows = 10000;

    // [blocking rows packet, already-registered pairs packet] for the scope, each with at
    // most MaxListedRows rows in the screen's order (and then the whole count).
    QVariantList getValidReForFil(const ScopeArguments &scope) const;

    // Writes every pair of the scope in one transaction, keeping what the run changed;
    // returns the pairs written.
    qint64 cadAutoAtende(const RegistrationArguments &registration) const;

    // Takes the registration run back in one write transaction; returns the pairs taken
    // back (runundo.h).
    qint64 desfazCadAuto(qint64 run) const;

private:
    using RowReader = std::function<QVector<QVariant>(const QSqlQuery &query)>;
    void readListed(contracts::DataPacket &packet, const QString &select, const QString &count,
                    const RowReader &row) const;
    struct BlockingExtent {
        qint64 total = 0;            // blocking rows in the whole scope
        QString lastListedBranch;    // last branch with rows among the listed ones
    };
    void loadBlockingCombinations() const;
    BlockingExtent blockingExtent() const;
    QByteArray blockingRowsPacket() const;
    QByteArray registeredPairsPacket() const;
    bool scopeHasBlockingPair() const;
    void requirePeriodicity(const QString &code) const;
    // What the audit row of a run records besides the arguments.
    struct RunSummary {
        qint64 number = 0;
        qint64 suppliers = 0;
        qint64 branches = 0;
        WrittenPairs written;
        RunTime time;
    };
    void writeAudit(const RegistrationArguments &registration, const RunSummary &run) const;

    QSqlDatabase m_db;
    QString m_usuario;
};

} // namespace appserver
