#include "filterexpression.h"

#include "runtime/errors.h"

#include <algorithm>
#include <QCoreApplication>

// The filter text is compiled once into a small expression tree; each Like pattern is
// split at its '%' signs into fixed-length segments ('_' matches one character), so a
// row is tested by comparing characters in place: no regular expression, no
// allocation per row. With the case-insensitive option the pattern is case-folded
// once and compared with the data set's case-folded copy of the column.

namespace {

class LikePattern {
public:
    explicit LikePattern(const QString &pattern = QString())
    {
        Segment current;
        for (const QChar c : pattern) {
            if (c == QLatin1Char('%')) {
                m_segments.push_back(std::move(current));
                current = Segment();
            } else {
                current.text.append(c);
                current.anyChar.push_back(c == QLatin1Char('_'));
            }
        }
        m_segments.push_back(std::move(current));
    }

    bool Matches(const QString &value) const
    {
        const QChar *s = value.constData();
        const int n = int(value.size());
        const Segment &first = m_segments.front();
        if (m_segments.size() == 1)
            return n == first.length() && first.MatchesAt(s, 0);
        const Segment &last = m_segments.back();
        if (n < first.length() + last.length())
            return false;
        if (!first.MatchesAt(s, 0) || !last.MatchesAt(s, n - last.length()))
            return false;
        // Middle segments: leftmost match of each in turn (sound for '%' and '_').
        int pos = first.length();
        const int end = n - last.length();
        for (size_t i = 1; i + 1 < m_segments.size(); ++i) {
            const Segment &segment = m_segments[i];
            bool found = false;
            for (; pos + segment.length() <= end; ++pos) {
                if (segment.MatchesAt(s, pos)) {
                    found = true;
                    break;
                }
            }
            if (!found)
                return false;
            pos += segment.length();
        }
        return true;
    }

private:
    struct Segment {
        QString text;
        std::vector<bool> anyChar;   // '_' at that position
        int length() const { return int(text.size()); }
        bool MatchesAt(const QChar *s, int pos) const
        {
            const QChar *p = text.constData();
            for (int i = 0; i < length(); ++i)
                if (p[i] != s[pos + i] && !anyChar[size_t(i)])
                    return false;
            return true;
        }
    };
    std::vector<Segment> m_segments;
};

} // namespace

struct FilterExpression::Node {
    enum class Kind { Like, Equal, NotEqual, And, Or, Not };
    Kind kind = Kind::Like;
    int field = -1;
    QString text;                                 // Equal/NotEqual operand
    LikePattern pattern;                          // Like operand
    const std::vector<QString> *column = nullptr; // values of the field, set before a scan
    std::unique_ptr<Node> left, right;
    int depth = 1;                                // levels of the tree from this node down

    bool Matches(int record) const
    {
        switch (kind) {
        case Kind::Like: return pattern.Matches((*column)[size_t(record)]);
        case Kind::Equal: return (*column)[size_t(record)] == text;
        case Kind::NotEqual: return (*column)[size_t(record)] != text;
        case Kind::And: return left->Matches(record) && right->Matches(record);
        case Kind::Or: return left->Matches(record) || right->Matches(record);
        case Kind::Not: return !left->Matches(record);
        }
        return false;
    }
};

namespace {

using Node = FilterExpression::Node;

struct Token {
    enum class Type { Name, Text, Number, LParen, RParen, Equal, NotEqual, End };
    Type type = Type::End;
    QString text;
    int position = 0;
};

// The most levels a filter may have: nested parentheses and Not, and terms joined by And
// and Or. Reading, matching and freeing a filter each recurse once per level, so this
// keeps a filter built from typed text (an apostrophe lets the text reach the syntax)
// from exhausting the stack; filters the program writes have a few levels.
constexpr int kMaxFilterLevels = 500;

// Recursive-descent reader of the filter text:
//   or := and { OR and };  and := unary { AND unary };
//   unary := NOT unary | "(" or ")" | NAME [NOT] LIKE value | NAME ("=" | "<>") value
class FilterParser {
    Q_DECLARE_TR_FUNCTIONS(FilterParser)
public:
    FilterParser(const QString &text, bool caseInsensitive, const std::function<int(const QString &)> &resolve)
        : m_text(text), m_caseInsensitive(caseInsensitive), m_resolve(resolve)
    {
        Advance();
    }

    std::unique_ptr<Node> Parse()
    {
        auto node = ParseOr();
        if (m_token.type != Token::Type::End)
            Fail(Unexpected());
        return node;
    }

private:
    [[noreturn]] void Fail(const QString &reason) const
    {
        throw EDatabaseError(tr("Não foi possível interpretar o filtro %1: %2.").arg(m_text, reason));
    }

    QString Unexpected() const
    {
        if (m_token.type == Token::Type::End)
            return tr("a expressão termina antes do esperado");
        return tr("texto inesperado \"%1\" na posição %2")
            .arg(m_text.mid(m_token.position), QString::number(m_token.position + 1));
    }

    bool IsKeyword(const char *word) const
    {
        return m_token.type == Token::Type::Name && m_token.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }

    void Advance()
    {
        const int n = int(m_text.size());
        while (m_pos < n && m_text[m_pos].isSpace())
            ++m_pos;
        m_token = Token();
        m_token.position = m_pos;
        if (m_pos >= n)
            return;
        const QChar c = m_text[m_pos];
        if (c.isLetter() || c == QLatin1Char('_')) {
            const int start = m_pos;
            while (m_pos < n && (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == QLatin1Char('_')))
                ++m_pos;
            m_token.type = Token::Type::Name;
            m_token.text = m_text.mid(start, m_pos - start);
        } else if (c.isDigit() || c == QLatin1Char('-')) {
            const int start = m_pos++;
            while (m_pos < n && (m_text[m_pos].isDigit() || m_text[m_pos] == QLatin1Char('.')))
                ++m_pos;
            m_token.type = Token::Type::Number;
            m_token.text = m_text.mid(start, m_pos - start);
        } else if (c == QLatin1Char('\'')) {
            ReadQuoted();
        } else if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
            m_token.type = c == QLatin1Char('(') ? Token::Type::LParen : Token::Type::RParen;
            ++m_pos;
        } else if (c == QLatin1Char('=')) {
            m_token.type = Token::Type::Equal;
            ++m_pos;
        } else if (m_text.mid(m_pos, 2) == QLatin1String("<>")) {
            m_token.type = Token::Type::NotEqual;
            m_pos += 2;
        } else {
            m_token.type = Token::Type::Text;   // placeholder so that the message shows the spot
            Fail(Unexpected());
        }
    }

    void ReadQuoted()
    {
        const int n = int(m_text.size());
        ++m_pos;
        QString value;
        for (;;) {
            if (m_pos >= n)
                Fail(tr("apóstrofo sem fechamento na posição %1").arg(m_token.position + 1));
            const QChar c = m_text[m_pos++];
            if (c != QLatin1Char('\'')) {
                value.append(c);
            } else if (m_pos < n && m_text[m_pos] == QLatin1Char('\'')) {
                value.append(c);   // '' stands for one apostrophe
                ++m_pos;
            } else {
                break;
            }
        }
        m_token.type = Token::Type::Text;
        m_token.text = value;
    }

    std::unique_ptr<Node> Binary(Node::Kind kind, std::unique_ptr<Node> left, std::unique_ptr<Node> right)
    {
        auto node = std::make_unique<Node>();
        node->kind = kind;
        node->depth = 1 + std::max(left ? left->depth : 0, right ? right->depth : 0);
        if (node->depth > kMaxFilterLevels)
            FailTooDeep();
        node->left = std::move(left);
        node->right = std::move(right);
        return node;
    }

    [[noreturn]] void FailTooDeep() const
    {
        Fail(tr("a expressão passa de %1 níveis de parênteses, Not, And e Or").arg(kMaxFilterLevels));
    }

    // One more level of parentheses or Not while reading what they enclose.
    class Nesting {
    public:
        explicit Nesting(FilterParser &parser) : m_parser(parser)
        {
            if (++m_parser.m_nesting > kMaxFilterLevels)
                m_parser.FailTooDeep();
        }
        ~Nesting() { --m_parser.m_nesting; }
        Nesting(const Nesting &) = delete;
        Nesting &operator=(const Nesting &) = delete;

    private:
        FilterParser &m_parser;
    };

    std::unique_ptr<Node> ParseOr()
    {
        auto node = ParseAnd();
        while (IsKeyword("or")) {
            Advance();
            node = Binary(Node::Kind::Or, std::move(node), ParseAnd());
        }
        return node;
    }

    std::unique_ptr<Node> ParseAnd()
    {
        auto node = ParseUnary();
        while (IsKeyword("and")) {
            Advance();
            node = Binary(Node::Kind::And, std::move(node), ParseUnary());
        }
        return node;
    }

    std::unique_ptr<Node> ParseUnary()
    {
        if (IsKeyword("not")) {
            Advance();
            const Nesting nesting(*this);
            return Binary(Node::Kind::Not, ParseUnary(), nullptr);
        }
        if (m_token.type == Token::Type::LParen) {
            Advance();
            const Nesting nesting(*this);
            auto node = ParseOr();
            if (m_token.type != Token::Type::RParen)
                Fail(Unexpected());
            Advance();
            return node;
        }
        return ParseComparison();
    }

    std::unique_ptr<Node> ParseComparison()
    {
        if (m_token.type != Token::Type::Name)
            Fail(Unexpected());
        const QString fieldName = m_token.text;
        const int field = m_resolve(fieldName);
        if (field < 0)
            Fail(tr("campo %1 não encontrado").arg(fieldName));
        Advance();

        auto node = std::make_unique<Node>();
        node->field = field;
        bool negated = false;
        if (IsKeyword("not")) {
            negated = true;
            Advance();
            if (!IsKeyword("like"))
                Fail(Unexpected());
        }
        if (IsKeyword("like"))
            node->kind = Node::Kind::Like;
        else if (m_token.type == Token::Type::Equal)
            node->kind = Node::Kind::Equal;
        else if (m_token.type == Token::Type::NotEqual)
            node->kind = Node::Kind::NotEqual;
        else
            Fail(Unexpected());
        Advance();

        if (m_token.type != Token::Type::Text && m_token.type != Token::Type::Number)
            Fail(Unexpected());
        const QString operand = m_caseInsensitive ? m_token.text.toCaseFolded() : m_token.text;
        if (node->kind == Node::Kind::Like)
            node->pattern = LikePattern(operand);
        else
            node->text = operand;
        Advance();
        return negated ? Binary(Node::Kind::Not, std::move(node), nullptr) : std::move(node);
    }

    const QString m_text;
    const bool m_caseInsensitive;
    const std::function<int(const QString &)> &m_resolve;
    int m_pos = 0;
    int m_nesting = 0;   // parentheses and Not open at the current token
    Token m_token;
};

} // namespace

std::unique_ptr<FilterExpression> FilterExpression::Compile(const QString &text, bool caseInsensitive,
                                                           const FieldResolver &resolve)
{
    FilterParser parser(text, caseInsensitive, resolve);
    return std::unique_ptr<FilterExpression>(new FilterExpression(parser.Parse(), caseInsensitive));
}

FilterExpression::FilterExpression(std::unique_ptr<Node> root, bool caseInsensitive)
    : m_root(std::move(root)), m_caseInsensitive(caseInsensitive)
{
}

FilterExpression::~FilterExpression() = default;

void FilterExpression::Prepare(const TextColumnSource &columnOf) const
{
    Prepare(columnOf, m_root.get());
}

bool FilterExpression::Matches(int record) const
{
    return m_root->Matches(record);
}

void FilterExpression::Prepare(const TextColumnSource &columnOf, Node *node) const
{
    if (!node)
        return;
    if (node->field >= 0)
        node->column = &columnOf(node->field, m_caseInsensitive);
    Prepare(columnOf, node->left.get());
    Prepare(columnOf, node->right.get());
}
