// The module's exports checked against the seam the host compiles with
// (runtime/moduleabi.h): a definition whose type drifts from the host's fails here, at
// build time, instead of when the host calls it.

#include "cli_cmp04702.h"
#include "cli_cmp04704.h"
#include "cli_cmp04706.h"
#include "pkg_cmp04702.h"

#include "runtime/moduleabi.h"

#include <type_traits>

namespace {

template <typename T, typename Definition>
constexpr bool Matches(ModuleAbi::Symbol<T>, Definition)
{
    return std::is_same_v<T, Definition>;
}

static_assert(Matches(ModuleAbi::Initialize, &Initialize));
static_assert(Matches(ModuleAbi::Finalize, &Finalize));
static_assert(Matches(ModuleAbi::IniProc, &IniProc));
static_assert(Matches(ModuleAbi::CriaCadFornFil, &CriaCadFornFil));
static_assert(Matches(ModuleAbi::PesquisaFilAtende, &PesquisaFilAtende));
static_assert(Matches(ModuleAbi::CriaErroForneAteFili, &CriaErroForneAteFili));
static_assert(Matches(ModuleAbi::ModuleVersion, &ModuleVersion));
static_assert(Matches(ModuleAbi::ModuleAbiVersion, &ModuleAbiVersion));
static_assert(Matches(ModuleAbi::frmCadAutRF, &frmCadAutRF));
static_assert(Matches(ModuleAbi::frmFornAt, &frmFornAt));
static_assert(Matches(ModuleAbi::frmErroForneAteFili, &frmErroForneAteFili));
static_assert(Matches(ModuleAbi::frmPesqListaFilAtende, &frmPesqListaFilAtende));

} // namespace
