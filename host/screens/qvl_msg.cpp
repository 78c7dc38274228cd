#include "qvl_msg.h"

#include "runtime/errors.h"

TMessages::TMessages(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("msgPadrao"));
}

QString TMessages::Msg(const QString &key) const
{
    // Exact key first; a key that differs only in case is accepted as a fallback.
    const QString *caseless = nullptr;
    QString found;
    for (const QString &line : m_lines) {
        const int bar = line.indexOf(QLatin1Char('|'));
        if (bar < 0)
            continue;
        const QString lineKey = line.left(bar).trimmed();
        if (lineKey == key)
            return line.mid(bar + 1);
        if (!caseless && lineKey.compare(key, Qt::CaseInsensitive) == 0) {
            found = line.mid(bar + 1);
            caseless = &found;
        }
    }
    if (caseless)
        return found;
    throw EHostError(tr("Mensagem \"%1\" não encontrada na tabela de mensagens.").arg(key));
}
