#pragma once
// In-memory data set loaded whole from a data packet, with Like filters, ordering by
// index field names, and Locate.

#include "tdataset.h"

#include <QByteArray>
#include <QStringList>
#include <functional>
#include <memory>

class FilterExpression;   // filterexpression.h

class HOSTLIB_EXPORT TClientDataSet : public TDataSet {
    Q_OBJECT
public:
    explicit TClientDataSet(QObject *parent = nullptr);
    ~TClientDataSet() override;

    // Replaces all rows with the packet's (a QByteArray in QVariant). The data set is
    // opened if closed. With persistent fields defined, the packet must carry each of
    // them by name (case-insensitive); extra packet fields are ignored. Without
    // persistent fields, the packet's fields become the data set's.
    // All or nothing: on a malformed packet or a missing field, throws EDatabaseError
    // and leaves fields, rows, cursor and state as they were. Loading counts as an
    // open: the cursor goes to the first row and AfterOpen runs.
    void SetData(const QVariant &packet);
    // How many rows the result behind the last packet has: more than RecordCount when
    // the server sent only the first of them.
    qint64 PacketTotal() const { return m_packetTotal; }

    // Filter in the form  FIELD Like 'pattern'  ('%' any run, '_' one character);
    // also FIELD = 'text', FIELD <> 'text', numbers unquoted, "not", parentheses, and
    // terms joined by "and"/"or" ("and" binds first). '' inside quotes is one
    // apostrophe. Values compare as their text (the language: filterexpression.h). A filter the data set cannot read
    // throws EDatabaseError when it is applied (setting Filtered or Filter while on);
    // filtering is then off, so every row shows.
    QString Filter() const { return m_filter; }
    void SetFilter(const QString &filter);
    bool Filtered() const { return m_filtered; }
    void SetFiltered(bool on);
    bool FilterCaseInsensitive() const { return m_caseInsensitive; }
    void SetFilterCaseInsensitive(bool on);

    // Ascending order by the named fields, separated by ';' (empty: record order).
    // The sort is stable; text compares without regard to letter case, numbers by
    // value, nulls first. Throws EDatabaseError for an unknown field name.
    QString IndexFieldNames() const { return m_indexFieldNames; }
    void SetIndexFieldNames(const QString &names);

    // Moves the cursor to the first row of the view whose fields equal the values
    // (fields separated by ';'). Returns false and leaves the cursor when none matches.
    bool Locate(const QString &fieldNames, const QVariantList &values,
                bool caseInsensitive = false, bool partialKey = false);

protected:
    // Opens empty with the defined fields (loading goes through SetData).
    void DoOpen() override;
    // The view: records in index order (cached), narrowed by the filter in one scan.
    void BuildView(std::vector<int> &view) const override;
    void RecordChanged(int recordIndex) override;
    void RecordsReplaced() override;

private:
    using FieldResolver = std::function<int(const QString &name)>;   // -1 when absent

    // Applies the filter text and switch together; on text it cannot read, filtering
    // ends (all rows show), the text is kept, and EDatabaseError is thrown.
    void ApplyFilterOrThrow(const QString &filter, bool filtered);
    std::unique_ptr<FilterExpression> CompileFilter(const QString &filter, const FieldResolver &resolve) const;
    std::vector<int> ResolveIndexFields(const QString &names, const FieldResolver &resolve) const;
    FieldResolver CurrentFieldResolver() const;
    // Text of every record's value of the field (case-folded when asked), built once
    // per load and kept in step by Post.
    const std::vector<QString> &TextColumn(int fieldIndex, bool folded) const;
    const std::vector<int> &SortedRecords() const;

    qint64 m_packetTotal = 0;
    QString m_filter;
    bool m_filtered = false;
    bool m_caseInsensitive = false;
    QString m_indexFieldNames;
    std::vector<int> m_indexFields;
    std::unique_ptr<FilterExpression> m_compiled;
    mutable std::vector<std::vector<QString>> m_textCache;     // per field, per record
    mutable std::vector<std::vector<QString>> m_foldedCache;   // per field, per record
    mutable std::vector<int> m_sortedRecords;                  // record order by the index
    mutable bool m_sortedValid = false;
};
