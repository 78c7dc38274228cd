// pkg-appserver as a separate process over real sockets, on SQLite and on PostgreSQL:
// every answer of the HTTP protocol, login, sessions, the author of a registration, the
// database time limit, an unreachable database, and a request log free of secrets.

#include "apiclient.h"
#include "localappserver.h"
#include "serverdatabase.h"
#include "appserverprocess.h"
#include "registrationdigest.h"
#include "testengines.h"

#include <QCborArray>
#include <QCborMap>
#include <QDir>
#include <QProcessEnvironment>
#include <QFile>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTest>
#include <map>
#include <memory>

namespace {

const QString kPasswordAna = QStringLiteral("senha-da-ana-7402");
const QString kPasswordBia = QStringLiteral("senha-da-bia-7402");
const QString kPasswordCris = QStringLiteral("senha-do-cris-7402");

// A clean registration on the sample data: suppliers 1001 and 1002 at every branch of the
// South, periodicity 07, lead time 5: 16 pairs.
const QVariantList kRegistration{QStringLiteral("_1001_1002_"), QString(), QString(), QStringLiteral("T"),
                                 QStringLiteral("07"), QStringLiteral("_S_"), 5.0};
// Refused by a rule: supplier 1003 does not serve the North.
const QVariantList kBlockedRegistration{QStringLiteral("_1003_"), QString(), QString(), QStringLiteral("T"),
                                        QStringLiteral("07"), QStringLiteral("_N_"), 5.0};

QByteArray cborMap(std::initializer_list<std::pair<QString, QCborValue>> entries)
{
    QCborMap map;
    for (const auto &entry : entries)
        map.insert(entry.first, entry.second);
    return map.toCborValue().toCbor();
}

QByteArray loginBody(const QString &user, const QString &password)
{
    return cborMap({{QStringLiteral("user"), user}, {QStringLiteral("password"), password}});
}

} // namespace

class TestAppServerHttp : public QObject {
    Q_OBJECT

    struct Engine {
        std::unique_ptr<TestDatabase> db;
        AppServerProcess server;
        std::unique_ptr<ApiClient> client;
    };

    TestEngines m_engines{QStringLiteral("servidor")};
    std::map<QString, std::unique_ptr<Engine>> m_servers;
    QStringList m_tokensSeen;

    void startEngine(std::unique_ptr<TestDatabase> db)
    {
        QVERIFY(db);
        auto engine = std::make_unique<Engine>();
        engine->db = std::move(db);
        QString error;
        // A short database time limit and a 1 MiB body limit, so that both can be reached.
        QVERIFY2(engine->server.start(engine->db->serverOptions() +
                                          QStringList{QStringLiteral("--db-timeout"), QStringLiteral("2"),
                                                      QStringLiteral("--max-body-mib"), QStringLiteral("1")},
                                      &error),
                 qPrintable(error));
        engine->client = std::make_unique<ApiClient>(engine->server.baseUrl());
        m_servers[engine->db->engine()] = std::move(engine);
    }

    Engine *engine(const QString &name)
    {
        if (m_engines.missing(name))
            return nullptr;
        return m_servers.at(name).get();
    }

    QString tokenOf(Engine *engine, const QString &user, const QString &password)
    {
        const QString token = engine->client->token(user, password);
        m_tokensSeen.append(token);
        return token;
    }

private slots:
    void initTestCase()
    {
        m_engines.start();
        if (QTest::currentTestFailed())
            return;
        const QList<TestUser> users{{QStringLiteral("ana"), kPasswordAna},
                                    {QStringLiteral("bia"), kPasswordBia},
                                    {QStringLiteral("cris"), kPasswordCris}};
        startEngine(m_engines.newDatabase(QStringLiteral("sqlite"), QStringLiteral("servidor"), users));
        if (QTest::currentTestFailed() || m_engines.missing(QStringLiteral("postgresql")))
            return;
        startEngine(m_engines.newDatabase(QStringLiteral("postgresql"), QStringLiteral("appserver"), users));
    }

    void addUserStoresOnlyAnArgon2Hash_data() { TestEngines::addEngineRows(); }
    void addUserStoresOnlyAnArgon2Hash()
    {
        QFETCH(QString, engine);
        Engine *e = this->engine(engine);
        if (!e)
            QSKIP(qPrintable(m_engines.postgresMissing()));
        const QStringList hashes = e->db->column(QStringLiteral("SELECT DSHASHSENHA FROM USUARIO ORDER BY NMUSUARIO"));
        QCOMPARE(hashes.size(), 3);
        for (const QString &hash : hashes) {
            QVERIFY2(hash.startsWith(QLatin1String("$argon2id$")), qPrintable(hash));
            QVERIFY(!hash.contains(QLatin1String("senha")));
        }
        QVERIFY(hashes.at(0) != hashes.at(1));   // a salt of its own for each password
        QCOMPARE(e->db->count(QStringLiteral("SELECT COUNT(*) FROM FILIAL")), 40);   // --sample-data
    }

    void answers_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("verb");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("session");   // "none", "valid", "unknown", "expired"
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("text");      // in the message, or in the result's message
        QTest::addColumn<bool>("writes");       // a registration run is recorded

        const QByteArray registration = ApiClient::callBody(kRegistration);
        QCborMap oversized = QCborValue::fromCbor(registration).toMap();
        oversized.insert(QStringLiteral("enchimento"), QString(1024 * 1024, QLatin1Char('x')));
        const QString call = QStringLiteral("/api/v1/call/");
        const QString wrongLogin = QStringLiteral("Usuário ou senha inválidos.");
        for (const QString &engine : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            auto row = [&](const char *name) { return &QTest::addRow("%s: %s", qPrintable(engine), name); };
            *row("health") << engine << "GET" << "/api/v1/health" << "none" << QByteArray() << 200 << "" << false;
            *row("login") << engine << "POST" << "/api/v1/login" << "none" << loginBody("ana", kPasswordAna) << 200
                          << "" << false;
            *row("login, wrong password") << engine << "POST" << "/api/v1/login" << "none"
                                          << loginBody("ana", kPasswordBia) << 401 << wrongLogin << false;
            *row("login, unknown user") << engine << "POST" << "/api/v1/login" << "none"
                                        << loginBody("zeca", kPasswordAna) << 401 << wrongLogin << false;
            *row("login, body without password") << engine << "POST" << "/api/v1/login" << "none"
                                                 << cborMap({{QStringLiteral("user"), QStringLiteral("ana")}}) << 400 << "password" << false;
            *row("call") << engine << "POST" << call + "getParamGeral" << "valid" << ApiClient::callBody({}) << 200
                         << "" << false;
            *row("registration") << engine << "POST" << call + "CadAutoAtende" << "valid" << registration << 200
                                 << "" << true;
            *row("registration refused by a rule")
                << engine << "POST" << call + "CadAutoAtende" << "valid" << ApiClient::callBody(kBlockedRegistration)
                << 200 << "Operação bloqueada" << false;
            *row("bad argument") << engine << "POST" << call + "getFilial" << "valid"
                                 << ApiClient::callBody({QStringLiteral("_ZZ_")}) << 200
                                 << "Região não cadastrada: \"ZZ\"." << false;
            *row("no token") << engine << "POST" << call + "CadAutoAtende" << "none" << registration << 401
                             << "Autenticação necessária" << false;
            *row("unknown token") << engine << "POST" << call + "CadAutoAtende" << "unknown" << registration << 401
                                  << "Sessão inválida ou expirada" << false;
            *row("expired token") << engine << "POST" << call + "CadAutoAtende" << "expired" << registration << 401
                                  << "Sessão inválida ou expirada" << false;
            *row("unknown method") << engine << "POST" << call + "CadAutoAtendeTudo" << "valid" << registration
                                   << 404 << "Método desconhecido" << false;
            *row("body is an array") << engine << "POST" << call + "CadAutoAtende" << "valid"
                                     << QCborValue(QCborArray{1, 2}).toCbor() << 400 << "args" << false;
            *row("args is not an array") << engine << "POST" << call + "CadAutoAtende" << "valid"
                                         << cborMap({{QStringLiteral("args"), QStringLiteral("_1001_")}}) << 400 << "args" << false;
            *row("body is not CBOR") << engine << "POST" << call + "CadAutoAtende" << "valid"
                                     << QByteArray("\xff\x00{args}", 8) << 400 << "args" << false;
            *row("map with bytes after it") << engine << "POST" << call + "CadAutoAtende" << "valid"
                                            << registration + QByteArray("\x01", 1) << 400 << "args" << false;
            *row("body over the limit") << engine << "POST" << call + "CadAutoAtende" << "valid"
                                        << oversized.toCborValue().toCbor() << 413 << "limite" << false;
            *row("unknown resource") << engine << "GET" << "/api/v1/tabelas" << "valid" << QByteArray() << 404
                                     << "não encontrado" << false;
        }
    }

    void answers()
    {
        QFETCH(QString, engine);
        QFETCH(QString, verb);
        QFETCH(QString, path);
        QFETCH(QString, session);
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(QString, text);
        QFETCH(bool, writes);
        Engine *e = this->engine(engine);
        if (!e)
            QSKIP(qPrintable(m_engines.postgresMissing()));

        QString token;
        if (session == QLatin1String("valid")) {
            token = tokenOf(e, QStringLiteral("ana"), kPasswordAna);
        } else if (session == QLatin1String("unknown")) {
            token = QStringLiteral("AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA");
        } else if (session == QLatin1String("expired")) {
            token = tokenOf(e, QStringLiteral("cris"), kPasswordCris);
            QVERIFY(e->db->exec(QStringLiteral("UPDATE SESSAO SET NREXPIRACAO = 0 WHERE NMUSUARIO = 'cris'")));
        }
        const QString runs = QStringLiteral("SELECT COUNT(*) FROM LOGCADAUTO");
        const QString pairs = QStringLiteral("SELECT COUNT(*) FROM FORNATENDE");
        const qint64 runsBefore = e->db->count(runs);
        const qint64 pairsBefore = e->db->count(pairs);

        const ApiReply reply = verb == QLatin1String("GET") ? e->client->get(path) : e->client->post(path, body, token);

        QVERIFY2(reply.networkError.isEmpty() || reply.status != 0, qPrintable(reply.networkError));
        QCOMPARE(reply.status, status);
        QCOMPARE(reply.contentType, QByteArray("application/cbor"));
        if (status != 200) {
            QCOMPARE(reply.body.keys(), (QList<QCborValue>{QStringLiteral("message")}));
            QVERIFY2(reply.message().contains(text), qPrintable(reply.message()));
        } else if (path.contains(QLatin1String("/call/"))) {
            QCOMPARE(reply.result().value(QStringLiteral("ok")).toBool(), text.isEmpty());
            QVERIFY2(reply.result().value(QStringLiteral("message")).toString().contains(text),
                     qPrintable(reply.result().value(QStringLiteral("message")).toString()));
            QCOMPARE(reply.body.value(QStringLiteral("args")).toArray(), QCborValue::fromCbor(body).toMap()
                                                                             .value(QStringLiteral("args")).toArray());
        }
        if (path.endsWith(QLatin1String("/login")) && status == 200) {
            m_tokensSeen.append(reply.body.value(QStringLiteral("token")).toString());
            QCOMPARE(m_tokensSeen.last().size(), 43);   // 256 bits in base64url
            QCOMPARE(reply.body.value(QStringLiteral("expires")).toInteger(), 8 * 3600);
        }
        QCOMPARE(e->db->count(runs), runsBefore + (writes ? 1 : 0));
        if (!writes)
            QCOMPARE(e->db->count(pairs), pairsBefore);
    }

    void bodyFarOverTheLimitIsCutOffWhileItArrives()
    {
        // Announces 100 MiB against a 1 MiB limit and sends 4 MiB of it: the server closes
        // the connection with a 413 instead of waiting to hold the whole body in memory.
        Engine *e = engine(QStringLiteral("sqlite"));
        QTcpSocket socket;
        socket.connectToHost(e->server.baseUrl().host(), quint16(e->server.baseUrl().port()));
        QVERIFY(socket.waitForConnected(60000));
        socket.write("POST /api/v1/call/CadAutoAtende HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                     "Content-Type: application/cbor\r\nContent-Length: 104857600\r\n\r\n");
        socket.write(QByteArray(4 * 1024 * 1024, '\0'));
        QVERIFY(socket.state() == QAbstractSocket::UnconnectedState || socket.waitForDisconnected(60000));
        const QByteArray answer = socket.readAll();
        QVERIFY2(answer.startsWith("HTTP/1.1 413"), answer.left(200).constData());
        QCOMPARE(QCborValue::fromCbor(answer.mid(answer.indexOf("\r\n\r\n") + 4)).toMap()
                     .value(QStringLiteral("message")).toString().contains(QStringLiteral("limite")), true);
        QCOMPARE(e->client->get(QStringLiteral("/api/v1/health")).status, 200);   // and it still serves
    }

    void loginRefusalIsTheSameForUserAndPassword_data() { TestEngines::addEngineRows(); }
    void loginRefusalIsTheSameForUserAndPassword()
    {
        QFETCH(QString, engine);
        Engine *e = this->engine(engine);
        if (!e)
            QSKIP(qPrintable(m_engines.postgresMissing()));
        const ApiReply wrongPassword = e->client->login(QStringLiteral("bia"), kPasswordAna);
        const ApiReply unknownUser = e->client->login(QStringLiteral("bianca"), kPasswordBia);
        QCOMPARE(wrongPassword.status, 401);
        QCOMPARE(unknownUser.status, wrongPassword.status);
        QCOMPARE(unknownUser.body, wrongPassword.body);
    }

    void healthNamesTheDatabaseAndSchema_data() { TestEngines::addEngineRows(); }
    void healthNamesTheDatabaseAndSchema()
    {
        QFETCH(QString, engine);
        Engine *e = this->engine(engine);
        if (!e)
            QSKIP(qPrintable(m_engines.postgresMissing()));
        const ApiReply reply = e->client->get(QStringLiteral("/api/v1/health"));
        QCOMPARE(reply.status, 200);
        QCOMPARE(reply.body.value(QStringLiteral("status")).toString(), QStringLiteral("ok"));
        QCOMPARE(reply.body.value(QStringLiteral("database")).toString(), engine);
        QCOMPARE(reply.body.value(QStringLiteral("schema")).toInteger(),
                 e->db->count(QStringLiteral("SELECT MAX(NRVERSAO) FROM SCHEMAVERSAO")));
    }

    void authorIsTheLoggedInUser_data() { TestEngines::addEngineRows(); }
    void authorIsTheLoggedInUser()
    {
        QFETCH(QString, engine);
        Engine *e = this->engine(engine);
        if (!e)
            QSKIP(qPrintable(m_engines.postgresMissing()));
        const QString token = tokenOf(e, QStringLiteral("bia"), kPasswordBia);
        // Supplier 1001 at every branch of the North-East: 8 pairs no other test writes.
        const QVariantList northEast{QStringLiteral("_1001_"), QString(), QString(), QStringLiteral("T"),
                                     QStringLiteral("30"), QStringLiteral("_NE_"), 12.0};
        const ApiReply reply = e->client->call(QStringLiteral("CadAutoAtende"), northEast, token);
        QCOMPARE(reply.status, 200);
        QCOMPARE(reply.result().value(QStringLiteral("value")).toInteger(), 8);
        QCOMPARE(e->db->column(QStringLiteral("SELECT DISTINCT a.NMUSUULTALTER FROM FORNATENDE a"
                                              " JOIN FILIAL f ON f.CDFILIAL = a.CDFILIAL"
                                              " WHERE a.CDFORNECED = '1001' AND f.CDREGIAO = 'NE'")),
                 QStringList{"bia"});
        QCOMPARE(e->db->column(QStringLiteral("SELECT NMUSUARIO FROM LOGCADAUTO WHERE NRLOGCADAUTO ="
                                              " (SELECT MAX(NRLOGCADAUTO) FROM LOGCADAUTO)")),
                 QStringList{"bia"});
        QVERIFY2(e->server.log().contains(QLatin1String(" bia POST /api/v1/call/CadAutoAtende 200 ")),
                 qPrintable(e->server.log()));
    }

    void sameAnswersAsInProcess_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("method");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<bool>("ok");
        const QString all = QStringLiteral("T");
        for (const QString &engine : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            auto row = [&](const char *name) { return &QTest::addRow("%s: %s", qPrintable(engine), name); };
            *row("parameters") << engine << "getParamGeral" << QVariantList() << true;
            *row("branches of every region") << engine << "getFilial" << QVariantList{all} << true;
            *row("branches of the South") << engine << "getFilial" << QVariantList{QStringLiteral("_S_")} << true;
            *row("blocked, mixed") << engine << "GetValidReForFil"
                                   << QVariantList{QStringLiteral("_1002_1004_1030_"), QString(), QString(), all,
                                                   QStringLiteral("_S_")} << true;
            *row("pairs already registered") << engine << "GetValidReForFil"
                                             << QVariantList{QStringLiteral("_1002_"), QString(),
                                                             QStringLiteral("_0001_0002_"), QString(),
                                                             QStringLiteral("_SE_")} << true;
            *row("unknown region") << engine << "getFilial" << QVariantList{QStringLiteral("_ZZ_")} << false;
            *row("wrong argument count") << engine << "GetValidReForFil" << QVariantList{all, all} << false;
            *row("lead time out of range") << engine << "CadAutoAtende"
                                           << QVariantList{QStringLiteral("_1001_"), QString(), QString(), all,
                                                           QString(), QStringLiteral("_S_"), 1000.0} << false;
        }
    }

    void sameAnswersAsInProcess()
    {
        QFETCH(QString, engine);
        QFETCH(QString, method);
        QFETCH(QVariantList, args);
        QFETCH(bool, ok);
        Engine *e = this->engine(engine);
        if (!e)
            QSKIP(qPrintable(m_engines.postgresMissing()));
        const ApiReply reply = e->client->call(method, args, tokenOf(e, QStringLiteral("ana"), kPasswordAna));
        QCOMPARE(reply.status, 200);
        QCOMPARE(reply.result().value(QStringLiteral("ok")).toBool(), ok);

        // The automation object a host uses in-process, on the same database.
        const QString connection = QStringLiteral("em-processo");
        QVariant local;
        {
            if (engine == QLatin1String("sqlite")) {
                appserver::ServerDatabase::openSqlite(e->db->serverOptions().at(1), connection);
            } else {
                appserver::PostgresSettings settings;
                settings.host = m_engines.cluster().socketDirectory();
                settings.port = m_engines.cluster().port();
                settings.database = QStringLiteral("appserver");
                settings.user = m_engines.cluster().superuser();
                settings.password = m_engines.cluster().password();
                appserver::ServerDatabase::openPostgres(settings, connection);
            }
            appserver::LocalAppServer server(connection, QStringLiteral("ana"));
            QVariantList localArgs = args;
            local = server.Invoke(method, localArgs);
        }
        appserver::ServerDatabase::close(connection);
        QCOMPARE(reply.body.value(QStringLiteral("result")), QCborValue::fromVariant(local));
    }

    void nullAndUnassignedArgumentsTravel_data() { TestEngines::addEngineRows(); }
    void nullAndUnassignedArgumentsTravel()
    {
        QFETCH(QString, engine);
        Engine *e = this->engine(engine);
        if (!e)
            QSKIP(qPrintable(m_engines.postgresMissing()));
        const QVariantList args{QVariant::fromValue(nullptr), QVariant(), QString(), QStringLiteral("T"),
                                QStringLiteral("_S_")};
        const ApiReply reply = e->client->call(QStringLiteral("GetValidReForFil"), args,
                                               tokenOf(e, QStringLiteral("ana"), kPasswordAna));
        QCOMPARE(reply.status, 200);
        QCOMPARE(reply.result().value(QStringLiteral("ok")).toBool(), false);   // a null is no text
        const QCborArray back = reply.body.value(QStringLiteral("args")).toArray();
        QCOMPARE(back.size(), 5);
        QVERIFY(back.at(0).isNull());
        QVERIFY(back.at(1).isUndefined());
        QCOMPARE(back.at(4).toString(), QStringLiteral("_S_"));
    }

    void databaseTimeLimitGivesAClearMessage_data() { TestEngines::addEngineRows(); }
    void databaseTimeLimitGivesAClearMessage()
    {
        QFETCH(QString, engine);
        Engine *e = this->engine(engine);
        if (!e)
            QSKIP(qPrintable(m_engines.postgresMissing()));
        const QString token = tokenOf(e, QStringLiteral("ana"), kPasswordAna);
        const QByteArray before = registrationDigest(e->db->connection());
        // Another writer (this test's process) holds the table for longer than the
        // server's time limit (2 s).
        if (engine == QLatin1String("sqlite")) {
            QVERIFY(e->db->exec(QStringLiteral("BEGIN IMMEDIATE")));
        } else {
            QVERIFY(e->db->connection().transaction());
            QVERIFY(e->db->exec(QStringLiteral("LOCK TABLE FORNATENDE IN EXCLUSIVE MODE")));
        }
        const ApiReply reply = e->client->call(QStringLiteral("CadAutoAtende"), kRegistration, token);
        if (engine == QLatin1String("sqlite"))
            QVERIFY(e->db->exec(QStringLiteral("ROLLBACK")));
        else
            QVERIFY(e->db->connection().rollback());

        QCOMPARE(reply.status, 200);
        QCOMPARE(reply.result().value(QStringLiteral("ok")).toBool(), false);
        QVERIFY2(reply.result().value(QStringLiteral("message")).toString().contains(QLatin1String("tempo limite")),
                 qPrintable(reply.result().value(QStringLiteral("message")).toString()));
        QVERIFY2(reply.result().value(QStringLiteral("message")).toString().contains(QLatin1String("nada foi alterado")),
                 qPrintable(reply.result().value(QStringLiteral("message")).toString()));
        QCOMPARE(registrationDigest(e->db->connection()), before);
        // The same worker connection serves the next call.
        QCOMPARE(e->client->call(QStringLiteral("CadAutoAtende"), kRegistration, token)
                     .result().value(QStringLiteral("ok")).toBool(), true);
    }

    void postgresPasswordComesFromFileOrEnvironment_data()
    {
        QTest::addColumn<QString>("file");          // --pg-password-file, "" for none
        QTest::addColumn<QString>("environment");   // PGPASSWORD, "" for none
        QTest::addColumn<bool>("connects");
        const QString wrongFile = QDir(m_engines.folder()).filePath(QStringLiteral("senha-errada"));
        QFile wrong(wrongFile);
        QVERIFY(wrong.open(QIODevice::WriteOnly) && wrong.write("outra-senha\n") > 0);
        QTest::newRow("file") << m_engines.cluster().passwordFile() << QString() << true;
        QTest::newRow("environment") << QString() << m_engines.cluster().password() << true;
        QTest::newRow("file over environment") << wrongFile << m_engines.cluster().password() << false;
        QTest::newRow("wrong file") << wrongFile << QString() << false;
        QTest::newRow("neither") << QString() << QString() << false;
    }

    void postgresPasswordComesFromFileOrEnvironment()
    {
        QFETCH(QString, file);
        QFETCH(QString, environment);
        QFETCH(bool, connects);
        if (!engine(QStringLiteral("postgresql")))
            QSKIP(qPrintable(m_engines.postgresMissing()));
        QStringList arguments = m_engines.cluster().serverOptions(QStringLiteral("appserver"));
        arguments.removeLast();
        arguments.removeLast();   // the password file of the cluster
        if (!file.isEmpty())
            arguments << QStringLiteral("--pg-password-file") << file;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("PGPASSWORD"));
        if (!environment.isEmpty())
            env.insert(QStringLiteral("PGPASSWORD"), environment);
        const AppServerProcess::Result result = AppServerProcess::run(
            arguments + QStringList{QStringLiteral("--add-user"), QStringLiteral("dora")}, "senha-da-dora\n", env);
        QCOMPARE(result.exitCode, connects ? 0 : 1);
        if (!connects)
            QVERIFY2(result.err.contains(QStringLiteral("Não foi possível abrir o banco de dados")), qPrintable(result.err));
        QVERIFY(!result.err.contains(m_engines.cluster().password()));
    }

    void unreachableDatabaseGives503AndTheServerReconnects()
    {
        Engine *e = engine(QStringLiteral("postgresql"));
        if (!e)
            QSKIP(qPrintable(m_engines.postgresMissing()));
        const QString token = tokenOf(e, QStringLiteral("ana"), kPasswordAna);
        const qint64 runsBefore = e->db->count(QStringLiteral("SELECT COUNT(*) FROM LOGCADAUTO"));
        e->db.reset();   // the test's own connection goes with the server
        QString error;
        QVERIFY2(m_engines.cluster().stop(&error), qPrintable(error));

        const ApiReply health = e->client->get(QStringLiteral("/api/v1/health"));
        const ApiReply call = e->client->call(QStringLiteral("CadAutoAtende"), kRegistration, token);
        QVERIFY2(m_engines.cluster().start(&error), qPrintable(error));

        QCOMPARE(health.status, 503);
        QVERIFY2(health.message().contains(QStringLiteral("não está acessível")), qPrintable(health.message()));
        QCOMPARE(call.status, 503);
        QCOMPARE(e->client->get(QStringLiteral("/api/v1/health")).status, 200);
        e->db = TestDatabase::postgresExisting(m_engines.cluster(), QStringLiteral("appserver"));
        QCOMPARE(e->db->count(QStringLiteral("SELECT COUNT(*) FROM LOGCADAUTO")), runsBefore);
        QCOMPARE(e->client->call(QStringLiteral("getParamGeral"), {}, token).result()
                     .value(QStringLiteral("ok")).toBool(), true);
    }

    void missingSqliteFileGives503()
    {
        // A server of its own whose file disappears (a folder stands in its place) before
        // any worker opened it.
        std::unique_ptr<TestDatabase> db = m_engines.newDatabase(QStringLiteral("sqlite"), QStringLiteral("sumido"),
                                                                 {{QStringLiteral("ana"), kPasswordAna}});
        QVERIFY(db);
        QString error;
        AppServerProcess server;
        QVERIFY2(server.start(db->serverOptions(), &error), qPrintable(error));
        const QString file = db->serverOptions().at(1);
        db.reset();
        for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(file + suffix);
        QVERIFY(QDir().mkdir(file));

        ApiClient client(server.baseUrl());
        const ApiReply health = client.get(QStringLiteral("/api/v1/health"));
        const ApiReply login = client.login(QStringLiteral("ana"), kPasswordAna);
        QCOMPARE(health.status, 503);
        QVERIFY2(health.message().contains(QStringLiteral("não está acessível")), qPrintable(health.message()));
        QCOMPARE(login.status, 503);
        QVERIFY(QDir(file).exists());   // nothing was created in its place
    }

    void logHasOneLinePerRequestAndNoSecrets_data() { TestEngines::addEngineRows(); }
    void logHasOneLinePerRequestAndNoSecrets()
    {
        QFETCH(QString, engine);
        Engine *e = this->engine(engine);
        if (!e)
            QSKIP(qPrintable(m_engines.postgresMissing()));
        const QString log = e->server.log();
        QVERIFY(log.contains(QRegularExpression(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT[0-9:.]+Z ana POST /api/v1/call/getParamGeral 200 \\d+ ms$"),
            QRegularExpression::MultilineOption)));
        QVERIFY(log.contains(QRegularExpression(QStringLiteral(" - POST /api/v1/login 401 \\d+ ms$"),
                                                QRegularExpression::MultilineOption)));
        for (const QString &secret : {kPasswordAna, kPasswordBia, kPasswordCris})
            QVERIFY2(!log.contains(secret), qPrintable(secret));
        QVERIFY(!m_tokensSeen.isEmpty());
        for (const QString &token : std::as_const(m_tokensSeen))
            QVERIFY2(token.isEmpty() || !log.contains(token), "um token apareceu no log");
    }

    void cleanupTestCase()
    {
        m_servers.clear();
    }
};

QTEST_GUILESS_MAIN(TestAppServerHttp)
#include "tst_appserver_http.moc"
