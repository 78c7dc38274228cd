// The masked edit driven with real key events: the "999;0; " lead-time field, the
// registration-number mask, the key-press hook, upper case, the exit hook.

#include "dialoganswerer.h"
#include "runtime/errors.h"
#include "screens/tmaskedit.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

class TestMaskEdit : public QObject {
    Q_OBJECT
private slots:
    void leadTimeMask_data();
    void leadTimeMask();
    void leadTimeMask_untouchedReadsEmpty();
    void leadTimeMask_backspaceBlanksThePosition();
    void leadTimeMask_clickAtTheEndTypesAfterTheText();
    void registrationMask_insertsLiterals();
    void setText_laysOutTheValue();
    void setText_cutsAValueTooLongForTheMask_data();
    void setText_cutsAValueTooLongForTheMask();
    void text_keepsWhiteSpaceTypedIntoAPosition();
    void text_withLiteralsKeepsEveryPosition();
    void keysTheMaskCannotTakeLeaveItsShape_data();
    void keysTheMaskCannotTakeLeaveItsShape();
    void keyPress_hookFiltersAndChanges();
    void keyPress_errorInHookIsShownAndKeyDropped();
    void upperCase_andMaxLengthWithoutMask();
    void exit_runsWhenTheFocusMovesOnOnly();
};

void TestMaskEdit::leadTimeMask_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("one digit") << "7" << "7";
    QTest::newRow("leading zeros kept") << "007" << "007";
    QTest::newRow("three digits") << "120" << "120";
    QTest::newRow("fourth digit ignored") << "1234" << "123";
    QTest::newRow("letters ignored") << "1a2" << "12";
    QTest::newRow("blank between digits stays") << "1 2" << "1 2";
    QTest::newRow("leading blank dropped") << " 5" << "5";
    QTest::newRow("signs ignored") << "-5" << "5";
}

void TestMaskEdit::leadTimeMask()
{
    QFETCH(QString, keys);
    QFETCH(QString, text);
    TMaskEdit edit;
    edit.SetEditMask("999;0; ");
    edit.show();
    edit.setFocus();
    QTest::keyClicks(&edit, keys);
    QCOMPARE(edit.Text(), text);
}

void TestMaskEdit::leadTimeMask_untouchedReadsEmpty()
{
    TMaskEdit edit;
    edit.SetEditMask("999;0; ");
    QCOMPARE(edit.Text(), QString());
    bool ok = true;
    edit.Text().toDouble(&ok);
    QVERIFY(!ok);   // the screen treats an empty field as 0 itself
}

void TestMaskEdit::leadTimeMask_backspaceBlanksThePosition()
{
    TMaskEdit edit;
    edit.SetEditMask("999;0; ");
    edit.show();
    edit.setFocus();
    QTest::keyClicks(&edit, "123");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.Text(), QStringLiteral("12"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.Text(), QString());
    QTest::keyClicks(&edit, "9");
    QCOMPARE(edit.Text(), QStringLiteral("9"));
    // Selecting everything and typing replaces it.
    QTest::keyClicks(&edit, "87");
    edit.selectAll();
    QTest::keyClicks(&edit, "5");
    QCOMPARE(edit.Text(), QStringLiteral("5"));
}

void TestMaskEdit::leadTimeMask_clickAtTheEndTypesAfterTheText()
{
    TMaskEdit edit;
    edit.SetEditMask("999;0; ");
    edit.resize(200, edit.sizeHint().height());
    edit.show();
    QTest::mouseClick(&edit, Qt::LeftButton, {}, QPoint(190, edit.height() / 2));
    QCOMPARE(edit.cursorPosition(), 3);
    QTest::keyClicks(&edit, "4");
    QCOMPARE(edit.Text(), QStringLiteral("4"));
    QTest::mouseClick(&edit, Qt::LeftButton, {}, QPoint(190, edit.height() / 2));
    QTest::keyClicks(&edit, "56");
    QCOMPARE(edit.Text(), QStringLiteral("456"));
}

void TestMaskEdit::registrationMask_insertsLiterals()
{
    TMaskEdit edit;
    edit.SetEditMask("999.999.999-99;0;_");
    edit.show();
    edit.setFocus();
    QCOMPARE(edit.text(), QStringLiteral("___.___.___-__"));
    QTest::keyClicks(&edit, "12345678909");
    QCOMPARE(edit.text(), QStringLiteral("123.456.789-09"));
    QCOMPARE(edit.Text(), QStringLiteral("12345678909"));
}

void TestMaskEdit::setText_laysOutTheValue()
{
    TMaskEdit edit;
    edit.SetEditMask("99.999.999/9999-99;0;_");
    edit.SetText("11222333000181");
    QCOMPARE(edit.text(), QStringLiteral("11.222.333/0001-81"));
    QCOMPARE(edit.Text(), QStringLiteral("11222333000181"));
    edit.SetText(QString());
    QCOMPARE(edit.Text(), QString());
}

void TestMaskEdit::setText_cutsAValueTooLongForTheMask_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("literals saved, value without them") << "00/00;1;_" << "12345" << "12/34";
    QTest::newRow("literals saved, value with them") << "00/00;1;_" << "12/345" << "12/34";
    QTest::newRow("literals not saved") << "00/00;0;_" << "123456" << "12/34";
    QTest::newRow("a literal alone") << "@" << "P" << "@";
}

// The characters that fit are shown and the rest dropped; the edit keeps one character
// per mask position, so typing and deleting go on working.
void TestMaskEdit::setText_cutsAValueTooLongForTheMask()
{
    QFETCH(QString, mask);
    QFETCH(QString, value);
    QFETCH(QString, shown);
    TMaskEdit edit;
    edit.SetEditMask(mask);
    edit.SetText(value);
    QCOMPARE(edit.text(), shown);
    edit.show();
    edit.setFocus();
    edit.setCursorPosition(0);
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClicks(&edit, "9");
    QCOMPARE(edit.text().size(), shown.size());
}

// Only unfilled positions are dropped from the ends; a no-break space typed into an
// any-character position is part of the text, and setting the text back keeps it.
void TestMaskEdit::text_keepsWhiteSpaceTypedIntoAPosition()
{
    TMaskEdit edit;
    edit.SetEditMask("CCC;0;_");
    edit.show();
    edit.setFocus();
    QTest::keyClicks(&edit, QStringLiteral("a\u00a0"));
    QCOMPARE(edit.Text(), QStringLiteral("a\u00a0"));
    edit.SetText(edit.Text());
    QCOMPARE(edit.Text(), QStringLiteral("a\u00a0"));
}

// With the literals saved, a blank first position stays in the text: the typed digit
// keeps its place, and setting the text back shows it there again.
void TestMaskEdit::text_withLiteralsKeepsEveryPosition()
{
    TMaskEdit edit;
    edit.SetEditMask("99/99;1;_");
    edit.show();
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_Right);
    QTest::keyClicks(&edit, "1");
    QCOMPARE(edit.text(), QStringLiteral("_1/__"));
    QCOMPARE(edit.Text(), QStringLiteral(" 1/"));
    edit.SetText(edit.Text());
    QCOMPARE(edit.Text(), QStringLiteral(" 1/"));
}

void TestMaskEdit::keysTheMaskCannotTakeLeaveItsShape_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::newRow("a letter with Alt") << int(Qt::Key_A) << int(Qt::AltModifier) << "a";
    QTest::newRow("AltGr as Ctrl+Alt") << int(Qt::Key_2) << int(Qt::ControlModifier | Qt::AltModifier) << "@";
    QTest::newRow("two characters at once") << int(Qt::Key_unknown) << int(Qt::NoModifier) << "12";
    QTest::newRow("a format character") << int(Qt::Key_unknown) << int(Qt::NoModifier) << "\u200d";
}

// With everything selected, a key whose text the mask cannot place changes nothing:
// the edit keeps one character per mask position and typing goes on as before.
void TestMaskEdit::keysTheMaskCannotTakeLeaveItsShape()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    TMaskEdit edit;
    edit.SetEditMask("99/99;1;_");
    edit.SetText("1234");
    edit.show();
    edit.setFocus();
    edit.selectAll();
    QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QApplication::sendEvent(&edit, &event);
    QCOMPARE(edit.text(), QStringLiteral("12/34"));
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClicks(&edit, "9");
    QCOMPARE(edit.text(), QStringLiteral("92/34"));
}

void TestMaskEdit::keyPress_hookFiltersAndChanges()
{
    // The periodicity field's filter: digits and letters pass (letters upper-cased).
    TMaskEdit edit;
    edit.setMaxLength(2);
    QStringList seen;
    edit.OnKeyPress = [&seen](QChar &key) {
        seen.append(QString(key));
        if (key.isDigit() || key == QChar(8) || key == QChar(13))
            return;
        if (key >= QLatin1Char('a') && key <= QLatin1Char('z'))
            key = key.toUpper();
        else if (!(key >= QLatin1Char('A') && key <= QLatin1Char('Z')))
            key = QChar();
    };
    edit.show();
    edit.setFocus();
    QTest::keyClicks(&edit, "%a");
    QCOMPARE(edit.Text(), QStringLiteral("A"));
    QTest::keyClick(&edit, Qt::Key_Space);
    QTest::keyClicks(&edit, "1");
    QCOMPARE(edit.Text(), QStringLiteral("A1"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.Text(), QStringLiteral("A"));
    QCOMPARE(seen, (QStringList{"%", "a", " ", "1", QString(QChar(8))}));
}

void TestMaskEdit::keyPress_errorInHookIsShownAndKeyDropped()
{
    DialogAnswerer answerer;
    TMaskEdit edit;
    edit.OnKeyPress = [](QChar &key) {
        if (key == QLatin1Char('x'))
            throw EHostError("Tecla inválida.");
    };
    edit.show();
    edit.setFocus();
    QTest::keyClicks(&edit, "1x2");
    QCOMPARE(edit.Text(), QStringLiteral("12"));
    QCOMPARE(answerer.Messages(), QStringList{"Tecla inválida."});
}

void TestMaskEdit::upperCase_andMaxLengthWithoutMask()
{
    TMaskEdit edit;
    edit.UpperCase = true;
    edit.setMaxLength(2);
    edit.show();
    edit.setFocus();
    QTest::keyClicks(&edit, "abc");
    QCOMPARE(edit.Text(), QStringLiteral("AB"));
}

void TestMaskEdit::exit_runsWhenTheFocusMovesOnOnly()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *edit = new TMaskEdit(&window);
    auto *other = new QLineEdit(&window);
    layout->addWidget(edit);
    layout->addWidget(other);
    int exits = 0;
    edit->OnExit = [&exits] { ++exits; };
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), other);
    QCOMPARE(exits, 1);

    // A dialog coming up over the window is not leaving the field.
    edit->setFocus();
    {
        DialogAnswerer answerer;
        QMessageBox::information(&window, "t", "aviso");
        QCOMPARE(answerer.Messages().size(), 1);
    }
    QCOMPARE(exits, 1);
}

QTEST_MAIN(TestMaskEdit)
#include "tst_maskedit.moc"
