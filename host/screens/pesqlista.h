#pragma once
// List searches over a data source.

#include "hostlib_export.h"

#include <QString>
#include <QStringList>

class QWidget;
class TDataSet;
class TDataSource;

namespace Pesqlista {

// Modal multi-select list over the data source's visible fields (opening a closed data
// set). The search title is "caption|empty-list text"; with no rows the empty-list text
// is shown and nothing else happens. Rows whose key the incoming selection names
// ("_key_" occurs in it, contracts::SelectionCodes) start marked. On confirmation the
// picked key values are left in `selection` as "_A_B_" (empty when nothing is picked);
// otherwise it is unchanged.
// Returns true when the user confirmed.
HOSTLIB_EXPORT bool PesquisaLista(TDataSource *source, const QString &keyField,
                                  const QString &title, bool flag, QString &selection);

// Moves the data set's cursor to the first row whose value in one of the fields begins
// with the text (case-insensitive). Returns false when none does.
HOSTLIB_EXPORT bool LocateAll(TDataSet *dataSet, const QStringList &fieldNames, const QString &text);

// The modal list of the running PesquisaLista (for tests; nullptr when none is open).
HOSTLIB_EXPORT QWidget *ActiveList();

} // namespace Pesqlista
