#pragma once
// Where the language files of the host and of the application server are: the
// share/pkg-cmp04702/translations folder reached from the programs' folder (bin/), in
// the build tree as in an installed tree.

#include <QString>

namespace contracts {

QString translationsFolder(const QString &programDir);

} // namespace contracts
