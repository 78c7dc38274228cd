#include "consistedialogs.h"

#include "runtime/errors.h"
#include "runtime/guard.h"
#include "server/appserverclient.h"

#include <QApplication>
#include <QWidget>

namespace Consiste {

namespace {

QWidget *DialogParent()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

} // namespace

void MensErro(const QString &text, bool abort)
{
    Guard::ShowError(DialogParent(), text);
    if (abort)
        throw EAbort(text);
}

QVariant CheckResultServ(const QVariant &result, bool raise, int /*flags*/)
{
    if (raise)
        return AppServerClient::ResultValue(result);
    try {
        return AppServerClient::ResultValue(result);
    } catch (const EServerError &error) {
        MensErro(error.message(), false);
        return QVariant();
    }
}

} // namespace Consiste
