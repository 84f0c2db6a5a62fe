#include "windowfixture.h"

#include <QCheckBox>

class TestMainWindowFind : public QObject {
    Q_OBJECT
private slots:
    void keysReachTheFindCommand();
    void separatorOptionsAndCaptions();
};

void TestMainWindowFind::keysReachTheFindCommand()
{
    WindowFixture f("###Verwendung_der_Dokumentation\r\nDie Liste der Themen steht rechts.\r\n"
                    "Eine Liste_der Themen.\r\n");
    tamo::TopicTextView *text = f.text();
    auto *findText = f.control<QLineEdit>("findText");
    const qsizetype second = text->topicText().indexOf("Liste_der");
    // Ctrl+F with nothing selected: the prompt, selected so that typing replaces it.
    f.press(text, Qt::Key_F, Qt::ControlModifier);
    const QString prompt = findText->text();
    QVERIFY(findText->hasFocus() && findText->selectedText() == prompt);
    QTest::keyClick(findText, Qt::Key_Escape);
    QVERIFY(f.control("findPanel")->isHidden());

    // Shift+F3 with "Liste" selected: the panel ends hidden, the next occurrence is selected.
    text->selectRange(4, 5);
    f.press(text, Qt::Key_F3, Qt::ShiftModifier);
    QVERIFY(f.control("findPanel")->isHidden());
    QCOMPARE(findText->text(), QString("Liste"));
    QCOMPARE(text->selectionStart(), second);

    // In the search box F3 reaches the window once, and Enter finds with the options: a whole
    // word passes "Liste_der" over, until "_" separates words.
    f.click("openFindButton");
    QTest::keyClick(findText, Qt::Key_F3);
    QCOMPARE(text->selectionStart(), 4);
    f.click("wholeWords");
    QTest::keyClick(findText, Qt::Key_Return);
    QCOMPARE(text->selectionStart(), 4);
    f.click("separatorUnderscore");
    QTest::keyClick(findText, Qt::Key_Return);
    QCOMPARE(text->selectionStart(), second);
    f.click("closeFindButton");
    QVERIFY(f.control("findPanel")->isHidden());

    // Ctrl+F3 with nothing selected searches for the prompt, which is not there: one message,
    // and the caret stays.
    text->selectRange(3, 0);
    f.press(text, Qt::Key_F3, Qt::ControlModifier);
    QCOMPARE(findText->text(), prompt);
    QCOMPARE(f.messages.size(), 1);
    QVERIFY(text->selectionStart() == 3 && text->selectionLength() == 0);
}

void TestMainWindowFind::separatorOptionsAndCaptions()
{
    WindowFixture f({});
    f.click("openFindButton");
    // The separator options follow "nur ganze Wörter suchen".
    const QList<QCheckBox *> separators = f.control("separatorGroup")->findChildren<QCheckBox *>();
    QTRY_VERIFY(!separators.first()->isEnabled());
    f.click("wholeWords");
    for (QCheckBox *box : separators)
        QVERIFY(box->isEnabled());

    // Moved away, the window returns to its place.
    const QPoint home = f.window->pos();
    f.window->move(home + QPoint(40, 30));
    QTRY_COMPARE(f.window->pos(), home);

    // Each check box shows its whole caption: it fits in the box, and no box to its right on
    // the same row covers it.
    const QList<QCheckBox *> boxes = f.control("findPanel")->findChildren<QCheckBox *>();
    for (QCheckBox *box : boxes) {
        int room = box->width();
        for (QCheckBox *other : boxes) {
            if (other->parentWidget() == box->parentWidget() && other->y() == box->y() &&
                other->x() > box->x())
                room = std::min(room, other->x() - box->x());
        }
        QVERIFY2(box->sizeHint().width() <= room, qPrintable(box->text()));
    }
    // The hint keeps every key combination on one line and all its lines in its box.
    auto *hint = f.control<QLabel>("findHint");
    QVERIFY(hint->heightForWidth(hint->width()) <= hint->height());
    QVERIFY(hint->geometry().right() < f.control("findNextButton")->x());
    QVERIFY(hint->text().contains(QStringLiteral("[Strg]\u2060+\u2060[F3]")));
}

QTEST_MAIN(TestMainWindowFind)
#include "tst_mainwindow_find.moc"
