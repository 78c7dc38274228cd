#pragma once
// Matching a user's text with LIKE, the same on SQLite and PostgreSQL. The text is bound
// as a value, never pasted into the statement, and its own '%', '_' and '\' are escaped
// so that they match themselves. Both sides go through the engine's UPPER, so case is
// ignored as far as the engine's UPPER goes (SQLite: ASCII letters; PostgreSQL: every
// letter of the database's locale).

#include <QString>

namespace SqlLike {

// The text with '\', '%' and '_' escaped by '\'.
QString Escaped(const QString &text);
// Operands for the term below: the text anywhere / at the start.
QString Containing(const QString &text);
QString StartingWith(const QString &text);
// "UPPER(column) LIKE UPPER(?) ESCAPE '\'", for one bound operand.
QString Term(const QString &column);

} // namespace SqlLike
