#include "find/findnext.h"

#include <QTest>

class TestFindNext : public QObject {
    Q_OBJECT
private slots:
    void stringSearchPositions();
    void find_data();
    void find();
    void keys();
};

void TestFindNext::stringSearchPositions()
{
    QCOMPARE(stringSearch(u"abc abc", u"abc", 2), 5);
    QCOMPARE(stringSearch(u"abc abc", u"abc", 6), 0);
    QCOMPARE(stringSearch(u"abc", u"c", 4), 0);
    QCOMPARE(stringSearch(u"", u"a", 1), 0);
    // An empty search is found where the search starts, but never outside the text.
    QCOMPARE(stringSearch(u"abc", u"", 2), 2);
    QCOMPARE(stringSearch(u"abc", u"", 4), 0);
    QCOMPARE(stringSearch(u"", u"", 1), 0);
}

void TestFindNext::find_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("search");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("wholeWords");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("newStart");
    QTest::addColumn<int>("newLength");

    QTest::newRow("next") << "abc abc" << 0 << 3 << "abc" << true << false << true << 4 << 3;
    QTest::newRow("wraps") << "abc abc" << 4 << 3 << "abc" << true << false << true << 0 << 3;
    QTest::newRow("only one") << "abc" << 0 << 3 << "abc" << true << false << true << 0 << 3;
    QTest::newRow("caret on it") << "abcd abc" << 5 << 0 << "abc" << true << false << true << 5
                                 << 3;
    QTest::newRow("selection on it")
        << "abcd abc" << 5 << 3 << "abc" << true << false << true << 0 << 3;
    QTest::newRow("overlapping") << "aaaa" << 0 << 2 << "aa" << true << false << true << 1 << 2;
    QTest::newRow("caret at end") << "ab ab" << 5 << 0 << "ab" << true << false << true << 0 << 2;
    QTest::newRow("ignoring case")
        << "x aBC" << 0 << 0 << "Abc" << false << false << true << 2 << 3;
    QTest::newRow("matching case")
        << "x aBC" << 0 << 0 << "Abc" << true << false << false << 0 << 0;
    QTest::newRow("umlaut case") << "\u00C4RGER" << 0 << 0 << "\u00E4rger" << false << false << true
                                 << 0 << 5;
    // A character whose full lower case is two characters must not shift later positions.
    QTest::newRow("dotted capital I")
        << "\u0130x abc" << 0 << 0 << "abc" << false << false << true << 3 << 3;
    QTest::newRow("absent") << "abc" << 1 << 1 << "z" << true << false << false << 1 << 1;
    QTest::newRow("empty text") << "" << 0 << 0 << "abc" << true << false << false << 0 << 0;

    // Whole words: occurrences inside longer words are passed over.
    QTest::newRow("whole word later")
        << "Listen Liste" << 0 << 0 << "Liste" << true << true << true << 7 << 5;
    QTest::newRow("whole word after wrap")
        << "Liste Listen" << 7 << 5 << "Liste" << true << true << true << 0 << 5;
    QTest::newRow("hyphen joins words by default")
        << "Themen-LISTE" << 0 << 0 << "liste" << false << true << false << 7 << 5;
    // Only inside words: the second wrap gives up with the last occurrence examined selected.
    QTest::newRow("never whole") << "Themenliste Listen" << 0 << 0 << "liste" << false << true
                                 << false << 12 << 5;

    // An empty search ends too: it is found at the start position, or fails on the wraps.
    QTest::newRow("empty search") << "abc" << 1 << 0 << "" << true << false << true << 1 << 0;
    QTest::newRow("empty search at end")
        << "abc" << 3 << 0 << "" << true << false << true << 0 << 0;
    QTest::newRow("empty search, whole words")
        << "abc" << 0 << 0 << "" << true << true << false << 2 << 0;
    QTest::newRow("empty search between blanks")
        << "a  b" << 0 << 0 << "" << true << true << true << 2 << 0;
    QTest::newRow("empty search, empty text")
        << "" << 0 << 0 << "" << true << true << false << 0 << 0;
}

void TestFindNext::find()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, search);
    QFETCH(bool, matchCase);
    QFETCH(bool, wholeWords);
    QFETCH(bool, found);
    QFETCH(int, newStart);
    QFETCH(int, newLength);

    const FindOutcome outcome =
        findNext({text, selStart, selLength, search, matchCase, wholeWords, defaultSeparatorFlags});
    QCOMPARE(outcome.found, found);
    QCOMPARE(outcome.selStart, newStart);
    QCOMPARE(outcome.selLength, newLength);
}

void TestFindNext::keys()
{
    using A = FindKeyAction;
    const int shift = FindKeys::ShiftMask;
    const int ctrl = FindKeys::CtrlMask;
    const int alt = FindKeys::AltMask;

    QCOMPARE(formKeyAction(114, 0), A::FindNext);
    QCOMPARE(formKeyAction(114, alt), A::FindNext);
    QCOMPARE(formKeyAction(114, shift), A::FindSelection);
    QCOMPARE(formKeyAction(114, ctrl), A::FindSelection);
    QCOMPARE(formKeyAction(114, ctrl | shift), A::FindSelection);
    QCOMPARE(formKeyAction(114, alt | shift), A::FindSelection);
    QCOMPARE(formKeyAction(113, 0), A::None);
    QCOMPARE(formKeyAction(13, 0), A::None);

    QCOMPARE(searchBoxKeyAction(13, 0), A::FindNext);
    QCOMPARE(searchBoxKeyAction(13, shift), A::FindNext);
    QCOMPARE(searchBoxKeyAction(27, 0), A::CloseSearchPanel);
    QCOMPARE(searchBoxKeyAction(114, 0), A::None);
    QCOMPARE(searchBoxKeyAction('A', 0), A::None);
}

QTEST_GUILESS_MAIN(TestFindNext)
#include "tst_findnext.moc"
