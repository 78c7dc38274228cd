// The selection string: its writer, its strict reading (the server's rules and
// messages) and its lenient reading (the substring rule the searches pre-mark by).

#include "selection.h"
#include "randomtext.h"

#include <QtTest>

using namespace contracts;

namespace {

const QString kListFormForRegions =
    QStringLiteral("use vazio, \"T\" ou códigos entre \"_\" (ex.: \"_SE_S_\").");
const QString kListForm = QStringLiteral("use vazio ou códigos entre \"_\" (ex.: \"_0001_0003_\").");

SelectionKind KindNamed(const QString &name)
{
    if (name == QLatin1String("regions"))
        return kRegions;
    if (name == QLatin1String("branches"))
        return kBranches;
    return kSuppliers;
}

} // namespace

class TestSelection : public QObject {
    Q_OBJECT
private slots:
    void readsStrictlyAndLeniently_data();
    void readsStrictlyAndLeniently();
    void writesTheListForm_data();
    void writesTheListForm();
    void lenientReadingFollowsTheSubstringRule_data();
    void lenientReadingFollowsTheSubstringRule();
};

void TestSelection::readsStrictlyAndLeniently_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("all");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QString>("error");          // the strict reader's message; empty: accepted
    QTest::addColumn<QStringList>("named");      // present by the lenient reading
    QTest::addColumn<QStringList>("notNamed");   // absent by the lenient reading

    const QString branchesError = QStringLiteral("Seleção de filiais inválida: ");
    const QString regionsError = QStringLiteral("Seleção de regiões inválida: ");

    QTest::newRow("empty: nothing chosen")
        << "" << "branches" << false << QStringList() << "" << QStringList() << QStringList{"", "T"};
    QTest::newRow("T: all regions")
        << "T" << "regions" << true << QStringList() << "" << QStringList() << QStringList{"T", ""};
    QTest::newRow("T refused for branches")
        << "T" << "branches" << false << QStringList() << branchesError + kListForm
        << QStringList() << QStringList{"T"};
    QTest::newRow("one code")
        << "_0001_" << "branches" << false << QStringList{"0001"} << "" << QStringList{"0001"}
        << QStringList{"000", "001", "0001_", "_0001", ""};
    QTest::newRow("two codes; the lenient rule reads the text, not the list")
        << "_0001_0003_" << "branches" << false << QStringList{"0001", "0003"} << ""
        << QStringList{"0001", "0003", "0001_0003"} << QStringList{"000", "0003_0001", "0002"};
    QTest::newRow("codes keep their order")
        << "_0003_0001_" << "branches" << false << QStringList{"0003", "0001"} << ""
        << QStringList{"0003", "0001"} << QStringList();
    QTest::newRow("a repeated code counts once")
        << "_A_B_A_" << "regions" << false << QStringList{"A", "B"} << ""
        << QStringList{"A", "B", "A_B", "B_A", "A_B_A"} << QStringList{"C", "a"};
    QTest::newRow("letters keep their case")
        << "_se_" << "regions" << false << QStringList{"se"} << "" << QStringList{"se"} << QStringList{"SE"};
    QTest::newRow("no leading underscore")
        << "0001_" << "branches" << false << QStringList() << branchesError + kListForm
        << QStringList() << QStringList{"0001"};
    QTest::newRow("no closing underscore")
        << "_0001" << "branches" << false << QStringList() << branchesError + kListForm
        << QStringList() << QStringList{"0001"};
    QTest::newRow("a run inside a malformed text still names its code")
        << "A_0001_" << "branches" << false << QStringList() << branchesError + kListForm
        << QStringList{"0001"} << QStringList{"A"};
    QTest::newRow("one empty code: too short for the list form")
        << "__" << "regions" << false << QStringList() << regionsError + kListFormForRegions
        << QStringList{""} << QStringList{"_"};
    QTest::newRow("an empty code between codes")
        << "_A__B_" << "regions" << false << QStringList()
        << regionsError + QStringLiteral("há um código vazio entre \"_\".")
        << QStringList{"A", "", "B"} << QStringList{"AB"};
    QTest::newRow("a code with other characters")
        << "_00-1_" << "branches" << false << QStringList()
        << branchesError + QStringLiteral("o código \"00-1\" contém caracteres não permitidos "
                                          "(somente letras e dígitos).")
        << QStringList{"00-1"} << QStringList{"001"};
    QTest::newRow("a code longer than the kind allows")
        << "_0001_12345_" << "branches" << false << QStringList()
        << branchesError + QStringLiteral("o código \"12345\" excede 4 caracteres.")
        << QStringList{"0001", "12345"} << QStringList();
    QStringList tooMany;
    for (int i = 0; i <= contracts::MaxSelectionCodes; ++i)
        tooMany << QString::number(i);
    QTest::newRow("more codes than a list may carry")
        << contracts::writeSelection(tooMany) << "suppliers" << false << QStringList()
        << QStringLiteral("Seleção de fornecedores inválida: a lista passa do máximo de %1 códigos; para todos, "
                          "use a opção \"Todos\"/\"Todas\".").arg(contracts::MaxSelectionCodes)
        << QStringList{"0", "200000"} << QStringList{"200001"};
    QTest::newRow("a huge code is quoted cut short")
        << "_" + QString(40, QLatin1Char('9')) + "_" << "suppliers" << false << QStringList()
        << QStringLiteral("Seleção de fornecedores inválida: o código \"%1...\" excede 21 caracteres.")
               .arg(QString(30, QLatin1Char('9')))
        << QStringList{QString(40, QLatin1Char('9'))} << QStringList{QString(30, QLatin1Char('9'))};
}

void TestSelection::readsStrictlyAndLeniently()
{
    QFETCH(QString, text);
    QFETCH(QString, kind);
    QFETCH(bool, all);
    QFETCH(QStringList, codes);
    QFETCH(QString, error);
    QFETCH(QStringList, named);
    QFETCH(QStringList, notNamed);

    Selection read;
    QString refusal;
    try {
        read = readSelection(text, KindNamed(kind));
    } catch (const SelectionError &e) {
        refusal = e.message();
    }
    QCOMPARE(refusal, error);
    QCOMPARE(read.all, all);
    QCOMPARE(read.codes, codes);

    SelectionCodes lenient(text);
    for (const QString &code : named)
        QVERIFY2(lenient.contains(code), qPrintable(QStringLiteral("\"%1\" should be named").arg(code)));
    for (const QString &code : notNamed)
        QVERIFY2(!lenient.contains(code), qPrintable(QStringLiteral("\"%1\" should not be named").arg(code)));
}

void TestSelection::writesTheListForm_data()
{
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QString>("text");
    QTest::newRow("no codes") << QStringList() << "";
    QTest::newRow("one code") << QStringList{"0001"} << "_0001_";
    QTest::newRow("codes in their order") << QStringList{"0003", "0001"} << "_0003_0001_";
    QTest::newRow("one empty code") << QStringList{""} << "__";
    QTest::newRow("a code with an underscore") << QStringList{"A_B", "C"} << "_A_B_C_";
}

// The written text, from a list and from a vector alike, and what each reading finds in it.
void TestSelection::writesTheListForm()
{
    QFETCH(QStringList, codes);
    QFETCH(QString, text);
    QCOMPARE(writeSelection(codes), text);
    QCOMPARE(writeSelection(std::vector<QString>(codes.cbegin(), codes.cend())), text);

    SelectionCodes lenient(text);
    for (const QString &code : codes)
        QVERIFY(lenient.contains(code));
    const bool plainCodes = std::all_of(codes.cbegin(), codes.cend(),
                                        [](const QString &c) { return !c.isEmpty() && isCodeText(c); });
    if (plainCodes)
        QCOMPARE(readSelection(text, kSuppliers).codes, codes);
}

void TestSelection::lenientReadingFollowsTheSubstringRule_data()
{
    QTest::addColumn<QString>("alphabet");
    QTest::addColumn<int>("seed");
    QTest::newRow("codes without underscores") << QStringLiteral("01_") << 11;
    QTest::newRow("underscores inside codes") << QStringLiteral("0__1") << 12;
    QTest::newRow("letters, case differs") << QStringLiteral("aA_") << 13;
}

// For every candidate code: named exactly when "_code_" occurs in the text.
void TestSelection::lenientReadingFollowsTheSubstringRule()
{
    QFETCH(QString, alphabet);
    QFETCH(int, seed);
    QRandomGenerator rng{quint32(seed)};
    for (int round = 0; round < 200; ++round) {
        const QString selection = RandomText(rng, alphabet, 16);
        SelectionCodes codes(selection);
        for (int i = 0; i < 40; ++i) {
            const QString code = RandomText(rng, alphabet, 5);
            const bool expected = selection.contains(QLatin1Char('_') + code + QLatin1Char('_'));
            if (codes.contains(code) != expected)
                QFAIL(qPrintable(QStringLiteral("selection \"%1\", code \"%2\": expected %3")
                                     .arg(selection, code, expected ? "named" : "not named")));
        }
    }
}

QTEST_MAIN(TestSelection)
#include "tst_selection.moc"
