#include "quorvel.h"

#include <QApplication>
#include <QMainWindow>
#include <QPointer>
#include <QWidget>

namespace Quorvel {

namespace {

QString g_filiProc;
QPointer<QWidget> g_mainForm;
HelpHook g_helpHook = nullptr;

} // namespace

void SetFiliProc(const QString &branch)
{
    g_filiProc = branch.trimmed();
}

bool ModuFili()
{
    return !g_filiProc.isEmpty();
}

QString FiliProc()
{
    return g_filiProc;
}

void SetMainForm(QWidget *form)
{
    g_mainForm = form;
}

QWidget *MainForm()
{
    if (g_mainForm)
        return g_mainForm;
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return nullptr;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (qobject_cast<QMainWindow *>(window) && window->isVisible() && !window->parentWidget())
            return window;
    }
    return nullptr;
}

void SetHelpHook(HelpHook hook)
{
    g_helpHook = hook;
}

void ShowHelp(const QString &helpFile, int helpContext)
{
    if (g_helpHook)
        g_helpHook(helpFile, helpContext);
}

} // namespace Quorvel
