#include "windowfixture.h"

#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>

namespace {
const QByteArray kDoc = "###Verwendung_der_Dokumentation\r\nDie Liste der Themen steht rechts.\r\n"
                        "Eine Liste_der Themen.\r\n";
const QString kPrompt = QStringLiteral("Geben Sie hier den zu suchenden Text ein.");
} // namespace

class TestMainWindowFind : public QObject {
    Q_OBJECT
private slots:
    void keysReachTheFindCommand();
    void separatorOptionsAndCaptions();
};

void TestMainWindowFind::keysReachTheFindCommand()
{
    WindowFixture f(kDoc);
    tamo::TopicTextView *text = f.text();
    auto *findText = f.control<QLineEdit>("findText");
    const qsizetype second = text->topicText().indexOf("Liste_der");
    f.click("openFindButton");
    QCOMPARE(findText->text(), kPrompt);
    QCOMPARE(findText->selectedText(), kPrompt); // typing replaces it
    QVERIFY(findText->hasFocus());
    QTest::keyClick(findText, Qt::Key_Escape);
    QVERIFY(f.control("findPanel")->isHidden());

    // Shift+F3 with "Liste" selected: the panel ends hidden, the next occurrence is selected.
    text->selectRange(4, 5);
    f.press(text, Qt::Key_F3, Qt::ShiftModifier);
    QVERIFY(f.control("findPanel")->isHidden());
    QCOMPARE(findText->text(), QString("Liste"));
    QCOMPARE(text->selectionStart(), second);
    QCOMPARE(text->selectionLength(), 5);
    // F3 (Alt does not count) wraps to the first one, without a message.
    QTest::keyClick(text, Qt::Key_F3, Qt::AltModifier);
    QCOMPARE(text->selectionStart(), 4);
    QVERIFY(f.messages.isEmpty());

    // In the search box Enter finds, F3 reaches the window once, Escape closes.
    f.click("openFindButton");
    QTest::keyClick(findText, Qt::Key_Return);
    QCOMPARE(text->selectionStart(), second);
    QTest::keyClick(findText, Qt::Key_F3);
    QCOMPARE(text->selectionStart(), 4);

    // Whole words: "Liste" followed by "_" is no whole word with the default separators.
    QTest::mouseClick(f.control<QCheckBox>("wholeWords"), Qt::LeftButton);
    text->selectRange(0, 0);
    QTest::keyClick(findText, Qt::Key_Return);
    QCOMPARE(text->selectionStart(), 4);
    QTest::keyClick(findText, Qt::Key_Return);
    QCOMPARE(text->selectionStart(), 4); // the other one was passed over
    QTest::mouseClick(f.control<QCheckBox>("separatorUnderscore"), Qt::LeftButton);
    QTest::keyClick(findText, Qt::Key_Return);
    QCOMPARE(text->selectionStart(), second);
    QVERIFY(f.messages.isEmpty());
    QTest::keyClick(findText, Qt::Key_Escape);

    // Ctrl+F3 with nothing selected searches for the prompt sentence, which is not there:
    // one message, and the caret stays.
    text->selectRange(3, 0);
    f.press(text, Qt::Key_F3, Qt::ControlModifier);
    QCOMPARE(findText->text(), kPrompt);
    QCOMPARE(f.messages, QStringList({"Suchen: Die Zeichenfolge wurde nicht gefunden."}));
    QCOMPARE(text->selectionStart(), 3);
    QCOMPARE(text->selectionLength(), 0);

    // Ctrl+F opens the panel with the selection in its box, which stays after closing.
    text->selectRange(4, 5);
    f.press(text, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(findText->hasFocus());
    QCOMPARE(findText->text(), QString("Liste"));
    f.click("closeFindButton");
    QVERIFY(f.control("findPanel")->isHidden());
    QCOMPARE(findText->text(), QString("Liste"));
}

void TestMainWindowFind::separatorOptionsAndCaptions()
{
    WindowFixture f(kDoc);
    f.click("openFindButton");
    auto *wholeWords = f.control<QCheckBox>("wholeWords");
    const QList<QCheckBox *> separators = f.control("separatorGroup")->findChildren<QCheckBox *>();
    QCOMPARE(separators.size(), 5);
    QTRY_VERIFY(!f.enabled("separatorGroup")); // and so every box in it
    QTest::mouseClick(wholeWords, Qt::LeftButton);
    for (QCheckBox *box : separators)
        QVERIFY(box->isEnabled());
    QTest::mouseClick(wholeWords, Qt::LeftButton);
    QVERIFY(!f.enabled("separatorGroup"));
    QVERIFY(f.control<QCheckBox>("separatorBlank")->isChecked()); // values stay

    // A maximized window keeps its state, and the options still follow.
    f.window->setWindowState(Qt::WindowMaximized);
    QTest::mouseClick(wholeWords, Qt::LeftButton);
    QTRY_VERIFY(f.enabled("separatorGroup"));
    f.window->setWindowState(Qt::WindowNoState);

    // Moved away, the window returns to its place.
    const QPoint home = f.window->pos();
    f.window->move(home + QPoint(40, 30));
    QTRY_COMPARE(f.window->pos(), home);

    // Each check box shows its whole caption: the indicator and the text fit in the box, and
    // no box to its right on the same row covers the text.
    const QList<QCheckBox *> boxes = f.control("findPanel")->findChildren<QCheckBox *>();
    QCOMPARE(boxes.size(), 7);
    for (QCheckBox *box : boxes) {
        QStyleOptionButton option;
        option.initFrom(box);
        const int indicator =
            box->style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, box) +
            box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, box);
        const QString caption = QString(box->text()).remove(u'&');
        const int textEnd = box->x() + indicator + box->fontMetrics().horizontalAdvance(caption);
        QVERIFY2(textEnd <= box->geometry().right() + 1, qPrintable(caption));
        for (QCheckBox *other : boxes) {
            if (other->parentWidget() == box->parentWidget() && other->y() == box->y() &&
                other->x() > box->x())
                QVERIFY2(textEnd <= other->x(), qPrintable(caption));
        }
    }
    // The hint keeps every key combination on one line and all its lines in its box.
    auto *hint = f.control<QLabel>("findHint");
    QVERIFY(hint->heightForWidth(hint->width()) <= hint->height());
    QVERIFY(hint->geometry().right() < f.control("findNextButton")->x());
    const QString plain = QString(hint->text()).remove(QChar(0x2060));
    QCOMPARE(plain, QString("Wenn Sie die Tasten [Shift]+[F3] oder [Strg]+[F3] verwenden, wird die "
                            "markierte Zeichenfolge mit den hiesigen Einstellungen gesucht. Die "
                            "Taste [F3] setzt die Suche fort."));
    QVERIFY(hint->text().contains(QStringLiteral("[Strg]\u2060+\u2060[F3]")));
}

QTEST_MAIN(TestMainWindowFind)
#include "tst_mainwindow_find.moc"
