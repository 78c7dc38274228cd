#pragma once
// The columns LOGCADAUTO gets with the server's run history (new and replaced pairs,
// when and by whom a run was undone), added to a test's own database while the schema
// it was made with lacks them. A database that has them is left alone, so this goes
// away with no other change once every schema carries them.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

inline bool AddRunHistoryColumns(const QSqlDatabase &db)
{
    if (db.record(QStringLiteral("LOGCADAUTO")).contains(QStringLiteral("QTNOVOS")))
        return true;
    const QStringList columns{QStringLiteral("QTNOVOS INTEGER"), QStringLiteral("QTSUBSTITUIDOS INTEGER"),
                              QStringLiteral("DTDESFEITO TIMESTAMP"), QStringLiteral("NMUSUDESFEZ VARCHAR(30)")};
    for (const QString &column : columns) {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("ALTER TABLE LOGCADAUTO ADD COLUMN %1").arg(column)))
            return false;
    }
    return true;
}
