// The chosen list's order and pairing and the key index, each checked against the
// plain behaviour it stands in for: a sorted QListWidget and a linear case-insensitive
// search. (The selection string's reading is checked in tests/contracts.)

#include "codigosescolhidos.h"
#include "modeloescolhidos.h"
#include "randomtext.h"

#include <QListWidget>
#include <QtTest>

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

} // namespace

class TestBranchSearchLists : public QObject {
    Q_OBJECT
private slots:
    void chosenListSortsLikeSortedListWidget_data();
    void chosenListSortsLikeSortedListWidget();
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
            auto *item = new QListWidgetItem(one.entrada);
            reference.addItem(item);
            QCOMPARE(pos, reference.row(item));
        }
        std::vector<TEscolha> batch;
        for (int i = 0; i < 80; ++i) {
            batch.push_back(nextChoice());
            entryOfKey[batch.back().chave] = batch.back().entrada;
            reference.addItem(batch.back().entrada);
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
