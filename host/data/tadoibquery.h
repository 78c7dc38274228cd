#pragma once
// Query over the host's database connection "adcGeral", with named parameters and one
// SQL text per database family. The text that suits the connection's driver runs
// (Oracle: SQL_ORACLE, SQL Server: SQL_MSSQL, InterBase/Firebird: SQL_IB); an empty
// family text, and every other driver (SQLite, PostgreSQL), runs SQL.

#include "tdataset.h"

#include <QMap>
#include <QStringList>

class HOSTLIB_EXPORT TParam {
public:
    QString Name;
    QVariant Value;
    void SetAsString(const QString &value) { Value = value; }
    QString AsString() const { return Value.toString(); }
};

class HOSTLIB_EXPORT TADOIBQuery : public TDataSet {
    Q_OBJECT
public:
    static const char *const ConnectionName;   // "adcGeral"

    explicit TADOIBQuery(QObject *parent = nullptr);
    ~TADOIBQuery() override;

    QString SQL;
    QString SQL_ORACLE;
    QString SQL_MSSQL;
    QString SQL_IB;

    // The parameter named in the SQL as :NAME (created on first use; case-insensitive).
    TParam &ParamByName(const QString &name);
    // The SQL text that runs on the current connection.
    QString ActiveSQL() const;
    // The text for a driver name (QOCI, QODBC/QTDS, QIBASE; anything else: SQL).
    QString SQLForDriver(const QString &driverName) const;

    // Queries only read: Edit refuses.
    bool CanModify() const override { return false; }

protected:
    // Runs the SQL with its parameters bound; throws EDatabaseError on failure (no
    // connection "adcGeral", SQL error). Fields defined beforehand are matched by name
    // (and must be present); without them, the result's columns become the fields.
    // Each :NAME in the text (outside quotes and comments; "::" is left alone) is bound
    // by position to the parameter of that name, so a name may occur more than once.
    // A parameter never set binds null.
    void DoOpen() override;

private:
    QMap<QString, TParam> m_params;   // upper-case name -> parameter
};
