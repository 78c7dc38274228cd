#include "gridtext.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSaveFile>
#include <QTableView>

#include <algorithm>

namespace {

// A cell for a tab-separated line: tabs and line breaks would split it.
QString TabCell(const QString &cell)
{
    QString text = cell;
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// A CSV field: quoted when it holds a comma, a quote or a line break, quotes doubled.
QString CsvField(const QString &text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return special.contains(c); }))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString Line(const QStringList &cells, const QString &separator, QString (*cell)(const QString &))
{
    QStringList out;
    out.reserve(cells.size());
    for (const QString &text : cells)
        out << cell(text);
    return out.join(separator);
}

} // namespace

GridText GridText::FromView(const QTableView *view, Rows which)
{
    GridText text;
    const QAbstractItemModel *model = view->model();
    const QHeaderView *header = view->horizontalHeader();
    QList<int> columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!view->isColumnHidden(logical))
            columns << logical;
    }
    for (int column : columns)
        text.titles << model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();

    QList<int> rows;
    const QItemSelectionModel *selection = view->selectionModel();
    if (which == Rows::SelectedOrAll && selection) {
        for (const QModelIndex &index : selection->selectedRows())
            rows << index.row();
    }
    std::sort(rows.begin(), rows.end());
    if (rows.isEmpty()) {
        for (int row = 0; row < model->rowCount(); ++row)
            rows << row;
    }
    for (int row : rows) {
        QStringList cells;
        for (int column : columns)
            cells << model->index(row, column).data(Qt::DisplayRole).toString();
        text.rows << cells;
    }
    return text;
}

QString GridText::ToTabSeparated() const
{
    QStringList lines{Line(titles, QStringLiteral("\t"), TabCell)};
    for (const QStringList &row : rows)
        lines << Line(row, QStringLiteral("\t"), TabCell);
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QByteArray GridText::ToCsv() const
{
    QString csv = Line(titles, QStringLiteral(","), CsvField) + QStringLiteral("\r\n");
    for (const QStringList &row : rows)
        csv += Line(row, QStringLiteral(","), CsvField) + QStringLiteral("\r\n");
    return QByteArray("\xEF\xBB\xBF") + csv.toUtf8();
}

namespace {

QString CannotWrite(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("GridText", "Não foi possível gravar o arquivo \"%1\": %2").arg(path, reason);
}

} // namespace

QString WriteWholeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QCoreApplication::translate("GridText", "Não foi possível criar o arquivo \"%1\": %2")
            .arg(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return CannotWrite(path, reason);
    }
    if (!file.commit())
        return CannotWrite(path, file.errorString());
    return QString();
}
