#include "fakeappserver.h"

#include "datapacket.h"
#include "serverresult.h"

#include "screens/showavi.h"
#include "server/appserverclient.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

// ---- FakeAppServer ------------------------------------------------------------------

FakeAppServer::FakeAppServer(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("fakeAppServer"));
    // The general parameters every activation asks for: lead time not in use.
    Answer(QStringLiteral("getParamGeral"), contracts::okResult(QVariantList{QStringLiteral("1")}));
}

QVariant FakeAppServer::Invoke(const QString &method, QVariantList &args)
{
    m_calls.append(Call{method, args, Showavi::ShowAviActive(), Showavi::ShowAviKind(), Showavi::ShowAviText()});
    QVariant answer;
    QQueue<QVariant> &once = m_onceAnswers[method];
    if (!once.isEmpty())
        answer = once.dequeue();
    else if (m_answers.contains(method))
        answer = m_answers.value(method);
    else
        answer = contracts::failResult(QStringLiteral("Método desconhecido: %1.").arg(method));
    if (OnCall)
        OnCall(method, args);
    return answer;
}

void FakeAppServer::Answer(const QString &method, const QVariant &envelope)
{
    m_answers.insert(method, envelope);
}

void FakeAppServer::AnswerOnce(const QString &method, const QVariant &envelope)
{
    m_onceAnswers[method].enqueue(envelope);
}

QList<FakeAppServer::Call> FakeAppServer::CallsOf(const QString &method) const
{
    QList<Call> result;
    for (const Call &call : m_calls) {
        if (call.method == method)
            result.append(call);
    }
    return result;
}

QByteArray FakeAppServer::TextPacket(const QStringList &fields, const QList<QStringList> &rows)
{
    contracts::DataPacket packet;
    for (const QString &name : fields)
        packet.fields.append(contracts::PacketField{name, contracts::PacketFieldType::String, 60});
    for (const QStringList &row : rows) {
        QVector<QVariant> cells;
        for (const QString &cell : row)
            cells.append(cell);
        packet.rows.append(cells);
    }
    return contracts::encodePacket(packet);
}

QByteArray FakeAppServer::BranchPacket(const QList<QStringList> &rows)
{
    const QStringList fields{QStringLiteral("IDCHECK"), QStringLiteral("CDFILIAL"), QStringLiteral("NMFILIAL"),
                             QStringLiteral("CDPAIS"), QStringLiteral("NMPAIS"), QStringLiteral("SGESTADO"),
                             QStringLiteral("NMESTADO"), QStringLiteral("CDMUNICIPIO"), QStringLiteral("NMMUNICIPIO")};
    QList<QStringList> full;
    for (const QStringList &row : rows) {
        full.append({QString(), row.value(0), row.value(1), QStringLiteral("1058"), QStringLiteral("Brasil"),
                     QStringLiteral("SP"), QStringLiteral("São Paulo"), QStringLiteral("3550"),
                     QStringLiteral("São Paulo")});
    }
    return TextPacket(fields, full);
}

QByteArray FakeAppServer::BlockingRowsPacket(const QList<QStringList> &rows)
{
    return TextPacket({QStringLiteral("FILIAL"), QStringLiteral("REGIAO"), QStringLiteral("FORNECEDOR"),
                       QStringLiteral("NMFANTFORN"), QStringLiteral("IDTPIJURFORN")},
                      rows);
}

QByteArray FakeAppServer::PeriodicityRowsPacket(int rows)
{
    QList<QStringList> cells;
    for (int i = 0; i < rows; ++i)
        cells.append({QStringLiteral("%1").arg(i + 1, 4, 10, QLatin1Char('0')), QStringLiteral("01")});
    return TextPacket({QStringLiteral("CDFILIAL"), QStringLiteral("CDPERIENTR")}, cells);
}

QVariant FakeAppServer::ValidationResult(const QByteArray &blocking, const QByteArray &otherPeriodicity)
{
    return contracts::okResult(QVariantList{blocking, otherPeriodicity});
}

// ---- FakeHostForm -------------------------------------------------------------------

FakeHostForm::FakeHostForm(QWidget *parent)
    : QMainWindow(parent)
    , m_server(new FakeAppServer(this))
    , m_connection(new TServerConnection(this, m_server))
{
    setObjectName(QStringLiteral("frmHost"));
    m_connection->setObjectName(QString::fromLatin1(TServerConnection::DefaultName));
    resize(640, 480);
}

// ---- TestDatabase -------------------------------------------------------------------

namespace {

const char *const ConnectionName = "adcGeral";

const char *const Schema[] = {
    "CREATE TABLE FORNECEDOR (CDFORNECED VARCHAR(21) PRIMARY KEY, IDTPIJURFORN CHAR(1),"
    " NRINSJURFORN VARCHAR(20), NMFANTFORN VARCHAR(40), NMRAZSOCFORN VARCHAR(40))",
    "CREATE TABLE REGIAO (CDREGIAO VARCHAR(3) PRIMARY KEY, NMREGIAO VARCHAR(30))",
    "CREATE TABLE FILIAL (CDFILIAL VARCHAR(4) PRIMARY KEY, NMFILIAL VARCHAR(30), CDREGIAO VARCHAR(3))",
    "CREATE TABLE PERIENTR (CDPERIENTR VARCHAR(2) PRIMARY KEY, NMPERIENTR VARCHAR(20))",
    "INSERT INTO FORNECEDOR VALUES ('F1', 'J', '12345678000195', 'Alfa', 'Alfa Distribuidora Ltda')",
    "INSERT INTO FORNECEDOR VALUES ('F2', 'F', '12345678909', 'Beta', 'Bernardo Beta')",
    "INSERT INTO FORNECEDOR VALUES ('F3', 'J', '11222333000181', 'Gama', 'Gama Atacado S.A.')",
    "INSERT INTO REGIAO VALUES ('001', 'Sul')",
    "INSERT INTO REGIAO VALUES ('002', 'Sudeste')",
    "INSERT INTO FILIAL VALUES ('0001', 'Porto Alegre', '001')",
    "INSERT INTO FILIAL VALUES ('0002', 'Campinas', '002')",
    "INSERT INTO PERIENTR VALUES ('01', 'Semanal')",
    "INSERT INTO PERIENTR VALUES ('02', 'Quinzenal')",
    "INSERT INTO PERIENTR VALUES ('0A', 'Avulsa')",
    "INSERT INTO PERIENTR VALUES ('1A', 'Anual')",
};

} // namespace

TestDatabase::TestDatabase()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QLatin1String(ConnectionName));
    db.setDatabaseName(m_dir.filePath(QStringLiteral("host.db")));
    if (!db.open()) {
        qWarning("TestDatabase: %s", qPrintable(db.lastError().text()));
        return;
    }
    for (const char *statement : Schema)
        exec(QLatin1String(statement));
}

TestDatabase::~TestDatabase()
{
    close();
    QSqlDatabase::removeDatabase(QLatin1String(ConnectionName));
}

bool TestDatabase::isOpen() const
{
    return QSqlDatabase::database(QLatin1String(ConnectionName), false).isOpen();
}

QString TestDatabase::path() const
{
    return m_dir.filePath(QStringLiteral("host.db"));
}

bool TestDatabase::exec(const QString &sql) const
{
    QSqlQuery query(QSqlDatabase::database(QLatin1String(ConnectionName)));
    if (query.exec(sql))
        return true;
    qWarning("TestDatabase: %s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    return false;
}

void TestDatabase::close()
{
    {
        QSqlDatabase db = QSqlDatabase::database(QLatin1String(ConnectionName), false);
        if (db.isValid())
            db.close();
    }
}
