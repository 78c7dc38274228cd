#pragma once
// The language the server writes its messages in, per caller. Every message goes through
// Qt's translation lookup (ServerTexts::tr, contracts::Texts::tr). A server process that
// serves many callers at once installs one CallerTranslator: it answers each lookup in
// the language set on the thread that asks, so two requests on two worker threads get
// their messages in two languages. No language set, a language the server has no file
// for, or a text its file lacks: the built-in Portuguese, never an empty text.
//
// In-process the host installs the server's language file like its own, for its locale,
// and none of this is needed.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTranslator>
#include <map>
#include <memory>
#include <vector>

namespace appserver {

namespace CallerLanguage {

// The caller's language on this thread ("en"); empty for the built-in Portuguese.
QString current();

// Sets the caller's language on this thread for as long as it lives.
class Scope {
public:
    explicit Scope(const QString &language);
    ~Scope();
    Scope(const Scope &) = delete;
    Scope &operator=(const Scope &) = delete;

private:
    QString m_previous;
};

// The language to answer in for an HTTP Accept-Language value ("en-US,en;q=0.9,pt;q=0.8"):
// the caller's most preferred one that is Portuguese (empty result) or one of `available`
// (matched on the whole tag or on its language part, case-insensitively). Empty when
// there is no header, it names none of them, or it cannot be read.
QString fromAcceptLanguage(const QByteArray &header, const QStringList &available);

} // namespace CallerLanguage

class CallerTranslator : public QTranslator {
public:
    // Loads every <baseName>_<language>.qm found in the folder, for each base name.
    CallerTranslator(const QStringList &baseNames, const QString &folder);

    // The languages some file was loaded for ("en"), sorted.
    QStringList languages() const;

    // The translation in the current thread's caller language; a null text when there
    // is none, so that Qt falls back to the source text.
    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override;

private:
    std::map<QString, std::vector<std::unique_ptr<QTranslator>>> m_byLanguage;
};

} // namespace appserver
