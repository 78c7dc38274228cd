#pragma once
// What registrations leave behind, FORNATENDE and LOGCADAUTO, every row and column in key
// order, hashed: two equal digests mean neither table changed. Works on SQLite and
// PostgreSQL; a failed read gives an empty digest, which equals no real one.

#include <QByteArray>
#include <QCryptographicHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>

// readWithoutIndexes (SQLite only): read the tables by scanning them, for a file whose
// indexes a test broke on purpose.
inline QByteArray registrationDigest(const QSqlDatabase &db, bool readWithoutIndexes = false)
{
    const QString hint = readWithoutIndexes ? QStringLiteral(" NOT INDEXED") : QString();
    const QString tables[] = {
        QStringLiteral("SELECT CDFORNECED, CDFILIAL, CDPERIENTR, QTDIASPRAZEXPED, DTULTALTER, NMUSUULTALTER"
                       " FROM FORNATENDE%1 ORDER BY CDFORNECED, CDFILIAL").arg(hint),
        QStringLiteral("SELECT NRLOGCADAUTO, DTEXECUCAO, NMUSUARIO, DSREGIOES, IDTODOSFORN, QTFORNECED, IDTODASFIL,"
                       " QTFILIAL, CDPERIENTR, QTDIASPRAZEXPED, QTPARES FROM LOGCADAUTO%1 ORDER BY NRLOGCADAUTO")
            .arg(hint),
    };
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &sql : tables) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.exec(sql))
            return QByteArray();
        qint64 rows = 0;
        while (query.next()) {
            ++rows;
            for (int column = 0; column < query.record().count(); ++column)
                hash.addData(query.value(column).isNull() ? QByteArrayLiteral("<null>|")
                                                          : query.value(column).toString().toUtf8() + '|');
            hash.addData(QByteArrayLiteral("\n"));
        }
        hash.addData(QByteArray::number(rows) + '#');
    }
    return hash.result().toHex();
}
