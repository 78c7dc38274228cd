#pragma once
// Splits an SQL script into its statements: ';' ends a statement unless it sits inside a
// quoted text ('...', with '' as an escaped quote) or a comment (-- to end of line,
// /* ... */). Comments are dropped; blank statements are skipped.

#include <QString>
#include <QStringList>

namespace appserver {

QStringList splitSqlScript(const QString &script);

} // namespace appserver
