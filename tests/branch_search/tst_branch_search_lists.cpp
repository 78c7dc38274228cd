// The chosen list's order and pairing and the key index, each checked against the
// plain behaviour it stands in for: a sorted QListWidget and a linear case-insensitive
// search; the list's order itself against hand-written cases. (The selection string's
// reading is checked in tests/contracts.)

#include "codigosescolhidos.h"
#include "modeloescolhidos.h"
#include "randomtext.h"

#include <QListWidget>
#include <QtTest>

#include <clocale>

namespace {

QStringList Entries(const TModeloEscolhidos &model)
{
    QStringList entries;
    for (int i = 0; i < model.Count(); ++i)
        entries << model.Entrada(i);
    return entries;
}

QStringList Keys(const TCodigosEscolhidos &codes)
{
    QStringList keys;
    for (const QString &key : codes.Itens())
        keys << key;
    return keys;
}

// A sorted list box's item ordered by the chosen list's comparison: the reference for
// where entries land, one at a time and in batches. The order itself is checked on
// its own against hand-written expectations.
class ListItem : public QListWidgetItem {
public:
    using QListWidgetItem::QListWidgetItem;
    bool operator<(const QListWidgetItem &other) const override
    {
        return TModeloEscolhidos::Antes(text(), other.text());
    }
};

// Sets the process locale, C library and Qt alike, for the life of the object.
class ProcessLocale {
public:
    explicit ProcessLocale(const char *name) : m_qt(QLocale())
    {
        m_c = setlocale(LC_ALL, nullptr);
        setlocale(LC_ALL, name);
        QLocale::setDefault(QLocale(QString::fromLatin1(name).section('.', 0, 0)));
    }
    ~ProcessLocale()
    {
        setlocale(LC_ALL, m_c.constData());
        QLocale::setDefault(m_qt);
    }

private:
    QByteArray m_c;
    QLocale m_qt;
};

} // namespace

class TestBranchSearchLists : public QObject {
    Q_OBJECT
private slots:
    void chosenListSortsLikeSortedListWidget_data();
    void chosenListSortsLikeSortedListWidget();
    void chosenListOrderIgnoresCaseUnderAnyLocale_data();
    void chosenListOrderIgnoresCaseUnderAnyLocale();
    void removingAKeyKeepsEntriesAndKeysPaired();
    void keyIndexIgnoresCase();
};

void TestBranchSearchLists::chosenListSortsLikeSortedListWidget_data()
{
    QTest::addColumn<QString>("alphabet");
    QTest::addColumn<int>("seed");
    QTest::newRow("digits and blanks") << QStringLiteral("0123 ") << 1;
    QTest::newRow("letters in both cases") << QStringLiteral("aAbBzZ ") << 2;
    QTest::newRow("accents and punctuation") << QStringLiteral("aáAÁeéÉç_-. 9") << 3;
}

// Entries inserted one at a time and in batches land where a sorted list box puts
// them, and each key stays at its entry's position.
void TestBranchSearchLists::chosenListSortsLikeSortedListWidget()
{
    QFETCH(QString, alphabet);
    QFETCH(int, seed);
    QRandomGenerator rng{quint32(seed)};

    QListWidget reference;
    reference.setSortingEnabled(true);
    TCodigosEscolhidos codes;
    TModeloEscolhidos model(codes);

    int serial = 0;
    auto nextChoice = [&] {
        // The key is unique; the entry text repeats often, so equal entries occur.
        const QString key = QString::number(serial++);
        return TEscolha{RandomText(rng, alphabet, 4), key};
    };
    std::map<QString, QString> entryOfKey;
    for (int round = 0; round < 4; ++round) {
        for (int i = 0; i < 60; ++i) {
            const TEscolha one = nextChoice();
            entryOfKey[one.chave] = one.entrada;
            const int pos = model.Insere(one.entrada, one.chave);
            auto *item = new ListItem(one.entrada);
            reference.addItem(item);
            QCOMPARE(pos, reference.row(item));
        }
        std::vector<TEscolha> batch;
        for (int i = 0; i < 80; ++i) {
            batch.push_back(nextChoice());
            entryOfKey[batch.back().chave] = batch.back().entrada;
            reference.addItem(new ListItem(batch.back().entrada));
        }
        model.InsereVarias(batch);
    }

    QStringList expected;
    for (int i = 0; i < reference.count(); ++i)
        expected << reference.item(i)->text();
    QCOMPARE(Entries(model), expected);
    QCOMPARE(codes.Count(), model.Count());
    for (int i = 0; i < codes.Count(); ++i)
        QCOMPARE(model.Entrada(i), entryOfKey.at(codes[i]));
}

void TestBranchSearchLists::chosenListOrderIgnoresCaseUnderAnyLocale_data()
{
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<QStringList>("inserted");
    QTest::addColumn<QStringList>("expected");
    const struct {
        const char *name;
        QStringList inserted;
        QStringList expected;
    } cases[] = {
        {"lower case before a later capital", {"B", "a"}, {"a", "B"}},
        {"names in mixed case", {"0002  SAO PAULO  ", "0002  Sao Carlos  ", "0002  santos  "},
         {"0002  santos  ", "0002  Sao Carlos  ", "0002  SAO PAULO  "}},
        // Equal but for case: the newer entry goes before the older one.
        {"equal but for case", {"b", "A", "a"}, {"a", "A", "b"}},
        {"accents next to their letter", {"Zebra", "ágio", "Abacate", "Bola"},
         {"Abacate", "ágio", "Bola", "Zebra"}},
    };
    for (const char *locale : {"C.UTF-8", "pt_BR.UTF-8"}) {
        for (const auto &c : cases)
            QTest::addRow("%s, %s", locale, c.name) << QByteArray(locale) << c.inserted << c.expected;
    }
}

// The list's order is alphabetical without regard to case, and it does not depend on
// the locale the process runs under (ctest runs under C).
void TestBranchSearchLists::chosenListOrderIgnoresCaseUnderAnyLocale()
{
    QFETCH(QByteArray, locale);
    QFETCH(QStringList, inserted);
    QFETCH(QStringList, expected);
    ProcessLocale processLocale(locale.constData());

    TCodigosEscolhidos oneByOneCodes, batchCodes;
    TModeloEscolhidos oneByOne(oneByOneCodes), batch(batchCodes);
    std::vector<TEscolha> all;
    for (const QString &entry : inserted) {
        oneByOne.Insere(entry, "K" + entry);
        all.push_back({entry, "K" + entry});
    }
    batch.InsereVarias(all);
    QCOMPARE(Entries(oneByOne), expected);
    QCOMPARE(Entries(batch), expected);
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(oneByOneCodes[i], "K" + expected.at(i));
}

void TestBranchSearchLists::removingAKeyKeepsEntriesAndKeysPaired()
{
    TCodigosEscolhidos codes;
    TModeloEscolhidos model(codes);
    model.InsereVarias({{"SAME", "K1"}, {"SAME", "K2"}, {"OTHER", "K3"}, {"SAME", "K4"}});
    QCOMPARE(model.Count(), 4);

    // Equal entries: the key decides which one goes.
    QVERIFY(model.RemoveChave("k2", "SAME"));
    QVERIFY(!codes.Contains("K2"));
    // An entry text that no longer matches still finds the key's own position.
    QVERIFY(model.RemoveChave("K3", "CHANGED SINCE"));
    QVERIFY(!model.RemoveChave("K9", "SAME"));
    QCOMPARE(Entries(model), QStringList({"SAME", "SAME"}));
    QCOMPARE(Keys(codes).size(), 2);
    QVERIFY(codes.Contains("K1") && codes.Contains("K4"));

    model.RemoveChaves({TCodigosEscolhidos::Dobra("k4")});
    QCOMPARE(Keys(codes), QStringList({"K1"}));
    model.RemovePosicao(0);
    QCOMPARE(model.Count(), 0);
    QCOMPARE(codes.Count(), 0);
}

void TestBranchSearchLists::keyIndexIgnoresCase()
{
    TCodigosEscolhidos codes;
    codes.Insert(0, "ab01");
    codes.Insert(0, "XY02");
    QVERIFY(codes.Contains("AB01"));
    QCOMPARE(codes.IndexOf("xy02"), 0);
    QCOMPARE(codes.IndexOf("Ab01"), 1);
    QCOMPARE(codes.IndexOf("ab0"), -1);
    codes.Delete(1);
    QVERIFY(!codes.Contains("ab01"));
    codes.Reorder({"k", "K"}, {"k", "K"}, {"XY02"});
    codes.Delete(0);
    QVERIFY(codes.Contains("k"));   // one occurrence is left
}

QTEST_MAIN(TestBranchSearchLists)
#include "tst_branch_search_lists.moc"
