#include "datagenerator.h"

#include "inscricao.h"
#include "servererror.h"
#include "sqlsupport.h"

#include <QHash>
#include <QSqlQuery>
#include <QVector>

namespace appserver {

namespace {

struct Municipality {
    QString country, state, code, region;
};

// Region of each Brazilian state, for placing generated branches consistently.
QString regionOfState(const QString &state)
{
    static const QHash<QString, QString> regions = {
        {"AC", "N"}, {"AM", "N"}, {"AP", "N"}, {"PA", "N"}, {"RO", "N"}, {"RR", "N"}, {"TO", "N"},
        {"AL", "NE"}, {"BA", "NE"}, {"CE", "NE"}, {"MA", "NE"}, {"PB", "NE"}, {"PE", "NE"},
        {"PI", "NE"}, {"RN", "NE"}, {"SE", "NE"},
        {"DF", "CO"}, {"GO", "CO"}, {"MS", "CO"}, {"MT", "CO"},
        {"ES", "SE"}, {"MG", "SE"}, {"RJ", "SE"}, {"SP", "SE"},
        {"PR", "S"}, {"RS", "S"}, {"SC", "S"},
    };
    return regions.value(state);
}

QVector<Municipality> municipalities(const QSqlDatabase &db)
{
    QStringList regionCodes;
    QSqlQuery regions = execSql(db, QStringLiteral("SELECT CDREGIAO FROM REGIAO ORDER BY CDREGIAO"));
    while (regions.next())
        regionCodes.append(regions.value(0).toString());

    QVector<Municipality> list;
    QSqlQuery query = execSql(db, QStringLiteral(
        "SELECT CDPAIS, SGESTADO, CDMUNICIPIO FROM MUNICIPIO ORDER BY CDPAIS, SGESTADO, CDMUNICIPIO"));
    while (query.next()) {
        Municipality m{query.value(0).toString(), query.value(1).toString(), query.value(2).toString(), {}};
        m.region = regionOfState(m.state);
        if (!regionCodes.contains(m.region) && !regionCodes.isEmpty())
            m.region = regionCodes.at(list.size() % regionCodes.size());
        list.append(m);
    }
    if (list.isEmpty() || regionCodes.isEmpty())
        throw ServerError(QStringLiteral("Gerador de dados: o banco precisa de regiões e municípios cadastrados."));
    return list;
}

QString toBase36(int value, int width)
{
    return QString::number(value, 36).toUpper().rightJustified(width, QLatin1Char('0'));
}

void insertBranches(const QSqlDatabase &db, int total)
{
    const QVector<Municipality> places = municipalities(db);
    QList<QVariantList> columns(6);
    for (int i = 1; i <= total; ++i) {
        const Municipality &m = places.at((i - 1) % places.size());
        columns[0].append(DataGenerator::branchCode(i, total));
        columns[1].append(m.region);
        columns[2].append(QStringLiteral("Filial gerada %1").arg(i));
        columns[3].append(m.country);
        columns[4].append(m.state);
        columns[5].append(m.code);
    }
    QSqlQuery insert = prepareQuery(db, QStringLiteral(
        "INSERT INTO FILIAL (CDFILIAL, CDREGIAO, NMFILIAL, CDPAIS, SGESTADO, CDMUNICIPIO) VALUES (?, ?, ?, ?, ?, ?)"));
    execBatch(insert, columns);
}

void insertSuppliers(const QSqlDatabase &db, int total)
{
    QList<QVariantList> columns(5);
    for (int i = 1; i <= total; ++i) {
        const bool individual = i % 3 == 0;
        const QString number = individual ? cpfFromBase(QString::number(300000000 + i))
                                          : cnpjFromBase(QString::number(10000000 + i) + QStringLiteral("0001"));
        columns[0].append(DataGenerator::supplierCode(i));
        columns[1].append(individual ? QStringLiteral("F") : QStringLiteral("J"));
        columns[2].append(number);
        columns[3].append(QStringLiteral("Fornecedor gerado %1").arg(i));
        columns[4].append(individual ? QStringLiteral("Pessoa física gerada %1").arg(i)
                                     : QStringLiteral("Empresa gerada %1 Ltda.").arg(i));
    }
    QSqlQuery insert = prepareQuery(db, QStringLiteral(
        "INSERT INTO FORNECEDOR (CDFORNECED, IDTPIJURFORN, NRINSJURFORN, NMFANTFORN, NMRAZSOCFORN)"
        " VALUES (?, ?, ?, ?, ?)"));
    execBatch(insert, columns);
    execSql(db, QStringLiteral("INSERT INTO FORNREGIAO (CDFORNECED, CDREGIAO)"
                               " SELECT f.CDFORNECED, r.CDREGIAO FROM FORNECEDOR f CROSS JOIN REGIAO r"));
}

} // namespace

void DataGenerator::populate(const QSqlDatabase &db, int branches, int suppliers)
{
    if (branches < 1 || branches > maxBranches() || suppliers < 1 || suppliers > 9999999)
        throw ServerError(QStringLiteral("Gerador de dados: quantidades fora dos limites (filiais 1 a %1, "
                                         "fornecedores 1 a 9999999).").arg(maxBranches()));
    Transaction transaction(db, Transaction::Kind::Write);
    for (const char *table : {"LOGCADAUTOSUBST", "LOGCADAUTOFORN", "LOGCADAUTOFIL", "LOGCADAUTO", "FORNATENDE",
                              "FORNREGIAO", "FORNECEDOR", "FILIAL"})
        execSql(db, QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)));
    insertBranches(db, branches);
    insertSuppliers(db, suppliers);
    transaction.commit();
}

QString DataGenerator::branchCode(int index, int branchTotal)
{
    return branchTotal <= 9999 ? QString::number(index).rightJustified(4, QLatin1Char('0'))
                               : toBase36(index, 4);
}

QString DataGenerator::supplierCode(int index)
{
    return QStringLiteral("G%1").arg(index, 7, 10, QLatin1Char('0'));
}

int DataGenerator::maxBranches()
{
    return 36 * 36 * 36 * 36 - 1;
}

} // namespace appserver
