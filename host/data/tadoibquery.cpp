#include "tadoibquery.h"

#include "runtime/errors.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

const char *const TADOIBQuery::ConnectionName = "adcGeral";

namespace {

QString paramKey(const QString &name)
{
    QString key = name.trimmed();
    if (key.startsWith(QLatin1Char(':')))
        key.remove(0, 1);
    return key.toUpper();
}

bool isNameStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// The SQL with every :NAME replaced by a positional '?', and the names in order.
// Positional binding lets one name occur several times on every driver (the SQLite
// driver binds a repeated named placeholder only once).
struct PositionalSql {
    QString text;
    QStringList names;
};

PositionalSql toPositional(const QString &sql)
{
    PositionalSql result;
    const int n = int(sql.size());
    int i = 0;
    const auto copyUntil = [&](const QString &end) {
        const int stop = int(sql.indexOf(end, i));
        const int to = stop < 0 ? n : stop + int(end.size());
        result.text += sql.mid(i, to - i);
        i = to;
    };
    while (i < n) {
        const QChar c = sql[i];
        const QChar next = i + 1 < n ? sql[i + 1] : QChar();
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // Quoted text; a doubled quote continues it.
            int j = i + 1;
            while (j < n && !(sql[j] == c && (j + 1 >= n || sql[j + 1] != c)))
                j += (sql[j] == c) ? 2 : 1;
            j = qMin(j + 1, n);
            result.text += sql.mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
            copyUntil(QStringLiteral("\n"));
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            copyUntil(QStringLiteral("*/"));
        } else if (c == QLatin1Char(':') && next == QLatin1Char(':')) {
            result.text += QStringLiteral("::");
            i += 2;
        } else if (c == QLatin1Char(':') && isNameStart(next)) {
            int j = i + 1;
            while (j < n && isNameChar(sql[j]))
                ++j;
            result.names << sql.mid(i + 1, j - i - 1).toUpper();
            result.text += QLatin1Char('?');
            i = j;
        } else {
            result.text += c;
            ++i;
        }
    }
    return result;
}

[[noreturn]] void throwSqlError(const QSqlError &error)
{
    throw EDatabaseError(TADOIBQuery::tr("Erro no banco de dados: %1").arg(error.text().trimmed()));
}

} // namespace

TADOIBQuery::TADOIBQuery(QObject *parent)
    : TDataSet(parent)
{
}

TADOIBQuery::~TADOIBQuery() = default;

TParam &TADOIBQuery::ParamByName(const QString &name)
{
    const QString key = paramKey(name);
    auto it = m_params.find(key);
    if (it == m_params.end()) {
        TParam param;
        param.Name = key;
        it = m_params.insert(key, param);
    }
    return it.value();
}

QString TADOIBQuery::SQLForDriver(const QString &driverName) const
{
    QString text;
    if (driverName == QLatin1String("QOCI"))
        text = SQL_ORACLE;
    else if (driverName == QLatin1String("QODBC") || driverName == QLatin1String("QTDS"))
        text = SQL_MSSQL;
    else if (driverName == QLatin1String("QIBASE"))
        text = SQL_IB;
    return text.trimmed().isEmpty() ? SQL : text;
}

QString TADOIBQuery::ActiveSQL() const
{
    const QString name = QString::fromLatin1(ConnectionName);
    if (!QSqlDatabase::contains(name))
        return SQL;
    return SQLForDriver(QSqlDatabase::database(name, false).driverName());
}

void TADOIBQuery::DoOpen()
{
    const QString connection = QString::fromLatin1(ConnectionName);
    if (!QSqlDatabase::contains(connection))
        throw EDatabaseError(tr("A conexão com o banco de dados \"%1\" não foi criada.").arg(connection));
    QSqlDatabase db = QSqlDatabase::database(connection, false);
    if (!db.isOpen() && !db.open())
        throwSqlError(db.lastError());

    const QString sql = ActiveSQL();
    if (sql.trimmed().isEmpty())
        throw EDatabaseError(tr("A consulta não tem texto SQL."));
    const PositionalSql positional = toPositional(sql);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(positional.text))
        throwSqlError(query.lastError());
    for (const QString &name : positional.names) {
        // An empty text is a text, not null (a null QString would bind NULL).
        const QVariant value = m_params.value(name).Value;
        const bool nullText = value.typeId() == QMetaType::QString && value.toString().isNull();
        query.addBindValue(nullText ? QVariant(QStringLiteral("")) : value);
    }
    if (!query.exec())
        throwSqlError(query.lastError());
    if (!query.isSelect())
        throw EDatabaseError(tr("A consulta não devolveu registros."));

    // Which result column feeds each field.
    const QSqlRecord record = query.record();
    QVector<FieldDef> resultColumns;
    for (int i = 0; i < record.count(); ++i) {
        const QSqlField field = record.field(i);
        resultColumns.append({field.name(), FieldTypeOf(field.metaType()), qMax(0, field.length())});
    }
    const ColumnMapping mapping =
        MapColumns(resultColumns, [&record](const QString &name) { return record.indexOf(name); },
                   tr("Campo %1 não encontrado no resultado da consulta."));
    const QVector<FieldDef> &defs = mapping.fields;

    std::vector<QVector<QVariant>> records;
    while (query.next()) {
        QVector<QVariant> values(defs.size());
        for (int i = 0; i < defs.size(); ++i)
            values[i] = ConvertToFieldType(query.value(mapping.sourceColumns[size_t(i)]), defs[i].type,
                                           defs[i].name);
        records.push_back(std::move(values));
    }
    if (query.lastError().isValid())
        throwSqlError(query.lastError());

    if (!HasPersistentFields())
        SetDefaultFields(defs);
    SetRecords(std::move(records));
}
