// The busy animation: a top-level "frmShowAvi" over the main form, visible exactly
// while active, removed on the error path of a handler.

#include "dialoganswerer.h"
#include "runtime/errors.h"
#include "screens/buttons.h"
#include "screens/showavi.h"
#include "screens/tfrmrotigeral.h"

#include <QLabel>
#include <QMainWindow>
#include <QtTest>

using namespace Showavi;

namespace {

QWidget *AnimationWindow()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->objectName() == QLatin1String("frmShowAvi"))
            return window;
    }
    return nullptr;
}

bool AnimationShowing()
{
    QWidget *window = AnimationWindow();
    return window && window->isVisible();
}

class ServerCallScreen : public TfrmRotiGeral {
public:
    bool showingDuringCall = false;
    void sbtConfirmaClick() override
    {
        ShowAviScope busy(nullptr, 1);
        showingDuringCall = AnimationShowing() && ShowAviActive();
        throw EServerError("Falha na comunicação com o servidor.");
    }
};

} // namespace

class TestShowAvi : public QObject {
    Q_OBJECT
private slots:
    void scope_showsOverTheMainFormAndRemoves();
    void scope_removedWhenAHandlerFails();
    void nested_staysUntilTheLastEnds();
    void kinds_andText();
};

void TestShowAvi::scope_showsOverTheMainFormAndRemoves()
{
    QMainWindow mainForm;
    mainForm.setGeometry(100, 100, 600, 400);
    mainForm.show();
    QVERIFY(!AnimationShowing());
    {
        ShowAviScope busy(&mainForm, 1);
        QWidget *window = AnimationWindow();
        QVERIFY(window && window->isVisible());
        QVERIFY(window->isWindow());
        QVERIFY(ShowAviActive());
        QCOMPARE(window->geometry().center(), mainForm.frameGeometry().center());
    }
    QVERIFY(!AnimationShowing());
    QVERIFY(!ShowAviActive());
    DeactiveShowAvi();   // an extra deactivation is harmless
    QVERIFY(!ShowAviActive());
}

void TestShowAvi::scope_removedWhenAHandlerFails()
{
    DialogAnswerer answerer;
    ServerCallScreen screen;
    screen.show();
    QTest::mouseClick(screen.sbtConfirma, Qt::LeftButton);
    QVERIFY(screen.showingDuringCall);
    QCOMPARE(answerer.Messages(), QStringList{"Falha na comunicação com o servidor."});
    QVERIFY(!AnimationShowing());
    QVERIFY(!ShowAviActive());
    QVERIFY(screen.isVisible());
}

void TestShowAvi::nested_staysUntilTheLastEnds()
{
    {
        ShowAviScope outer(nullptr, 6);
        {
            ShowAviScope inner(nullptr, 1, "Cadastrando...");
            QVERIFY(AnimationShowing());
        }
        QVERIFY(AnimationShowing());
        QVERIFY(ShowAviActive());
    }
    QVERIFY(!AnimationShowing());
}

void TestShowAvi::kinds_andText()
{
    ActiveShowAvi(nullptr, 1, "Cadastrando fornecedores...");
    QLabel *text = AnimationWindow()->findChild<QLabel *>("lblShowAvi");
    QVERIFY(text && text->isVisible());
    QCOMPARE(text->text(), QStringLiteral("Cadastrando fornecedores..."));
    DeactiveShowAvi();

    ActiveShowAvi(nullptr, 6);
    text = AnimationWindow()->findChild<QLabel *>("lblShowAvi");
    QVERIFY(text && !text->isVisible());
    DeactiveShowAvi();
    QVERIFY(!AnimationShowing());
}

QTEST_MAIN(TestShowAvi)
#include "tst_showavi.moc"
