#pragma once
// The rows of a grid as text, the way the user sees them (visible columns in screen
// order, titles, display texts), and the two forms in which they leave the screen:
// tab-separated text for the clipboard, as spreadsheets paste it, and RFC 4180 CSV in
// UTF-8 with a byte-order mark, so that spreadsheet programs read the accents.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QTableView;

struct GridText {
    QStringList titles;
    QList<QStringList> rows;

    enum class Rows { SelectedOrAll, All };
    // The view's rows in row order: every row, or the selected ones (every row when
    // none is selected).
    static GridText FromView(const QTableView *view, Rows which);

    QString ToTabSeparated() const;
    QByteArray ToCsv() const;
};

// Writes the bytes to the file whole or not at all: through a temporary file that
// replaces the target only once everything is written. Empty on success, else the
// reason in Portuguese.
QString WriteWholeFile(const QString &path, const QByteArray &bytes);
