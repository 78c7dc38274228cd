// The messages of a real pkg-appserver in the caller's language: English for a request
// whose Accept-Language prefers it, the built-in Portuguese for every other request,
// with Content-Language naming the one used. Covered on each side of the server: the
// refusal on the accepting thread, the protocol's own message, a selection read by the
// shared formats, and a method's refusal. Callers in two languages at once each get
// their own. A request without the header gets Portuguese.

#include "apiclient.h"
#include "appserverprocess.h"
#include "testdatabase.h"

#include <QCborMap>
#include <QCborValue>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

const QString kUser = QStringLiteral("ana");
const QString kPassword = QStringLiteral("senha-dos-idiomas-3318");

// What the server answers to four requests that fail in four different places.
struct Messages {
    QString noToken;        // refused on the accepting thread
    QString badBody;        // the protocol's check, on a worker
    QString badSelection;   // the shared selection reader
    QString unknownRun;     // a method's refusal
    QByteArray contentLanguage;
};

const Messages kPortuguese{
    QStringLiteral("Autenticação necessária: entre no servidor de aplicação e envie o token da sessão."),
    QStringLiteral("O corpo da chamada deve ser um mapa CBOR com a lista de argumentos em \"args\"."),
    QStringLiteral("Seleção de regiões inválida: use vazio, \"T\" ou códigos entre \"_\" (ex.: \"_SE_S_\")."),
    QStringLiteral("Execução 999 não encontrada: nenhum cadastramento automático tem esse número."),
    "pt-BR"};

const Messages kEnglish{
    QStringLiteral("Authentication required: log in to the application server and send the session token."),
    QStringLiteral("The call body must be a CBOR map with the list of arguments in \"args\"."),
    QStringLiteral("Invalid selection of regions: use empty, \"T\" or codes between \"_\" (e.g. \"_SE_S_\")."),
    QStringLiteral("Run 999 not found: no automatic registration has that number."),
    "en"};

// A GET written by hand, without Accept-Language (Qt's own clients always send one): the
// answer's headers in lower case and its body; empty when no whole answer came in time.
std::pair<QByteArray, QByteArray> getWithoutLanguage(const QUrl &server, const char *path)
{
    QTcpSocket socket;
    socket.connectToHost(server.host(), quint16(server.port()));
    if (!socket.waitForConnected(kWaitLimitMs))
        return {};
    socket.write(QByteArray("GET ") + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    QByteArray response;
    qsizetype headersEnd = -1;
    QCborParserError body{};
    do {
        if (!socket.waitForReadyRead(kWaitLimitMs))
            return {};
        response += socket.readAll();
        headersEnd = response.indexOf("\r\n\r\n");
        if (headersEnd > 0)
            QCborValue::fromCbor(response.mid(headersEnd + 4), &body);
    } while (headersEnd < 0 || body.error != QCborError::NoError);
    return {response.left(headersEnd).toLower(), response.mid(headersEnd + 4)};
}

} // namespace

class TestAppServerLanguage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void messagesFollowAcceptLanguage_data();
    void messagesFollowAcceptLanguage();
    void callersInTwoLanguagesAtOnce();
    void noHeaderMeansPortuguese();

private:
    Messages messagesFor(const QByteArray &acceptLanguage);

    QTemporaryDir m_dir;
    std::unique_ptr<TestDatabase> m_db;
    AppServerProcess m_server;
    QString m_token;
};

void TestAppServerLanguage::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QString error;
    m_db = TestDatabase::sqlite(m_dir.path(), QStringLiteral("idiomas"));
    QVERIFY2(m_db->addUser(kUser, kPassword, &error), qPrintable(error));
    QVERIFY2(m_server.start(m_db->serverOptions(), &error), qPrintable(error));
    m_token = ApiClient(m_server.baseUrl()).token(kUser, kPassword);
    QVERIFY(!m_token.isEmpty());
}

Messages TestAppServerLanguage::messagesFor(const QByteArray &acceptLanguage)
{
    ApiClient client(m_server.baseUrl());
    client.setAcceptLanguage(acceptLanguage);
    Messages seen;
    const ApiReply noToken = client.call(QStringLiteral("getParamGeral"), {}, QString());
    seen.noToken = noToken.message();
    seen.contentLanguage = noToken.contentLanguage;
    seen.badBody = client.post(QStringLiteral("/api/v1/call/getParamGeral"), QByteArrayLiteral("not cbor"), m_token)
                       .message();
    seen.badSelection = client.call(QStringLiteral("getFilial"), {QStringLiteral("_SE")}, m_token)
                            .result().value(QStringLiteral("message")).toString();
    const ApiReply undo = client.call(QStringLiteral("DesfazCadAuto"), {999.0}, m_token);
    seen.unknownRun = undo.result().value(QStringLiteral("message")).toString();
    if (undo.contentLanguage != seen.contentLanguage)
        seen.contentLanguage += " / " + undo.contentLanguage;
    return seen;
}

void TestAppServerLanguage::messagesFollowAcceptLanguage_data()
{
    QTest::addColumn<QByteArray>("acceptLanguage");
    QTest::addColumn<bool>("english");
    QTest::newRow("Portuguese") << QByteArray("pt-BR") << false;
    QTest::newRow("en") << QByteArray("en") << true;
    QTest::newRow("a browser's en-US") << QByteArray("en-US,en;q=0.9") << true;
    QTest::newRow("upper case, underscore") << QByteArray("EN_gb") << true;
    QTest::newRow("pt-BR first") << QByteArray("pt-BR, en;q=0.5") << false;
    QTest::newRow("en weighted above pt") << QByteArray("pt;q=0.4, en;q=0.8") << true;
    QTest::newRow("unknown, then en") << QByteArray("de-DE, en;q=0.5") << true;
    QTest::newRow("unknown only") << QByteArray("de") << false;
    QTest::newRow("en refused with q=0") << QByteArray("en;q=0, de") << false;
    QTest::newRow("any") << QByteArray("*") << false;
    QTest::newRow("unreadable weight") << QByteArray("en;q=abc") << false;
}

void TestAppServerLanguage::messagesFollowAcceptLanguage()
{
    QFETCH(QByteArray, acceptLanguage);
    QFETCH(bool, english);
    const Messages expected = english ? kEnglish : kPortuguese;
    const Messages seen = messagesFor(acceptLanguage);
    QCOMPARE(seen.noToken, expected.noToken);
    QCOMPARE(seen.badBody, expected.badBody);
    QCOMPARE(seen.badSelection, expected.badSelection);
    QCOMPARE(seen.unknownRun, expected.unknownRun);
    QCOMPARE(seen.contentLanguage, expected.contentLanguage);
}

// Requests in English and in Portuguese in flight together, on the server's worker
// threads at the same time: each answer is in its own caller's language.
void TestAppServerLanguage::callersInTwoLanguagesAtOnce()
{
    const int kEach = 12;
    ApiClient english(m_server.baseUrl());
    english.setAcceptLanguage("en");
    ApiClient portuguese(m_server.baseUrl());
    portuguese.setAcceptLanguage("pt-BR");
    QList<std::pair<QNetworkReply *, QString>> pending;
    for (int i = 0; i < kEach; ++i) {
        pending.append({english.startCall(QStringLiteral("DesfazCadAuto"), {999.0}, m_token), kEnglish.unknownRun});
        pending.append(
            {portuguese.startCall(QStringLiteral("DesfazCadAuto"), {999.0}, m_token), kPortuguese.unknownRun});
    }
    for (const auto &[reply, expected] : pending)
        QCOMPARE(ApiClient::finish(reply).result().value(QStringLiteral("message")).toString(), expected);
}

void TestAppServerLanguage::noHeaderMeansPortuguese()
{
    const auto [headers, body] = getWithoutLanguage(m_server.baseUrl(), "/api/v1/nada");
    QVERIFY2(headers.startsWith("http/1.1 404"), headers.constData());
    QVERIFY2(headers.contains("\r\ncontent-language: pt-br"), headers.constData());
    QCOMPARE(QCborValue::fromCbor(body).toMap().value(QStringLiteral("message")).toString(),
             QStringLiteral("Recurso não encontrado no servidor de aplicação."));
}

QTEST_GUILESS_MAIN(TestAppServerLanguage)
#include "tst_appserver_language.moc"
