// Messages in the language of the caller served on each thread: a file with one
// translated and one untranslated text, installed once through CallerTranslator as
// pkg-appserver does. The untranslated text and the languages without a file come out in
// Portuguese, never empty; threads in different languages do not see each other's.

#include "callerlanguage.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <thread>

using namespace appserver;

namespace {

const char *const kContext = "languagecheck";
const char *const kTranslated = "Mensagem traduzida";
const char *const kUntranslated = "Mensagem ainda sem tradução";

QString translated(const char *source)
{
    return QCoreApplication::translate(kContext, source);
}

} // namespace

class TestCallerLanguage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void findsTheLanguagesOfTheFolder();
    void translatesInTheThreadsLanguage_data();
    void translatesInTheThreadsLanguage();
    void scopesNestAndRestore();
    void threadsKeepTheirOwnLanguage();

private:
    std::unique_ptr<CallerTranslator> m_translator;
};

void TestCallerLanguage::initTestCase()
{
    m_translator = std::make_unique<CallerTranslator>(QStringList{QStringLiteral("languagecheck")},
                                                      QStringLiteral(LANGUAGECHECK_DIR));
    QVERIFY(QCoreApplication::installTranslator(m_translator.get()));
}

void TestCallerLanguage::cleanupTestCase()
{
    QCoreApplication::removeTranslator(m_translator.get());
}

void TestCallerLanguage::findsTheLanguagesOfTheFolder()
{
    QCOMPARE(m_translator->languages(), QStringList{QStringLiteral("en")});
    QVERIFY(!m_translator->isEmpty());
    QTemporaryDir empty;
    const CallerTranslator none({QStringLiteral("languagecheck")}, empty.path());
    QVERIFY(none.languages().isEmpty());
    QVERIFY(none.isEmpty());
}

void TestCallerLanguage::translatesInTheThreadsLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("translatedText");
    QTest::addColumn<QString>("untranslatedText");
    const QString untranslated = QString::fromUtf8(kUntranslated);
    QTest::newRow("English") << "en" << "Translated message" << untranslated;
    QTest::newRow("Portuguese") << "" << "Mensagem traduzida" << untranslated;
    QTest::newRow("a language without a file") << "de" << "Mensagem traduzida" << untranslated;
}

void TestCallerLanguage::translatesInTheThreadsLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, translatedText);
    QFETCH(QString, untranslatedText);
    const CallerLanguage::Scope scope(language);
    QCOMPARE(CallerLanguage::current(), language);
    QCOMPARE(translated(kTranslated), translatedText);
    QCOMPARE(translated(kUntranslated), untranslatedText);
}

void TestCallerLanguage::scopesNestAndRestore()
{
    QCOMPARE(CallerLanguage::current(), QString());
    {
        const CallerLanguage::Scope outer(QStringLiteral("en"));
        {
            const CallerLanguage::Scope inner{QString()};
            QCOMPARE(translated(kTranslated), QStringLiteral("Mensagem traduzida"));
        }
        QCOMPARE(translated(kTranslated), QStringLiteral("Translated message"));
    }
    QCOMPARE(CallerLanguage::current(), QString());
}

void TestCallerLanguage::threadsKeepTheirOwnLanguage()
{
    const int kRounds = 2000;
    auto translateMany = [](const QString &language, int *mismatches) {
        const CallerLanguage::Scope scope(language);
        const QString expected =
            language.isEmpty() ? QStringLiteral("Mensagem traduzida") : QStringLiteral("Translated message");
        for (int i = 0; i < kRounds; ++i)
            if (translated(kTranslated) != expected)
                ++*mismatches;
    };
    int englishMismatches = 0;
    int portugueseMismatches = 0;
    std::thread english(translateMany, QStringLiteral("en"), &englishMismatches);
    std::thread portuguese(translateMany, QString(), &portugueseMismatches);
    english.join();
    portuguese.join();
    QCOMPARE(englishMismatches, 0);
    QCOMPARE(portugueseMismatches, 0);
}

QTEST_GUILESS_MAIN(TestCallerLanguage)
#include "tst_callerlanguage.moc"
