#include "guard.h"

#include "errors.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>

namespace Guard {

namespace {

// The context of this file's texts in the translations.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(Guard)
};

QString MessageOf(const std::exception &error)
{
    if (const auto *ownError = dynamic_cast<const contracts::Error *>(&error))
        return ownError->message();
    const QString text = QString::fromLocal8Bit(error.what());
    return text.isEmpty() ? Texts::tr("Erro inesperado.") : text;
}

// The window a handler's error stands over: the handler's own, else the active one.
QWidget *OwnerOf(QWidget *parent)
{
    return parent ? parent : QApplication::activeWindow();
}

} // namespace

void ShowError(QWidget *parent, const QString &text)
{
    QPointer<QWidget> owner = parent;
    QMessageBox::critical(parent, Texts::tr("Erro"), text);
    // Give the activation back to the window the message stood over, on every platform.
    if (owner && owner->isVisible())
        owner->window()->activateWindow();
}

void Report(QWidget *parent, const std::exception &error)
{
    if (dynamic_cast<const EAbort *>(&error))
        return;   // its message was shown before the handler ended
    ShowError(OwnerOf(parent), MessageOf(error));
}

bool Run(QWidget *parent, const std::function<void()> &fn)
{
    // Showing the message may itself fail (no application object, for one); nothing may
    // leave this function either way, since the caller is Qt's event dispatch.
    try {
        try {
            fn();
            return true;
        } catch (const std::exception &error) {
            Report(parent, error);
        } catch (...) {
            ShowError(OwnerOf(parent), Texts::tr("Erro inesperado."));
        }
    } catch (...) {
    }
    return false;
}

} // namespace Guard
