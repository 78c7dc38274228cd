#include "sqlscript.h"

namespace appserver {

namespace {

class ScriptSplitter {
public:
    explicit ScriptSplitter(const QString &script) : m_text(script) {}

    QStringList split()
    {
        while (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos);
            if (c == QLatin1Char('\''))
                copyQuoted();
            else if (startsWith("--"))
                skipLineComment();
            else if (startsWith("/*"))
                skipBlockComment();
            else if (c == QLatin1Char(';'))
                endStatement();
            else
                m_current.append(m_text.at(m_pos++));
        }
        endStatement();
        return m_statements;
    }

private:
    bool startsWith(const char *token) const
    {
        return QStringView(m_text).mid(m_pos).startsWith(QLatin1String(token));
    }

    void copyQuoted()
    {
        m_current.append(m_text.at(m_pos++));
        while (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos++);
            m_current.append(c);
            if (c != QLatin1Char('\''))
                continue;
            if (m_pos < m_text.size() && m_text.at(m_pos) == QLatin1Char('\''))
                m_current.append(m_text.at(m_pos++));   // '' inside a text
            else
                return;
        }
    }

    void skipLineComment()
    {
        const int end = m_text.indexOf(QLatin1Char('\n'), m_pos);
        m_pos = end < 0 ? int(m_text.size()) : end;
    }

    void skipBlockComment()
    {
        const int end = m_text.indexOf(QLatin1String("*/"), m_pos + 2);
        m_pos = end < 0 ? int(m_text.size()) : end + 2;
        m_current.append(QLatin1Char(' '));
    }

    void endStatement()
    {
        const QString statement = m_current.trimmed();
        if (!statement.isEmpty())
            m_statements.append(statement);
        m_current.clear();
        ++m_pos;
    }

    const QString &m_text;
    int m_pos = 0;
    QString m_current;
    QStringList m_statements;
};

} // namespace

QStringList splitSqlScript(const QString &script)
{
    return ScriptSplitter(script).split();
}

} // namespace appserver
