// The table "Entradas inválidas" of docs/server.md, read at run time and sent row by row
// to a real pkg-appserver on the sample data: every bad input gets the documented status
// and message, and changes nothing. A change on either side fails here until the table
// and the server agree again.

#include "apiclient.h"
#include "appserverprocess.h"
#include "registrationdigest.h"
#include "testdatabase.h"

#include <QCborValue>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

const QString kPassword = QStringLiteral("senha-das-entradas-7402");

// One row of the table, its cells as written (without the code quotes).
struct DocumentedInput {
    QString name;
    QString request;   // "POST /api/v1/call/getFilial"
    QString session;   // "válida", "nenhuma", "desconhecida", "expirada"
    QString body;      // see bodyOf
    int status = 0;
    QString message;
};

QStringList cellsOf(const QString &line)
{
    QStringList cells = line.trimmed().mid(1).chopped(1).split(QLatin1Char('|'));
    for (QString &cell : cells) {
        cell = cell.trimmed();
        if (cell.size() >= 2 && cell.startsWith(QLatin1Char('`')) && cell.endsWith(QLatin1Char('`')))
            cell = cell.mid(1).chopped(1);
    }
    return cells;
}

// The rows of the first table after the heading; the reason in error when it is not
// there or a row does not have the six columns.
QList<DocumentedInput> readTable(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("não foi possível ler %1").arg(path);
        return {};
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    qsizetype line = lines.indexOf(QStringLiteral("### Entradas inválidas"));
    while (line >= 0 && line < lines.size() && !lines.at(line).startsWith(QLatin1Char('|')))
        ++line;
    QList<DocumentedInput> rows;
    for (line += 2; line > 1 && line < lines.size() && lines.at(line).startsWith(QLatin1Char('|')); ++line) {
        const QStringList cells = cellsOf(lines.at(line));
        if (cells.size() != 6) {
            *error = QStringLiteral("linha %1 sem as seis colunas: %2").arg(line + 1).arg(lines.at(line));
            return {};
        }
        rows.append({cells.at(0), cells.at(1), cells.at(2), cells.at(3), cells.at(4).toInt(), cells.at(5)});
    }
    if (rows.isEmpty())
        *error = QStringLiteral("a tabela \"Entradas inválidas\" não está em %1").arg(path);
    return rows;
}

// "_1_2_…_N_": N distinct codes.
QString codeList(int count)
{
    QString text = QStringLiteral("_");
    for (int code = 1; code <= count; ++code)
        text += QString::number(code) + QLatin1Char('_');
    return text;
}

// The bytes a body cell stands for: "vazio", "hex …", "N MiB", or JSON as CBOR with
// "<N códigos>" expanded.
QByteArray bodyOf(QString cell)
{
    if (cell == QLatin1String("vazio"))
        return QByteArray();
    if (cell.startsWith(QLatin1String("hex ")))
        return QByteArray::fromHex(cell.mid(4).remove(QLatin1Char(' ')).toLatin1());
    static const QRegularExpression mebibytes(QStringLiteral("^(\\d+) MiB$"));
    const QRegularExpressionMatch size = mebibytes.match(cell);
    if (size.hasMatch())
        return QByteArray(size.captured(1).toInt() * 1024 * 1024, '\0');
    static const QRegularExpression codes(QStringLiteral("<(\\d+) códigos>"));
    for (QRegularExpressionMatch match = codes.match(cell); match.hasMatch(); match = codes.match(cell))
        cell.replace(match.capturedStart(), match.capturedLength(), codeList(match.captured(1).toInt()));
    QJsonParseError parse{};
    const QJsonDocument json = QJsonDocument::fromJson(cell.toUtf8(), &parse);
    if (parse.error != QJsonParseError::NoError)
        qWarning("corpo ilegível na tabela: %s", qPrintable(cell.left(200)));
    return QCborValue::fromJsonValue(json.isArray() ? QJsonValue(json.array()) : QJsonValue(json.object())).toCbor();
}

} // namespace

Q_DECLARE_METATYPE(DocumentedInput)

class TestAppServerBadInput : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<TestDatabase> m_db;
    AppServerProcess m_server;
    std::unique_ptr<ApiClient> m_client;
    QString m_token;

    QString tokenFor(const QString &session)
    {
        if (session == QStringLiteral("válida"))
            return m_token;
        if (session == QStringLiteral("desconhecida"))
            return QStringLiteral("AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA");
        if (session == QStringLiteral("expirada")) {
            const QString token = m_client->token(QStringLiteral("bia"), kPassword);
            if (!m_db->exec(QStringLiteral("UPDATE SESSAO SET NREXPIRACAO = 0 WHERE NMUSUARIO = 'bia'")))
                qWarning("a sessão de bia não expirou");
            return token;
        }
        if (session != QStringLiteral("nenhuma"))
            qWarning("sessão desconhecida na tabela: %s", qPrintable(session));
        return QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_db = TestDatabase::sqlite(m_dir.path(), QStringLiteral("entradas"));
        QString error;
        QVERIFY2(m_db->addUser(QStringLiteral("ana"), kPassword, &error), qPrintable(error));
        QVERIFY2(m_db->addUser(QStringLiteral("bia"), kPassword, &error), qPrintable(error));
        QVERIFY2(m_server.start(m_db->serverOptions(), &error), qPrintable(error));
        m_client = std::make_unique<ApiClient>(m_server.baseUrl());
        m_token = m_client->token(QStringLiteral("ana"), kPassword);
        QVERIFY(!m_token.isEmpty());
    }

    void documentedAnswer_data()
    {
        QTest::addColumn<DocumentedInput>("input");
        QString error;
        const QList<DocumentedInput> rows = readTable(QStringLiteral(SERVER_DOC_PATH), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        for (const DocumentedInput &row : rows)
            QTest::newRow(qPrintable(row.name)) << row;
    }

    void documentedAnswer()
    {
        QFETCH(DocumentedInput, input);
        const QByteArray verb = input.request.section(QLatin1Char(' '), 0, 0).toLatin1();
        const QString path = input.request.section(QLatin1Char(' '), 1);
        const QString token = tokenFor(input.session);
        const QByteArray before = registrationDigest(m_db->connection());

        const ApiReply reply = m_client->send(verb, path, bodyOf(input.body), token);

        QVERIFY2(reply.status != 0, qPrintable(reply.networkError));
        QCOMPARE(reply.status, input.status);
        const bool failureResult = reply.status == 200;
        if (failureResult)
            QCOMPARE(reply.result().value(QStringLiteral("ok")).toBool(), false);
        const QString message = failureResult ? reply.result().value(QStringLiteral("message")).toString()
                                              : reply.message();
        QCOMPARE(message, input.message);
        QCOMPARE(registrationDigest(m_db->connection()), before);
    }
};

QTEST_GUILESS_MAIN(TestAppServerBadInput)
#include "tst_appserver_badinput.moc"
