#pragma once
// In-memory data set loaded whole from a data packet, with Like filters, ordering by
// index field names, and Locate.

#include "tdataset.h"

#include <QByteArray>
#include <QStringList>

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
    // and leaves fields, rows, cursor and state as they were.
    void SetData(const QVariant &packet);

    // Filter in the form  FIELD Like 'pattern'  ('%' any run, '_' one character);
    // several terms may be joined by "and"/"or". A filter the data set cannot read
    // throws EDatabaseError when it is applied (setting Filtered or Filter while on).
    QString Filter() const { return m_filter; }
    void SetFilter(const QString &filter);
    bool Filtered() const { return m_filtered; }
    void SetFiltered(bool on);
    bool FilterCaseInsensitive() const { return m_caseInsensitive; }
    void SetFilterCaseInsensitive(bool on);

    // Ascending order by the named fields, separated by ';' (empty: record order).
    // The sort is stable. Throws EDatabaseError for an unknown field name.
    QString IndexFieldNames() const { return m_indexFieldNames; }
    void SetIndexFieldNames(const QString &names);

    // Moves the cursor to the first row of the view whose fields equal the values
    // (fields separated by ';'). Returns false and leaves the cursor when none matches.
    bool Locate(const QString &fieldNames, const QVariantList &values,
                bool caseInsensitive = false, bool partialKey = false);

protected:
    void DoOpen() override;
    void BuildView(std::vector<int> &view) const override;

private:
    class CompiledFilter;
    void ApplyFilterOrThrow(const QString &filter, bool filtered);

    QString m_filter;
    bool m_filtered = false;
    bool m_caseInsensitive = false;
    QString m_indexFieldNames;
    std::vector<int> m_indexFields;
    std::unique_ptr<CompiledFilter> m_compiled;
};
