#include "formfixture.h"

#include <QTest>

namespace {
const QByteArray kDoc = "###Verwendung_der_Dokumentation\r\nDie Liste der Themen steht rechts.\r\n"
                        "Eine Liste_der Themen.\r\n";
}

class TestForm1Find : public QObject {
    Q_OBJECT
private slots:
    void panelOpensWithHintOrSelection();
    void keysReachTheFindCommand();
    void notFoundMessage();
    void separatorOptionsFollowWholeWords();
    void keyPreviewThroughRealKeys();
};

void TestForm1Find::panelOpensWithHintOrSelection()
{
    FormFixture f(kDoc);
    Form1 &w = *f.form;
    w.show();
    w.Command5_Click();
    QVERIFY(!w.Frame1->isHidden());
    QCOMPARE(w.Text3->text(), QString("Geben Sie hier den zu suchenden Text ein."));
    QCOMPARE(w.Text3->selectedText(), w.Text3->text());
    w.Text3_KeyDown(27, 0); // Escape closes
    QVERIFY(w.Frame1->isHidden());

    w.Text1->setSelection(4, 5); // "Liste"
    w.Command5_Click();
    QCOMPARE(w.Text3->text(), QString("Liste"));
    w.Command6_Click();
    QVERIFY(w.Frame1->isHidden());
    QCOMPARE(w.Text3->text(), QString("Liste")); // the string stays
}

void TestForm1Find::keysReachTheFindCommand()
{
    FormFixture f(kDoc);
    Form1 &w = *f.form;
    const qsizetype second = w.Text1->text().indexOf("Liste_der");

    // Shift+F3 with "Liste" selected: panel ends hidden, the next occurrence is selected.
    w.Text1->setSelection(4, 5);
    w.Form_KeyDown(114, 1);
    QVERIFY(w.Frame1->isHidden());
    QCOMPARE(w.Text3->text(), QString("Liste"));
    QCOMPARE(w.Text1->SelStart(), second);
    QCOMPARE(w.Text1->SelLength(), 5);
    // F3 (Alt does not count) wraps to the first one, without a message.
    w.Form_KeyDown(114, 4);
    QCOMPARE(w.Text1->SelStart(), 4);
    QVERIFY(f.messages.isEmpty());
    // Enter in the search box finds too; other keys do nothing.
    w.Text3_KeyDown(13, 0);
    QCOMPARE(w.Text1->SelStart(), second);
    w.Text3_KeyDown(114, 0);
    QCOMPARE(w.Text1->SelStart(), second);

    // Whole words: "Liste" followed by "_" is not a whole word with the default separators.
    w.Check4->setChecked(true);
    w.Text1->setSelection(0, 0);
    w.Form_KeyDown(114, 0);
    QCOMPARE(w.Text1->SelStart(), 4);
    w.Form_KeyDown(114, 0);
    QCOMPARE(w.Text1->SelStart(), 4); // the other one was passed over
    w.Check2[2]->setChecked(true);    // underscores separate
    w.Form_KeyDown(114, 0);
    QCOMPARE(w.Text1->SelStart(), second);
    QVERIFY(w.IsWholeWordSelection());
    QVERIFY(f.messages.isEmpty());

    // Ctrl+F3 with nothing selected searches for the hint sentence.
    w.Text1->setSelection(3, 0);
    w.Form_KeyDown(114, 2);
    QCOMPARE(w.Text3->text(), QString("Geben Sie hier den zu suchenden Text ein."));
    QCOMPARE(f.messages.size(), 1);
}

void TestForm1Find::notFoundMessage()
{
    FormFixture f(kDoc);
    Form1 &w = *f.form;
    w.Text1->setSelection(8, 2);
    w.Text3->setText("gibtsnicht");
    w.Command7_Click();
    QCOMPARE(f.messages, QStringList({"Suchen: Die Zeichenfolge wurde nicht gefunden."}));
    QCOMPARE(w.Text1->SelStart(), 8);
    QCOMPARE(w.Text1->SelLength(), 2);

    // The real message box: one OK button, closed here by the test.
    Form1 real;
    QString seen;
    QTimer::singleShot(0, [&seen] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            seen = box->windowTitle();
            box->close();
        }
    });
    real.messageBox("Die Zeichenfolge wurde nicht gefunden.", "Suchen");
    QCOMPARE(seen, QString("Suchen"));
}

void TestForm1Find::separatorOptionsFollowWholeWords()
{
    FormFixture f(kDoc);
    Form1 &w = *f.form;
    w.Show();
    QTRY_VERIFY(!w.Frame2->isEnabled());
    for (QCheckBox *box : w.Check2)
        QVERIFY(!box->isEnabled());
    QVERIFY(w.Check2[0]->isChecked() && w.Check2[1]->isChecked() && w.Check2[4]->isChecked());
    QVERIFY(!w.Check2[2]->isChecked() && !w.Check2[3]->isChecked());
    w.Check4->setChecked(true);
    QVERIFY(w.Frame2->isEnabled());
    for (QCheckBox *box : w.Check2)
        QVERIFY(box->isEnabled());
    w.Check4->setChecked(false);
    QVERIFY(!w.Frame2->isEnabled());
    QVERIFY(w.Check2[0]->isChecked()); // values stay

    // Moved away, the window returns to its place.
    const QPoint home = w.pos();
    w.move(home + QPoint(40, 30));
    QTRY_COMPARE(w.pos(), home);
}

void TestForm1Find::keyPreviewThroughRealKeys()
{
    FormFixture f(kDoc);
    Form1 &w = *f.form;
    w.Show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.Text3->setText("Themen");
    w.Text1->setFocus();
    QTest::keyClick(w.Text1, Qt::Key_F3);
    QCOMPARE(w.Text1->SelText(), QString("Themen"));
    w.Text1->setSelection(0, 0);
    w.Command5_Click(); // the hint is selected: typing replaces it
    QTest::keyClicks(w.Text3, "rechts");
    QTest::keyClick(w.Text3, Qt::Key_Return);
    QCOMPARE(w.Text1->SelText(), QString("rechts"));
    QTest::keyClick(w.Text3, Qt::Key_Escape);
    QVERIFY(w.Frame1->isHidden());
}

QTEST_MAIN(TestForm1Find)
#include "tst_form1_find.moc"
