#include "find/findnext.h"

#include <QTest>

using namespace tamo;

class TestFindNext : public QObject {
    Q_OBJECT
private slots:
    void find_data();
    void find();
    void keys_data();
    void keys();
};

// Options of a find: match case, whole words.
constexpr int Any = 0, Case = 1, Whole = 2;

void TestFindNext::find_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("options");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("newStart");
    QTest::addColumn<int>("newLength");
    QTest::newRow("next") << "abc abc" << 0 << 3 << "abc" << Case << true << 4 << 3;
    QTest::newRow("wraps") << "abc abc" << 4 << 3 << "abc" << Case << true << 0 << 3;
    QTest::newRow("only one") << "abc" << 0 << 3 << "abc" << Case << true << 0 << 3;
    QTest::newRow("caret on it") << "abcd abc" << 5 << 0 << "abc" << Case << true << 5 << 3;
    QTest::newRow("selection on it") << "abcd abc" << 5 << 3 << "abc" << Case << true << 0 << 3;
    QTest::newRow("overlapping") << "aaaa" << 0 << 2 << "aa" << Case << true << 1 << 2;
    QTest::newRow("ignoring case") << "x aBC" << 1 << 1 << "Abc" << Any << true << 2 << 3;
    QTest::newRow("matching case: kept") << "x aBC" << 1 << 1 << "Abc" << Case << false << 1 << 1;
    QTest::newRow("umlaut case") << "ÄRGER" << 0 << 0 << "ärger" << Any << true << 0 << 5;
    // Its full lower case is two characters; later positions must not shift.
    QTest::newRow("dotted capital I") << "\u0130x abc" << 0 << 0 << "abc" << Any << true << 3 << 3;
    QTest::newRow("whole word later")
        << "Listen Liste" << 0 << 0 << "Liste" << Whole << true << 7 << 5;
    // The hyphen joins words by default; the second wrap gives up with the last occurrence
    // examined selected.
    QTest::newRow("never whole") << "Themen-liste Listen" << 0 << 0 << "liste" << Whole << false
                                 << 13 << 5;
    QTest::newRow("empty search") << "abc" << 1 << 0 << "" << Case << true << 1 << 0;
    QTest::newRow("empty search, whole words") << "abc" << 0 << 0 << "" << Whole << false << 2 << 0;
}

void TestFindNext::find()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, search);
    QFETCH(int, options);
    QFETCH(bool, found);
    QFETCH(int, newStart);
    QFETCH(int, newLength);
    const FindOutcome outcome = findNext({text, selStart, selLength, search, (options & Case) != 0,
                                          (options & Whole) != 0, defaultSeparatorFlags});
    QCOMPARE(outcome.found, found);
    QCOMPARE(outcome.selStart, newStart);
    QCOMPARE(outcome.selLength, newLength);
}

void TestFindNext::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<FindKeyAction>("inWindow");
    QTest::addColumn<FindKeyAction>("inSearchBox");
    using A = FindKeyAction;
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    QTest::newRow("F3") << int(Qt::Key_F3) << none << A::FindNext << A::None;
    QTest::newRow("Shift+F3") << int(Qt::Key_F3) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                              << A::FindSelection << A::None;
    QTest::newRow("Ctrl+Alt+F3") << int(Qt::Key_F3) << (Qt::ControlModifier | Qt::AltModifier)
                                 << A::FindSelection << A::None;
    QTest::newRow("Alt+F3: Alt does not count")
        << int(Qt::Key_F3) << Qt::KeyboardModifiers(Qt::AltModifier) << A::FindNext << A::None;
    QTest::newRow("Return") << int(Qt::Key_Return) << none << A::None << A::FindNext;
    QTest::newRow("keypad Enter with Shift")
        << int(Qt::Key_Enter) << (Qt::ShiftModifier | Qt::KeypadModifier) << A::None << A::FindNext;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << A::None << A::CloseSearchPanel;
    QTest::newRow("letter") << int(Qt::Key_A) << none << A::None << A::None;
}

void TestFindNext::keys()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(FindKeyAction, inWindow);
    QFETCH(FindKeyAction, inSearchBox);
    QCOMPARE(formKeyAction(key, modifiers), inWindow);
    QCOMPARE(searchBoxKeyAction(key, modifiers), inSearchBox);
}

QTEST_GUILESS_MAIN(TestFindNext)
#include "tst_findnext.moc"
