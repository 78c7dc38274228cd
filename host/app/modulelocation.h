#pragma once
// Where the host application finds the module when --module does not name it.

#include <QString>
#include <QStringList>

// The places tried, in order: beside the program (the build tree), then the installed
// module folder reached from the program's folder (bin/ -> lib/pkg-cmp04702/modules), so
// that an installed tree runs from wherever it is unpacked.
QStringList ModuleCandidates(const QString &programDir);

// The first candidate that exists; the first one when none does, so that the loader's
// error names a file.
QString FindModule(const QString &programDir);
