// The HTTP automation object against a scripted HTTP server: login and token, argument
// write-back, a token that expired, and every way the transport can fail, each of
// which must come back as a failure result with the arguments untouched.

#include "fakehttpserver.h"

#include "httpbody.h"
#include "serverresult.h"
#include "server/httpappserver.h"

#include <QTcpServer>
#include <QtTest>

using contracts::http::CallAnswer;
using Reply = FakeHttpServer::Reply;
using Request = FakeHttpServer::Request;

namespace {

Reply SessionReply(const QString &token)
{
    return Reply::With(200, contracts::http::encodeSession({token, 3600}));
}

Reply MessageReply(int status, const QString &message)
{
    return Reply::With(status, contracts::http::encodeMessage(message));
}

// A prompt that answers from a list and records why it was asked.
struct ScriptedPrompt {
    QList<HttpAppServer::Credentials> answers;
    QStringList problems;
    QStringList prefilled;

    HttpAppServer::CredentialsPrompt Function()
    {
        return [this](HttpAppServer::Credentials &credentials, const QString &problem) {
            problems << problem;
            prefilled << credentials.user;
            if (answers.isEmpty())
                return false;
            credentials = answers.takeFirst();
            return true;
        };
    }
};

QString MessageOf(const QVariant &result)
{
    return result.toMap().value(QStringLiteral("message")).toString();
}

} // namespace

class TestHttpAppServer : public QObject {
    Q_OBJECT
private slots:
    void callLogsInOnceAndWritesArgumentsBack();
    void expiredTokenLogsInAgainOnce();
    void wrongPasswordAsksAgainUntilTheUserGivesUp();
    void transportFailuresBecomeFailureResults_data();
    void transportFailuresBecomeFailureResults();
};

void TestHttpAppServer::callLogsInOnceAndWritesArgumentsBack()
{
    FakeHttpServer server;
    QVariantList received;
    server.SetScript([&](const Request &request) -> Reply {
        if (request.path == "/api/v1/login") {
            const auto login = contracts::http::decodeLogin(request.body);
            return login.password == "segredo" ? SessionReply("tok1") : MessageReply(401, "Usuário ou senha inválidos.");
        }
        if (request.headers.value("authorization") != "Bearer tok1")
            return MessageReply(401, "Sessão inválida.");
        QVariantList back = contracts::http::decodeCallRequest(request.body);
        if (request.path.endsWith("CadAutoAtende"))
            received = back;
        back[0] = QStringLiteral("_0001_");
        return Reply::With(200, contracts::http::encodeCallAnswer({contracts::okResult(qint64(42)), back}));
    });
    ScriptedPrompt prompt{{{"ana", "segredo"}}, {}, {}};
    HttpAppServer client(QUrl(server.BaseUrl()), prompt.Function());

    QVariantList args{QStringLiteral("T"), QVariant::fromValue(nullptr), QVariant(), 7.5};
    const QVariant first = client.Invoke(QStringLiteral("CadAutoAtende"), args);
    QVariantList again{QStringLiteral("x"), QString(), QString(), 0.0};
    client.Invoke(QStringLiteral("getFilial"), again);

    QCOMPARE(first.toMap().value("ok"), QVariant(true));
    QCOMPARE(first.toMap().value("value").toLongLong(), 42);
    QCOMPARE(args.at(0), QVariant(QStringLiteral("_0001_")));
    // Null and unassigned arguments travel as they are.
    QVERIFY(received.at(1).isNull() && received.at(1).typeId() == QMetaType::Nullptr);
    QVERIFY(!received.at(2).isValid());
    QCOMPARE(received.at(3), QVariant(7.5));
    // One login for both calls; the method name is the last path segment.
    QCOMPARE(prompt.problems, QStringList{QString()});
    const QList<Request> requests = server.Requests();
    QCOMPARE(requests.size(), 3);
    QCOMPARE(requests.at(1).path, QStringLiteral("/api/v1/call/CadAutoAtende"));
    QCOMPARE(requests.at(2).path, QStringLiteral("/api/v1/call/getFilial"));
    QCOMPARE(requests.at(1).headers.value("content-type"), QByteArray("application/cbor"));
    QCOMPARE(client.User(), QStringLiteral("ana"));
}

void TestHttpAppServer::expiredTokenLogsInAgainOnce()
{
    FakeHttpServer server;
    int logins = 0;
    bool expireEveryToken = false;
    server.SetScript([&](const Request &request) -> Reply {
        if (request.path == "/api/v1/login")
            return SessionReply(QStringLiteral("tok%1").arg(++logins));
        if (expireEveryToken || request.headers.value("authorization") == "Bearer tok1")
            return MessageReply(401, "Sessão expirada.");
        return Reply::With(200, contracts::http::encodeCallAnswer({contracts::okResult(true), {}}));
    });
    ScriptedPrompt prompt{{{"ana", "a"}, {"ana", "b"}, {"ana", "c"}, {"ana", "d"}}, {}, {}};
    HttpAppServer client(QUrl(server.BaseUrl()), prompt.Function());

    QVariantList none;
    const QVariant result = client.Invoke(QStringLiteral("getParamGeral"), none);
    QCOMPARE(result.toMap().value("ok"), QVariant(true));
    QCOMPARE(logins, 2);
    QCOMPARE(prompt.problems.size(), 2);
    QVERIFY(prompt.problems.at(1).contains(QStringLiteral("expirou")));
    QCOMPARE(prompt.prefilled.at(1), QStringLiteral("ana"));

    // A server that refuses even the new session: one more login, then a failure.
    expireEveryToken = true;
    const QVariant refused = client.Invoke(QStringLiteral("getParamGeral"), none);
    QCOMPARE(refused.toMap().value("ok"), QVariant(false));
    QCOMPARE(logins, 3);
}

void TestHttpAppServer::wrongPasswordAsksAgainUntilTheUserGivesUp()
{
    FakeHttpServer server;
    server.SetScript([](const Request &) { return MessageReply(401, "Usuário ou senha inválidos."); });
    ScriptedPrompt prompt{{{"ana", "errada"}}, {}, {}};
    HttpAppServer client(QUrl(server.BaseUrl()), prompt.Function());

    QVariantList args{QStringLiteral("T")};
    const QVariant result = client.Invoke(QStringLiteral("getFilial"), args);
    QCOMPARE(result.toMap().value("ok"), QVariant(false));
    QVERIFY(MessageOf(result).contains(QStringLiteral("cancelada")));
    QCOMPARE(prompt.problems, (QStringList{QString(), QStringLiteral("Usuário ou senha inválidos.")}));
    QCOMPARE(server.Requests().size(), 1);   // no call without a session
    QCOMPARE(args, QVariantList{QStringLiteral("T")});
}

void TestHttpAppServer::transportFailuresBecomeFailureResults_data()
{
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<bool>("serverDown");
    QTest::addColumn<QString>("message");
    const QByteArray notProtocol = contracts::http::encodeMessage("sem resultado");
    QTest::newRow("server down") << Reply() << true << QStringLiteral("a conexão foi recusada");
    QTest::newRow("slow") << Reply::Late(3000) << false << QStringLiteral("não respondeu em 1 segundos");
    QTest::newRow("no answer at all") << Reply::Silent() << false
                                      << QStringLiteral("não respondeu");
    QTest::newRow("connection closed") << Reply::HangUp() << false
                                       << QStringLiteral("Não foi possível falar com o servidor");
    QTest::newRow("garbage") << Reply::Raw("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nlixo")
                             << false << QStringLiteral("Resposta ilegível");
    QTest::newRow("answer without a result") << Reply::With(200, notProtocol) << false
                                             << QStringLiteral("Resposta ilegível");
    QTest::newRow("body too large") << MessageReply(413, "Pedido grande demais.") << false
                                    << QStringLiteral("Pedido grande demais.");
    QTest::newRow("unknown method") << MessageReply(404, "Método desconhecido: x.") << false
                                    << QStringLiteral("Método desconhecido: x.");
    QTest::newRow("server error without a message") << Reply::With(500) << false
                                                    << QStringLiteral("erro HTTP 500");
}

void TestHttpAppServer::transportFailuresBecomeFailureResults()
{
    QFETCH(Reply, reply);
    QFETCH(bool, serverDown);
    QFETCH(QString, message);
    FakeHttpServer server;
    server.SetScript([&](const Request &request) {
        return request.path == "/api/v1/login" ? SessionReply("tok") : reply;
    });
    QUrl url(server.BaseUrl());
    if (serverDown) {
        // A port nobody listens on any more.
        QTcpServer gone;
        QVERIFY(gone.listen(QHostAddress::LocalHost, 0));
        url.setPort(gone.serverPort());
    }
    ScriptedPrompt prompt{{{"ana", "segredo"}}, {}, {}};
    HttpAppServer client(url, prompt.Function());
    client.SetTimeout(1000);
    if (!serverDown)
        QCOMPARE(client.LogIn(), QString());

    QVariantList args{QStringLiteral("_01_"), QStringLiteral("T")};
    const QVariant result = client.Invoke(QStringLiteral("getFilial"), args);
    QCOMPARE(result.toMap().value("ok"), QVariant(false));
    QVERIFY2(MessageOf(result).contains(message), qPrintable(MessageOf(result)));
    QCOMPARE(args, (QVariantList{QStringLiteral("_01_"), QStringLiteral("T")}));
}

Q_DECLARE_METATYPE(FakeHttpServer::Reply)

QTEST_MAIN(TestHttpAppServer)
#include "tst_httpappserver.moc"
