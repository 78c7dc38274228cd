#pragma once
// pkg-host --check-module: loads the module from its file, checks that every export of
// the seam resolves and prints its version, with no database and no window. Run on an
// installed tree, it proves the libraries find each other there.

#include <QString>

class QTextStream;

// The program's exit code: 0 when the module loaded with all its exports, 1 otherwise.
int CheckModule(const QString &path, QTextStream &out, QTextStream &err);
