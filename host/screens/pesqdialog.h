#pragma once
// The modal list dialog behind TBtnPesquisa (one row picked) and PesquisaLista (rows
// marked). Internal to the host library.
//
// The grid shares the caller's data source, so the data set's cursor follows the grid's
// current row. A search box above the grid moves to the first row whose searched fields
// begin with the typed text.

#include <QDialog>
#include <QSet>
#include <QStringList>
#include <QVector>
#include <functional>
#include <vector>

class QLineEdit;
class QPushButton;
class TDataSource;
class TDBGrid;
class TField;

class PesqDialog : public QDialog {
    Q_OBJECT
public:
    enum class Mode { PickOne, MarkMany };

    PesqDialog(QWidget *parent, TDataSource *source, const QString &caption, Mode mode,
               const QStringList &searchFields);

    TDBGrid *Grid() const { return m_grid; }
    int CurrentRow() const;

    // Marks (MarkMany): rows in view order. Space or a click toggles the current row.
    // Marks every row whose key (trimmed) the predicate accepts.
    void MarkRowsWithKeys(TField *keyField, const std::function<bool(const QString &key)> &isChosen);
    QVector<int> MarkedRows() const;
    void ToggleMark(int row);
    bool IsMarked(int row) const;

private:
    class MarkDelegate;
    void Search(const QString &text);
    void EnsureMarkRows();

    TDataSource *m_source;
    Mode m_mode;
    QStringList m_searchFields;
    QLineEdit *m_search;
    TDBGrid *m_grid;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    // One flag per row. Kept apart from the grid's selection, which follows the cursor.
    std::vector<char> m_marks;
};
