#pragma once
// The filter language of the client data set (TClientDataSet::SetFilter):
//   FIELD Like 'pattern'   ('%' any run, '_' one character), FIELD Not Like 'pattern'
//   FIELD = 'text', FIELD <> 'text', numbers unquoted
//   Not, parentheses, terms joined by And / Or (And binds first)
// Keywords in any letter case; '' inside quotes is one apostrophe. Values compare as
// the text of the field's cells.

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class FilterExpression {
public:
    // The index of the named field, -1 when the data set has none.
    using FieldResolver = std::function<int(const QString &name)>;
    // The text of every record's cell of a field (case-folded when asked).
    using TextColumnSource = std::function<const std::vector<QString> &(int field, bool folded)>;

    // Reads the filter text once. Text it cannot read, or a field it cannot resolve,
    // throws EDatabaseError naming the filter and the spot.
    static std::unique_ptr<FilterExpression> Compile(const QString &text, bool caseInsensitive,
                                                     const FieldResolver &resolve);
    ~FilterExpression();

    struct Node;   // the compiled tree (filterexpression.cpp)

    // Points every comparison at the current text column of its field; call before a
    // scan, since the columns change with the data.
    void Prepare(const TextColumnSource &columnOf) const;
    bool Matches(int record) const;

private:
    FilterExpression(std::unique_ptr<Node> root, bool caseInsensitive);
    void Prepare(const TextColumnSource &columnOf, Node *node) const;

    std::unique_ptr<Node> m_root;
    bool m_caseInsensitive;
};
