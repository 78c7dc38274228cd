#include "callerlanguage.h"

#include <QDir>
#include <algorithm>
#include <optional>

namespace appserver {

namespace CallerLanguage {

namespace {

thread_local QString t_language;

// More entries than any browser sends; the rest of a longer header is not read.
const int kMaxRanges = 32;

struct LanguageRange {
    QString tag;     // lower case, "-" between the parts
    double weight;   // the q-value, 0 to 1
};

// One "tag;q=0.8" item; nothing when it cannot be read.
std::optional<LanguageRange> readRange(const QByteArray &item)
{
    const QList<QByteArray> parts = item.split(';');
    LanguageRange range{QString::fromLatin1(parts.first().trimmed()).toLower().replace(QLatin1Char('_'), QLatin1Char('-')),
                        1.0};
    if (range.tag.isEmpty())
        return std::nullopt;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QByteArray parameter = parts.at(i).trimmed();
        if (!parameter.startsWith("q=") && !parameter.startsWith("Q="))
            continue;
        bool ok = false;
        range.weight = parameter.mid(2).toDouble(&ok);
        if (!ok || range.weight < 0 || range.weight > 1)
            return std::nullopt;
    }
    return range;
}

QString primaryPart(const QString &tag)
{
    return tag.section(QLatin1Char('-'), 0, 0);
}

} // namespace

QString current()
{
    return t_language;
}

Scope::Scope(const QString &language) : m_previous(t_language)
{
    t_language = language;
}

Scope::~Scope()
{
    t_language = m_previous;
}

QString fromAcceptLanguage(const QByteArray &header, const QStringList &available)
{
    std::vector<LanguageRange> ranges;
    for (const QByteArray &item : header.split(',')) {
        if (ranges.size() == size_t(kMaxRanges))
            break;
        if (std::optional<LanguageRange> range = readRange(item); range && range->weight > 0)
            ranges.push_back(*range);
    }
    // Most preferred first; equal weights keep the caller's order.
    std::stable_sort(ranges.begin(), ranges.end(),
                     [](const LanguageRange &a, const LanguageRange &b) { return a.weight > b.weight; });
    for (const LanguageRange &range : ranges) {
        if (range.tag == QLatin1String("*") || primaryPart(range.tag) == QLatin1String("pt"))
            return QString();
        for (const QString &language : available) {
            const QString tag = language.toLower().replace(QLatin1Char('_'), QLatin1Char('-'));
            if (tag == range.tag || tag == primaryPart(range.tag))
                return language;
        }
    }
    return QString();
}

} // namespace CallerLanguage

CallerTranslator::CallerTranslator(const QStringList &baseNames, const QString &folder)
{
    const QDir dir(folder);
    for (const QString &baseName : baseNames) {
        const QString prefix = baseName + QLatin1Char('_');
        for (const QString &file : dir.entryList({prefix + QStringLiteral("*.qm")}, QDir::Files, QDir::Name)) {
            auto translator = std::make_unique<QTranslator>();
            if (!translator->load(dir.filePath(file)))
                continue;
            const QString language = file.mid(prefix.size()).chopped(3);   // "appserver_en.qm" -> "en"
            m_byLanguage[language].push_back(std::move(translator));
        }
    }
}

QStringList CallerTranslator::languages() const
{
    QStringList languages;
    for (const auto &entry : m_byLanguage)
        languages.append(entry.first);
    return languages;
}

QString CallerTranslator::translate(const char *context, const char *sourceText, const char *disambiguation,
                                    int n) const
{
    const auto files = m_byLanguage.find(CallerLanguage::current());
    if (files == m_byLanguage.end())
        return QString();
    for (const std::unique_ptr<QTranslator> &file : files->second) {
        const QString text = file->translate(context, sourceText, disambiguation, n);
        if (!text.isEmpty())
            return text;
    }
    return QString();
}

bool CallerTranslator::isEmpty() const
{
    return m_byLanguage.empty();
}

} // namespace appserver
