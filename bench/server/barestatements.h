#pragma once
// The bare limits the server benchmarks compare against: statements a person would write
// by hand for the same work, on the same database, without the server's rules, scope
// tables, run log or packets. Plain SQL that runs on SQLite and PostgreSQL.

#include <QString>
#include <QStringList>

namespace bare {

// A registration table of the same shape as FORNATENDE (columns, keys, check, index).
inline QStringList createRegistrationTable()
{
    return {QStringLiteral(
                "CREATE TABLE FORNATENDE_NU ("
                " CDFORNECED VARCHAR(21) NOT NULL, CDFILIAL VARCHAR(4) NOT NULL, CDPERIENTR VARCHAR(2),"
                " QTDIASPRAZEXPED INTEGER NOT NULL, DTULTALTER TIMESTAMP NOT NULL, NMUSUULTALTER VARCHAR(30) NOT NULL,"
                " CONSTRAINT PK_FORNATENDE_NU PRIMARY KEY (CDFORNECED, CDFILIAL),"
                " CONSTRAINT FK_NU_FORNECEDOR FOREIGN KEY (CDFORNECED) REFERENCES FORNECEDOR (CDFORNECED),"
                " CONSTRAINT FK_NU_FILIAL FOREIGN KEY (CDFILIAL) REFERENCES FILIAL (CDFILIAL),"
                " CONSTRAINT FK_NU_PERIENTR FOREIGN KEY (CDPERIENTR) REFERENCES PERIENTR (CDPERIENTR),"
                " CONSTRAINT CK_NU_PRAZO CHECK (QTDIASPRAZEXPED BETWEEN 0 AND 999))"),
            QStringLiteral("CREATE INDEX IX_FORNATENDE_NU_FILIAL ON FORNATENDE_NU (CDFILIAL)")};
}

// Every supplier with every branch, as new rows.
inline QString insertEveryPair()
{
    return QStringLiteral(
        "INSERT INTO FORNATENDE_NU (CDFORNECED, CDFILIAL, CDPERIENTR, QTDIASPRAZEXPED, DTULTALTER, NMUSUULTALTER)"
        " SELECT f.CDFORNECED, b.CDFILIAL, '07', 3, CURRENT_TIMESTAMP, 'bench' FROM FORNECEDOR f CROSS JOIN FILIAL b");
}

// Every row given a new periodicity, lead time, date and author.
inline QString updateEveryPair()
{
    return QStringLiteral(
        "UPDATE FORNATENDE_NU SET CDPERIENTR = '15', QTDIASPRAZEXPED = 9, DTULTALTER = CURRENT_TIMESTAMP,"
        " NMUSUULTALTER = 'bench'");
}

// Every supplier against every branch, pair by pair: the pairs whose supplier does not
// serve the branch's region.
inline QString unservedPairs()
{
    return QStringLiteral(
        " FROM FILIAL f JOIN REGIAO g ON g.CDREGIAO = f.CDREGIAO CROSS JOIN FORNECEDOR s"
        " WHERE NOT EXISTS (SELECT 1 FROM FORNREGIAO r"
        "                   WHERE r.CDFORNECED = s.CDFORNECED AND r.CDREGIAO = f.CDREGIAO)");
}

// The anti-join listing the first rows of the unserved pairs in the error list's order,
// then counting them all: what a hand-written validation would run.
inline QStringList listUnservedPairs(int rows)
{
    return {QStringLiteral("SELECT f.CDFILIAL, f.NMFILIAL, g.CDREGIAO, g.NMREGIAO, s.NRINSJURFORN,"
                           " s.NMFANTFORN, s.IDTPIJURFORN")
                + unservedPairs() + QStringLiteral(" ORDER BY f.CDFILIAL, s.NMFANTFORN, s.CDFORNECED LIMIT %1").arg(rows),
            QStringLiteral("SELECT COUNT(*)") + unservedPairs()};
}

// Whether any supplier fails to serve a region that has branches, over distinct
// supplier x region combinations: the registration's own check, bare.
inline QString anyUnservedCombination()
{
    return QStringLiteral(
        "SELECT 1 FROM FORNECEDOR s CROSS JOIN (SELECT DISTINCT CDREGIAO FROM FILIAL) g"
        " WHERE NOT EXISTS (SELECT 1 FROM FORNREGIAO r"
        "                   WHERE r.CDFORNECED = s.CDFORNECED AND r.CDREGIAO = g.CDREGIAO)"
        " LIMIT 1");
}

} // namespace bare
