#pragma once
// How the host's lists show what they read from the database.

#include <QString>
#include <QVariant>

namespace DisplayText {

// A TIMESTAMP column as the user reads it, in local time: PostgreSQL gives a date-time,
// SQLite the text CURRENT_TIMESTAMP wrote, which is UTC. Null: the empty text; a text
// that is no date-time: the text itself.
QString DateTime(const QVariant &stored);
// A code and its name, "SE - Sudeste"; the code alone when there is no name.
QString CodeAndName(const QVariant &code, const QVariant &name);

} // namespace DisplayText
