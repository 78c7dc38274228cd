#include "pkg_cmp04702.h"

#include "cli_cmp04702.h"
#include "cli_cmp04704.h"
#include "cli_cmp04706.h"

#include "moduleversion.h"
#include "runtime/errors.h"
#include "runtime/languagefile.h"
#include "runtime/moduleabi.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <dlfcn.h>
#include <memory>

namespace {

struct Unit {
    const char *name;
    void (*initialization)();
    void (*finalization)();
    int starts;
};

// In start-up order; clean-up runs backwards.
Unit g_units[] = {
    {"Cli_cmp04704", Cli_cmp04704::Initialization, Cli_cmp04704::Finalization, 0},
    {"Cli_cmp04706", Cli_cmp04706::Initialization, Cli_cmp04706::Finalization, 0},
    {"Cli_cmp04702", Cli_cmp04702::Initialization, Cli_cmp04702::Finalization, 0},
};

QStringList g_unitLog;
int g_initializeCount = 0;
std::unique_ptr<LanguageFile> g_language;

void StartUnit(Unit &unit)
{
    if (unit.starts++ > 0)
        return;
    unit.initialization();
    g_unitLog << QLatin1Char('+') + QLatin1String(unit.name);
}

void StopUnit(Unit &unit)
{
    if (unit.starts == 0 || --unit.starts > 0)
        return;
    unit.finalization();
    g_unitLog << QLatin1Char('-') + QLatin1String(unit.name);
}

// The folder of this module's file: the language resource lies beside it.
QString ModuleFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void *>(&Initialize), &info) == 0 || !info.dli_fname)
        return QString();
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}

// PKG_CMP04702_<locale>.qm beside the module; none found: the built-in Portuguese.
void InstallLanguage()
{
    g_language = std::make_unique<LanguageFile>(QStringLiteral("PKG_CMP04702"), ModuleFolder());
}

void RemoveLanguage()
{
    g_language.reset();
}

[[noreturn]] void BadLaunchParameters(const QString &detail)
{
    throw EConvertError(QCoreApplication::translate("Package", "Parâmetros de abertura inválidos: %1.").arg(detail));
}

// Element 0 of the launch parameters, the host form as an integer.
qintptr HostFormHandle(const QVariant &params)
{
    if (params.typeId() != QMetaType::QVariantList)
        BadLaunchParameters(QCoreApplication::translate("Package", "era esperada uma lista de valores"));
    const QVariantList list = params.toList();
    if (list.isEmpty())
        BadLaunchParameters(QCoreApplication::translate("Package", "a lista não tem o formulário hospedeiro"));
    bool ok = false;
    const qlonglong handle = list.first().toLongLong(&ok);
    if (!ok)
        BadLaunchParameters(QCoreApplication::translate("Package", "o formulário hospedeiro não é um número"));
    return qintptr(handle);
}

} // namespace

void Initialize()
{
    if (g_initializeCount++ == 0)
        InstallLanguage();
    for (Unit &unit : g_units)
        StartUnit(unit);
}

void Finalize()
{
    if (g_initializeCount == 0)
        return;
    for (auto it = std::rbegin(g_units); it != std::rend(g_units); ++it)
        StopUnit(*it);
    if (--g_initializeCount == 0)
        RemoveLanguage();
}

void IniProc(const QVariant &params)
{
    if (params.typeId() == QMetaType::Nullptr)
        return;
    // The integer is only compared with the application's widgets before any use.
    CriaCadFornFil(reinterpret_cast<QWidget *>(HostFormHandle(params)));
}

const char *ModuleVersion()
{
    return PKG_CMP04702_DISPLAY_VERSION;
}

int ModuleAbiVersion()
{
    return ModuleAbi::Version;
}

namespace Package {

QStringList UnitLog()
{
    return g_unitLog;
}

int UnitStartCount(const QString &unitName)
{
    for (const Unit &unit : g_units) {
        if (unitName == QLatin1String(unit.name))
            return unit.starts;
    }
    return 0;
}

QString LanguageFile()
{
    return g_language ? g_language->FilePath() : QString();
}

QLocale TextLocale()
{
    return LanguageFile().isEmpty() ? QLocale(QLocale::Portuguese, QLocale::Brazil) : QLocale();
}

} // namespace Package
