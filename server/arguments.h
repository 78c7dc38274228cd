#pragma once
// The server methods' arguments, checked and parsed before any SQL runs. Every parse
// function throws ServerError with a Portuguese message naming what is wrong.

#include "selection.h"

#include <QString>
#include <QStringList>
#include <QVariant>

namespace appserver {

// A selection string read strictly (contracts/selection.h): "" (nothing), "T" (all;
// regions only) or "_" code "_" code "_"...
using contracts::Selection;
using contracts::SelectionKind;
using contracts::kRegions;
using contracts::kBranches;
using contracts::kSuppliers;

// A text argument read by the strict selection-string reader.
Selection parseSelection(const QVariant &argument, const SelectionKind &kind);
// All-flag: "T" or empty.
bool parseAllFlag(const QVariant &argument, const QString &what);
// Periodicity code: empty, or 1 to 2 letters and digits (its existence is checked later).
QString parsePeriodicity(const QVariant &argument);
// Lead time in days: a number (it arrives as a double) that is whole, 0 to 999.
int parseLeadTime(const QVariant &argument);
// Number of a registration run (LOGCADAUTO.NRLOGCADAUTO): a whole number, 1 or more.
qint64 parseRunNumber(const QVariant &argument);

// The scope shared by the validation and the registration.
struct ScopeArguments {
    Selection suppliers;
    bool allSuppliers = false;
    Selection branches;
    bool allBranches = false;
    Selection regions;
};

struct RegistrationArguments {
    ScopeArguments scope;
    QString periodicity;   // empty: registered without periodicity
    int leadTime = 0;
};

// (suppliers, supplier all-flag, branches, branch all-flag, regions)
ScopeArguments parseScopeArguments(const QVariantList &args);
// (suppliers, supplier all-flag, branches, branch all-flag, periodicity, regions, lead time)
RegistrationArguments parseRegistrationArguments(const QVariantList &args);

} // namespace appserver
