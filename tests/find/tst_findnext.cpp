#include "find/findnext.h"

#include <QTest>

using namespace tamo;

namespace {

// Options of a find: match case, whole words.
constexpr int Any = 0, Case = 1, Whole = 2;

struct Find {
    QString text;
    int selStart, selLength;
    QString search;
    int options;
    bool found;
    int newStart, newLength;
};

struct Keys {
    int key;
    Qt::KeyboardModifiers modifiers;
    FindKeyAction inWindow, inSearchBox;
};

} // namespace

class TestFindNext : public QObject {
    Q_OBJECT
private slots:
    void find_data()
    {
        QTest::addColumn<Find>("row");
        QTest::newRow("next") << Find{"abc abc", 0, 3, "abc", Case, true, 4, 3};
        QTest::newRow("wraps") << Find{"abc abc", 4, 3, "abc", Case, true, 0, 3};
        QTest::newRow("caret on it") << Find{"abcd abc", 5, 0, "abc", Case, true, 5, 3};
        QTest::newRow("selection on it") << Find{"abcd abc", 5, 3, "abc", Case, true, 0, 3};
        QTest::newRow("overlapping") << Find{"aaaa", 0, 2, "aa", Case, true, 1, 2};
        QTest::newRow("ignoring case") << Find{"x aBC", 1, 1, "Abc", Any, true, 2, 3};
        QTest::newRow("matching case: kept") << Find{"x aBC", 1, 1, "Abc", Case, false, 1, 1};
        QTest::newRow("umlaut case") << Find{"ÄRGER", 0, 0, "ärger", Any, true, 0, 5};
        // Its full lower case is two characters; later positions must not shift.
        QTest::newRow("dotted capital I") << Find{"\u0130x abc", 0, 0, "abc", Any, true, 3, 3};
        QTest::newRow("whole word later") << Find{"Listen Liste", 0, 0, "Liste", Whole, true, 7, 5};
        // The hyphen joins words by default; the second wrap gives up with the last occurrence
        // examined selected.
        QTest::newRow("never whole")
            << Find{"Themen-liste Listen", 0, 0, "liste", Whole, false, 13, 5};
        QTest::newRow("empty search") << Find{"abc", 1, 0, "", Case, true, 1, 0};
        QTest::newRow("empty search, whole words") << Find{"abc", 0, 0, "", Whole, false, 2, 0};
    }
    void find()
    {
        QFETCH(Find, row);
        const FindOutcome outcome =
            findNext({row.text, row.selStart, row.selLength, row.search, (row.options & Case) != 0,
                      (row.options & Whole) != 0, defaultSeparatorFlags});
        QCOMPARE(outcome.found, row.found);
        QCOMPARE(outcome.selStart, row.newStart);
        QCOMPARE(outcome.selLength, row.newLength);
    }

    void keys_data()
    {
        QTest::addColumn<Keys>("row");
        using A = FindKeyAction;
        QTest::newRow("F3") << Keys{Qt::Key_F3, {}, A::FindNext, A::None};
        QTest::newRow("Shift+F3") << Keys{Qt::Key_F3, Qt::ShiftModifier, A::FindSelection, A::None};
        QTest::newRow("Ctrl+Alt+F3")
            << Keys{Qt::Key_F3, Qt::ControlModifier | Qt::AltModifier, A::FindSelection, A::None};
        QTest::newRow("Alt does not count")
            << Keys{Qt::Key_F3, Qt::AltModifier, A::FindNext, A::None};
        QTest::newRow("Return") << Keys{Qt::Key_Return, {}, A::None, A::FindNext};
        QTest::newRow("keypad Enter with Shift")
            << Keys{Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier, A::None, A::FindNext};
        QTest::newRow("Escape") << Keys{Qt::Key_Escape, {}, A::None, A::CloseSearchPanel};
        QTest::newRow("letter") << Keys{Qt::Key_A, {}, A::None, A::None};
    }
    void keys()
    {
        QFETCH(Keys, row);
        QCOMPARE(formKeyAction(row.key, row.modifiers), row.inWindow);
        QCOMPARE(searchBoxKeyAction(row.key, row.modifiers), row.inSearchBox);
    }
};

QTEST_GUILESS_MAIN(TestFindNext)
#include "tst_findnext.moc"
