// One server call from end to end: the connection component on the host form, the
// automation object reached by name, arguments written back in place, the result
// check; and every way the call can fail, on the same error path.

#include "runtime/errors.h"
#include "server/appserverclient.h"
#include "serverresult.h"

#include <QWidget>
#include <QtTest>

// Scripted automation object: records each call and answers by method name.
class FakeAutomation : public QObject {
    Q_OBJECT
public:
    QStringList calls;
    QList<QVariantList> arguments;

    Q_INVOKABLE QVariant Invoke(const QString &method, QVariantList &args)
    {
        calls.append(method);
        arguments.append(args);
        if (method == "getParamGeral")
            return contracts::okResult(QVariantList{QStringLiteral("3")});
        if (method == "escreveArgumento") {
            // Writes back into the caller's arguments, as a by-reference call may.
            args[0] = QStringLiteral("_0001_0002_");
            args.append(42);
            return contracts::okResult(true);
        }
        if (method == "falha")
            return contracts::failResult(QStringLiteral("Fornecedor inexistente."));
        if (method == "malformado")
            return QVariant(QStringLiteral("ok"));
        return contracts::failResult(QStringLiteral("Método desconhecido: ") + method);
    }
};

class TestAppServerClient : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void call_returnsTheValue();
    void call_writesArgumentsBack();
    void call_serverFailuresRaise_data();
    void call_serverFailuresRaise();
    void call_reachFailuresRaise();
    void connection_defaultsAndAutomationObject();

private:
    QWidget *m_hostForm = nullptr;
    FakeAutomation *m_automation = nullptr;
    TServerConnection *m_connection = nullptr;
};

void TestAppServerClient::init()
{
    m_hostForm = new QWidget;
    m_automation = new FakeAutomation;
    m_connection = new TServerConnection(m_hostForm, m_automation);
}

void TestAppServerClient::cleanup()
{
    delete m_hostForm;
    delete m_automation;
}

void TestAppServerClient::call_returnsTheValue()
{
    QVariantList args;
    const QVariant value = AppServerClient::Call(m_hostForm, "getParamGeral", args);
    QCOMPARE(value.toList().value(0).toString(), QStringLiteral("3"));
    QCOMPARE(m_automation->calls, QStringList{"getParamGeral"});
}

void TestAppServerClient::call_writesArgumentsBack()
{
    QVariantList args{QStringLiteral("_0001_"), QStringLiteral("T")};
    AppServerClient::Call(m_hostForm, "escreveArgumento", args);
    QCOMPARE(m_automation->arguments.value(0), (QVariantList{QStringLiteral("_0001_"), QStringLiteral("T")}));
    QCOMPARE(args, (QVariantList{QStringLiteral("_0001_0002_"), QStringLiteral("T"), 42}));
}

void TestAppServerClient::call_serverFailuresRaise_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("message");
    QTest::newRow("reported failure") << "falha" << "Fornecedor inexistente.";
    QTest::newRow("unknown method") << "naoExiste" << "Método desconhecido: naoExiste";
    QTest::newRow("malformed result") << "malformado" << "";
}

void TestAppServerClient::call_serverFailuresRaise()
{
    QFETCH(QString, method);
    QFETCH(QString, message);
    QVariantList args;
    try {
        AppServerClient::Call(m_hostForm, method, args);
        QFAIL("the call did not raise");
    } catch (const EServerError &error) {
        if (message.isEmpty())
            QVERIFY(error.message().startsWith("Resposta inválida do servidor"));
        else
            QCOMPARE(error.message(), message);
    }
}

void TestAppServerClient::call_reachFailuresRaise()
{
    QVariantList args;
    auto messageOf = [&](QObject *form) {
        try {
            AppServerClient::Call(form, "getParamGeral", args);
        } catch (const EServerError &error) {
            return error.message();
        }
        return QString();
    };

    QVERIFY(messageOf(nullptr).contains("Formulário principal não informado"));

    // The component must be a direct child of the host form.
    QWidget otherForm;
    QWidget panel(&otherForm);
    TServerConnection nested(&panel, m_automation);
    QVERIFY(messageOf(&otherForm).contains("netFornNAtende"));

    // A component with another name does not count.
    m_connection->setObjectName("outraConexao");
    QVERIFY(messageOf(m_hostForm).contains("netFornNAtende"));
    m_connection->setObjectName(TServerConnection::DefaultName);

    // No automation object plugged in, or one that went away.
    m_connection->SetAutomationObject(nullptr);
    QCOMPARE(messageOf(m_hostForm), QStringLiteral("Servidor de aplicação não disponível."));
    auto *shortLived = new FakeAutomation;
    m_connection->SetAutomationObject(shortLived);
    delete shortLived;
    QCOMPARE(messageOf(m_hostForm), QStringLiteral("Servidor de aplicação não disponível."));

    // An automation object without Invoke.
    QObject noInvoke;
    m_connection->SetAutomationObject(&noInvoke);
    QVERIFY(messageOf(m_hostForm).contains("getParamGeral"));

    // A component without AppServer.
    m_connection->setObjectName("outraConexao");
    QObject plain(m_hostForm);
    plain.setObjectName(TServerConnection::DefaultName);
    QVERIFY(messageOf(m_hostForm).contains("não fornece o servidor"));
    QVERIFY(m_automation->calls.isEmpty());
}

void TestAppServerClient::connection_defaultsAndAutomationObject()
{
    TServerConnection connection;
    QCOMPARE(connection.objectName(), QStringLiteral("netFornNAtende"));
    QVERIFY(!connection.AppServer().isValid());
    connection.SetAutomationObject(m_automation);
    QCOMPARE(connection.AppServer().value<QObject *>(), m_automation);
}

QTEST_MAIN(TestAppServerClient)
#include "tst_appserverclient.moc"
