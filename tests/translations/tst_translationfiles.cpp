// Every Qt Linguist file of the tree is complete: each message has a finished, non-empty
// translation that keeps the source's placeholders and, for a message-table line
// "Key|Text", the key. lupdate adds new texts as unfinished, so a text added to the code
// without its translation fails here.

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct Message {
    QString context;
    QString source;
    QString translation;
    QString type;   // "unfinished", "vanished", "obsolete" or empty when finished
};

QList<Message> ReadMessages(const QString &path, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return {};
    }
    QList<Message> messages;
    QString context;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            messages.append({context, QString(), QString(), QString()});
        } else if (xml.name() == QLatin1String("source") && !messages.isEmpty()) {
            messages.last().source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation") && !messages.isEmpty()) {
            messages.last().type = xml.attributes().value(QLatin1String("type")).toString();
            messages.last().translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    if (xml.hasError())
        error = xml.errorString();
    return messages;
}

QSet<QString> Placeholders(const QString &text)
{
    static const QRegularExpression placeholder(QStringLiteral("%(\\d+|s)"));
    QSet<QString> found;
    for (auto it = placeholder.globalMatch(text); it.hasNext();)
        found.insert(it.next().captured());
    return found;
}

// The key of a message-table line, or empty when the text is not one.
QString TableKey(const QString &text)
{
    static const QRegularExpression key(QStringLiteral("^([A-Za-z_0-9]+)\\|"));
    return key.match(text).captured(1);
}

QString ProblemOf(const Message &message)
{
    if (!message.type.isEmpty())
        return QStringLiteral("translation %1").arg(message.type);
    if (message.translation.trimmed().isEmpty())
        return QStringLiteral("empty translation");
    if (Placeholders(message.translation) != Placeholders(message.source))
        return QStringLiteral("placeholders differ: \"%1\"").arg(message.translation);
    if (TableKey(message.translation) != TableKey(message.source))
        return QStringLiteral("message-table key lost: \"%1\"").arg(message.translation);
    return QString();
}

} // namespace

class TestTranslationFiles : public QObject {
    Q_OBJECT
private slots:
    void everyMessageTranslated_data()
    {
        QTest::addColumn<QString>("path");
        for (const QString &path : QStringLiteral(TRANSLATION_FILES).split(QLatin1Char('|')))
            QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
    }

    void everyMessageTranslated()
    {
        QFETCH(QString, path);
        QString error;
        const QList<Message> messages = ReadMessages(path, error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY2(!messages.isEmpty(), "no messages");
        QStringList problems;
        for (const Message &message : messages) {
            const QString problem = ProblemOf(message);
            if (!problem.isEmpty())
                problems << QStringLiteral("%1 \"%2\": %3").arg(message.context, message.source, problem);
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestTranslationFiles)
#include "tst_translationfiles.moc"
