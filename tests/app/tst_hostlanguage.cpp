// The host and the module in the chosen language, as pkg-host runs them: the host's
// translations installed at start for the default locale, the module loaded from its
// file (it installs its own language file, found beside it, at Initialize), the
// registration screen opened from the menu and driven with real clicks, and a refusal of
// the in-process application server reached through the main window's connection.
// English when asked for; the built-in Portuguese by default (ctest runs in the C
// locale, for which there is no translation).

#include "dialoganswerer.h"
#include "hostdriving.h"
#include "frmprincipal.h"
#include "hostsession.h"
#include "hosttranslations.h"
#include "localappserver.h"
#include "runtime/errors.h"
#include "runtime/moduleloader.h"
#include "server/appserverclient.h"
#include "runtime/quorvel.h"

#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLocale>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// What the user sees on the way: the main window, the registration screen and the
// message a missing region list gets.
struct SeenTexts {
    QString window;
    QString menuEntry;
    QString screen;
    QString mainGroup;
    QString regionGroup;
    QString listButton;
    QString confirmButton;
    QString message;
    QString messageTitle;
    QString serverMessage;
};

QString TextOf(QWidget *screen, const char *name)
{
    auto *widget = screen->findChild<QWidget *>(QString::fromLatin1(name));
    if (auto *group = qobject_cast<QGroupBox *>(widget))
        return group->title();
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    return QStringLiteral("<no %1>").arg(QLatin1String(name));
}

} // namespace

class TestHostLanguage : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void textsFollowTheLanguage_data();
    void textsFollowTheLanguage();

private:
    SeenTexts RunRegistrationWithoutRegions();
};

void TestHostLanguage::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void TestHostLanguage::textsFollowTheLanguage_data()
{
    QTest::addColumn<QString>("language");   // empty: none chosen
    QTest::addColumn<int>("hostFiles");
    QTest::addColumn<QStringList>("expected");   // in the order of SeenTexts
    QTest::newRow("English")
        << "en" << 4
        << QStringList{"Purchasing System", "&Automatic Registration of Serving Suppliers...",
                       "Automatic Registration", "Serving Supplier", "Region", "List", "Confirm",
                       "The region must be specified.", "Error",
                       "Run 999 not found: no automatic registration has that number."};
    QTest::newRow("Portuguese by default")
        << "" << 0
        << QStringList{"Sistema de Compras", "Cadastramento &Automático de Fornecedor que Atende...",
                       "Cadastramento Automático", "Fornecedor que Atende", "Região", "Lista", "Confirmar",
                       "Região deve ser informada.", "Erro",
                       "Execução 999 não encontrada: nenhum cadastramento automático tem esse número."};
}

void TestHostLanguage::textsFollowTheLanguage()
{
    QFETCH(QString, language);
    QFETCH(int, hostFiles);
    QFETCH(QStringList, expected);
    if (!language.isEmpty())
        QLocale::setDefault(QLocale(language));
    const HostTranslations translations(QCoreApplication::applicationDirPath());
    QCOMPARE(translations.Files().size(), hostFiles);

    const SeenTexts seen = RunRegistrationWithoutRegions();
    const QStringList got{seen.window, seen.menuEntry, seen.screen, seen.mainGroup, seen.regionGroup,
                          seen.listButton, seen.confirmButton, seen.message, seen.messageTitle,
                          seen.serverMessage};
    QCOMPARE(got, expected);
}

// Opens the registration screen from the keyboard shortcut, asks for a list of regions,
// confirms without picking any and leaves the screen.
SeenTexts TestHostLanguage::RunRegistrationWithoutRegions()
{
    SeenTexts seen;
    QTemporaryDir dir;
    HostSession session(dir.filePath(QStringLiteral("host.db")));
    ModuleLoader module;
    TfrmPrincipal window(session.Server());
    Quorvel::SetMainForm(&window);
    if (!module.Load(qEnvironmentVariable("MODULE_DIR") + QLatin1Char('/') + QLatin1String(ModuleAbi::FileName))) {
        seen.window = module.ErrorString();
        return seen;
    }
    window.SetModule(&module);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return seen;
    seen.window = window.windowTitle();
    if (auto *entry = window.findChild<QAction *>(QStringLiteral("actCadAutRF")))
        seen.menuEntry = entry->text();

    DialogAnswerer answerer(QMessageBox::Ok);
    answerer.SetDialogHandler([&seen](QWidget *dialog) {
        if (!dialog->inherits("TfrmCadAutRF"))
            return;
        QTimer::singleShot(0, dialog, [&seen, dialog] {
            seen.screen = dialog->windowTitle();
            seen.mainGroup = TextOf(dialog, "grbDadosRel");
            seen.regionGroup = TextOf(dialog, "grbRegiao");
            seen.listButton = TextOf(dialog, "rbtListaReg");
            seen.confirmButton = TextOf(dialog, "sbtConfirma");
            ClickNamed(dialog, "rbtListaReg");
            ClickNamed(dialog, "sbtConfirma");
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
    });
    QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    seen.message = answerer.Messages().join(QLatin1Char('\n'));
    seen.messageTitle = answerer.Titles().join(QLatin1Char('\n'));

    // Undoing a run that does not exist: the server's own refusal.
    try {
        QVariantList args{999};
        AppServerClient::Call(&window, QStringLiteral("DesfazCadAuto"), args);
        seen.serverMessage = QStringLiteral("<no refusal>");
    } catch (const EServerError &error) {
        seen.serverMessage = error.message();
    }
    return seen;
}

QTEST_MAIN(TestHostLanguage)
#include "tst_hostlanguage.moc"
