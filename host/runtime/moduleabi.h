#pragma once
// The seam between a host and the PKG_CMP04702 module: the file name, the names of the
// C exports and their types. The module's definitions are checked against these types
// at compile time (package/pkg_cmp04702.cpp) and the host resolves every export through
// them (ModuleLoader::Resolve), so a signature that changes on one side fails to build
// instead of failing when the library is loaded.

class QString;
class QVariant;
class QWidget;
class TDataSource;
class TfrmCadAutRF;
class TfrmErroForneAteFili;
class TfrmPesqListaFilAtende;

namespace ModuleAbi {

// Raised whenever an export below changes its name or type. A module reports the
// version it was built with through ModuleAbiVersion; the loader refuses another one.
inline constexpr int Version = 1;

inline constexpr char FileName[] = "libPKG_CMP04702.so";

using InitializeFn = void (*)();
using FinalizeFn = void (*)();
using IniProcFn = void (*)(const QVariant &params);
using CriaCadFornFilFn = int (*)(QWidget *hostForm);
using PesquisaFilAtendeFn = bool (*)(TDataSource *source, const QString &keyField, const QString &title,
                                     bool flag, QString &selection);
using CriaErroForneAteFiliFn = void (*)();
using ModuleVersionFn = const char *(*)();
using ModuleAbiVersionFn = int (*)();

// An exported symbol: its C name and the type its address has once resolved.
template <typename T>
struct Symbol {
    using Type = T;
    const char *name;
};

inline constexpr Symbol<InitializeFn> Initialize{"Initialize"};
inline constexpr Symbol<FinalizeFn> Finalize{"Finalize"};
inline constexpr Symbol<IniProcFn> IniProc{"IniProc"};
inline constexpr Symbol<CriaCadFornFilFn> CriaCadFornFil{"CriaCadFornFil"};
inline constexpr Symbol<PesquisaFilAtendeFn> PesquisaFilAtende{"PesquisaFilAtende"};
inline constexpr Symbol<CriaErroForneAteFiliFn> CriaErroForneAteFili{"CriaErroForneAteFili"};
inline constexpr Symbol<ModuleVersionFn> ModuleVersion{"ModuleVersion"};
inline constexpr Symbol<ModuleAbiVersionFn> ModuleAbiVersion{"ModuleAbiVersion"};

// The module-wide screen variables: the address of each exported pointer.
inline constexpr Symbol<TfrmCadAutRF **> frmCadAutRF{"frmCadAutRF"};
inline constexpr Symbol<QWidget **> frmFornAt{"frmFornAt"};
inline constexpr Symbol<TfrmErroForneAteFili **> frmErroForneAteFili{"frmErroForneAteFili"};
inline constexpr Symbol<TfrmPesqListaFilAtende **> frmPesqListaFilAtende{"frmPesqListaFilAtende"};

// Every module must carry these for a host to drive it.
inline constexpr const char *RequiredExports[] = {Initialize.name, Finalize.name, IniProc.name};

// Everything PKG_CMP04702 exports.
inline constexpr const char *ModuleExports[] = {
    Initialize.name, Finalize.name, IniProc.name, CriaCadFornFil.name, PesquisaFilAtende.name,
    CriaErroForneAteFili.name, ModuleVersion.name, ModuleAbiVersion.name, frmCadAutRF.name, frmFornAt.name,
    frmErroForneAteFili.name, frmPesqListaFilAtende.name};

} // namespace ModuleAbi
