// pkg-screenshots FOLDER: renders the registration screen, the branch search, the error
// list and the host's windows over the registered pairs and the runs from the real widgets, on a fresh database with the sample data, into PNG
// files of that folder. The module is loaded from its file as pkg-host loads it and the
// screens are driven with clicks and keys, so the pictures show what a user sees.
// Meant for the offscreen platform (scripts/screenshots.sh sets it).

#include "dialoganswerer.h"
#include "frmprincipal.h"
#include "hostdriving.h"
#include "hostsession.h"
#include "localappserver.h"
#include "runtime/moduleloader.h"
#include "runtime/moduleabi.h"
#include "runtime/quorvel.h"

#include "data/tdataset.h"
#include "data/tdatasource.h"
#include "data/tdbgrid.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

class Photographer {
public:
    explicit Photographer(const QString &folder) : m_folder(folder) {}

    void take(QWidget *widget, const QString &name)
    {
        widget->activateWindow();
        QApplication::processEvents();
        const QString path = QDir(m_folder).filePath(name + QStringLiteral(".png"));
        if (widget->grab().save(path))
            std::printf("%s\n", qPrintable(path));
        else
            m_failures.append(path);
    }

    // A picture that could not be taken (the window never showed).
    void missed(const QString &name) { m_failures.append(name); }

    QStringList failures() const { return m_failures; }

private:
    QString m_folder;
    QStringList m_failures;
};

// Marks the first rows of the branch search's grid with Space, as a user picks them.
void markFirstRows(TDBGrid *grid, int rows)
{
    grid->setFocus();
    TDataSet *dataSet = grid->DataSource()->DataSet();
    for (int row = 0; row < rows && row < dataSet->RecordCount(); ++row) {
        dataSet->SetRecNo(row);
        QTest::keyClick(grid, Qt::Key_Space);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "Uso: pkg-screenshots PASTA [MÓDULO]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    const QString modulePath = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                        : QStringLiteral(MODULE_DIR "/") + QLatin1String(ModuleAbi::FileName);

    QTemporaryDir dir;
    HostSession session(dir.filePath(QStringLiteral("amostra.db")));
    TfrmPrincipal window(session.Server());
    Quorvel::SetMainForm(&window);
    ModuleLoader module;
    if (!module.Load(modulePath)) {
        std::fprintf(stderr, "%s\n", qPrintable(module.ErrorString()));
        return 1;
    }
    window.SetModule(&module);
    window.resize(900, 600);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;

    Photographer camera(folder);
    DialogAnswerer answerer(QMessageBox::Ok);
    // What the list searches pick, by their key field, for the launch in progress.
    QMap<QString, QStringList> picks;
    std::function<void(QWidget *)> drive;
    answerer.SetDialogHandler([&](QWidget *dialog) {
        QTimer::singleShot(0, dialog, [&, dialog] {
            if (dialog->inherits("TfrmCadAutRF")) {
                drive(dialog);
            } else if (dialog->inherits("TfrmPesqListaFilAtende")) {
                markFirstRows(dialog->findChild<TDBGrid *>(QStringLiteral("dbgArquivo")), 4);
                camera.take(dialog, QStringLiteral("pesquisa-filiais"));
                ClickNamed(dialog, "sbtConfirma");
            } else if (dialog->inherits("TfrmErroForneAteFili")) {
                camera.take(dialog, QStringLiteral("erros"));
                QTest::keyClick(dialog, Qt::Key_Return);
            } else if (dialog->objectName() == QLatin1String("frmPesquisaLista")) {
                TDataSet *dataSet = dialog->findChild<TDBGrid *>(QStringLiteral("dbgLista"))->DataSource()->DataSet();
                const QString key = dataSet->FindField(QStringLiteral("CDREGIAO")) ? QStringLiteral("CDREGIAO")
                                                                                   : QStringLiteral("CDFORNECED");
                PickInListSearch(dialog, key, picks.value(key));
            }
        });
    });
    const auto launch = [&](const QMap<QString, QStringList> &chosen, std::function<void(QWidget *)> steps) {
        picks = chosen;
        drive = std::move(steps);
        // The offscreen platform does not give activation back after a modal screen, as
        // a window system does; the shortcut needs the main window active.
        QApplication::setActiveWindow(&window);
        QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    };

    // The registration screen filled in, with a list of branches picked in the search.
    launch({{"CDREGIAO", {"S", "SE"}}, {"CDFORNECED", {"1001", "1002"}}}, [&](QWidget *screen) {
        ClickNamed(screen, "sbtRegiao");
        ClickNamed(screen, "rbtLFilial");
        ClickNamed(screen, "sbtFilial");
        ClickNamed(screen, "sbtFornecedor");
        auto *period = screen->findChild<QWidget *>(QStringLiteral("medCdPeriod"));
        period->setFocus();
        QTest::keyClicks(period, "07");
        camera.take(screen, QStringLiteral("cadastramento"));
        QTest::keyClick(screen, Qt::Key_Escape);
    });
    // A registration the serving rule blocks: the error list.
    launch({{"CDREGIAO", {"N", "NE"}}, {"CDFORNECED", {"1003", "1004"}}}, [&](QWidget *screen) {
        ClickNamed(screen, "sbtRegiao");
        ClickNamed(screen, "rbtTFilial");
        ClickNamed(screen, "sbtFornecedor");
        ClickNamed(screen, "sbtConfirma");
        QTest::keyClick(screen, Qt::Key_Escape);
    });

    // A registration that goes through, so that the runs window has a run to undo.
    launch({{"CDREGIAO", {"S"}}, {"CDFORNECED", {"1001", "1002"}}}, [&](QWidget *screen) {
        ClickNamed(screen, "sbtRegiao");
        ClickNamed(screen, "rbtTFilial");
        ClickNamed(screen, "sbtFornecedor");
        auto *period = screen->findChild<QWidget *>(QStringLiteral("medCdPeriod"));
        period->setFocus();
        QTest::keyClicks(period, "07");
        ClickNamed(screen, "sbtConfirma");
        if (screen->isVisible())
            QTest::keyClick(screen, Qt::Key_Escape);
    });

    // The host's own windows, opened from their shortcuts once the runs above are logged.
    const auto openWindow = [&](Qt::Key key, const char *className, const QString &name) {
        QApplication::setActiveWindow(&window);
        QTest::keyClick(&window, key, Qt::ControlModifier | Qt::ShiftModifier);
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (top->inherits(className) && top->isVisible()) {
                top->resize(980, 420);
                if (QTest::qWaitForWindowExposed(top)) {
                    QTest::qWait(400);   // past the filter's typing pause, so the list is read
                    camera.take(top, name);
                } else {
                    camera.missed(name);
                }
                top->close();
            }
        }
    };
    openWindow(Qt::Key_F, "TfrmConsFornAtende", QStringLiteral("fornecedores-que-atendem"));
    openWindow(Qt::Key_E, "TfrmExecCadAuto", QStringLiteral("execucoes"));

    for (const QString &message : answerer.Messages())
        std::fprintf(stderr, "mensagem: %s\n", qPrintable(message));
    window.close();
    module.Unload();
    for (const QString &failure : camera.failures())
        std::fprintf(stderr, "não foi possível gravar %s\n", qPrintable(failure));
    return camera.failures().isEmpty() ? 0 : 1;
}
