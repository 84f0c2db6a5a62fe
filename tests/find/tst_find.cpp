#include "find/findnext.h"
#include "find/wholeword.h"

#include <QTest>

using namespace tamo;

namespace {

// Flags as bits 0..4, so table rows stay readable.
SeparatorFlags flagsOf(int bits)
{
    SeparatorFlags flags{};
    for (std::size_t i = 0; i < flags.size(); ++i)
        flags[i] = (bits >> i) & 1;
    return flags;
}

constexpr int defaults = 0b10011; // blank, line breaks, others
constexpr int all = 0b11111;

struct Selection {
    QString text;
    int start, length, flags;
    bool whole;
};

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

class TestFind : public QObject {
    Q_OBJECT
private slots:
    void classes()
    {
        QCOMPARE(defaultSeparatorFlags, flagsOf(defaults));
        // Classes 0 to 4 by their index; word characters (-1) are letters, digits, $, = and
        // look-alikes of separators: no-break space, Greek mu, soft hyphen...
        const QStringList classes = {" ", "\t\n\r", "_", "-",
                                     "\"²³!§%&/()?{[]}\\*+~'#:;.,|<>@\u00B5^°´`"};
        const QString word = "aZ09äÖß$=\u00A0\u03BC·\u00AD–«»¨±\v\f";
        for (int cls = -1; cls < 5; ++cls) {
            for (QChar c : cls < 0 ? word : classes[cls]) {
                QCOMPARE(int(separatorClass(c)), cls);
                for (int flag = 0; flag < 5; ++flag) // each flag switches exactly its own class
                    QCOMPARE(isSeparator(c, flagsOf(1 << flag)), flag == cls);
            }
        }
    }

    void selection_data()
    {
        QTest::addColumn<Selection>("row");
        QTest::newRow("blank class off")
            << Selection{"Liste der Themen", 6, 3, defaults & ~1, false};
        // At either end of the text only the other neighbour counts.
        QTest::newRow("start, blank after") << Selection{"der Text", 0, 3, defaults, true};
        QTest::newRow("start, letter after") << Selection{"derText", 0, 3, defaults, false};
        QTest::newRow("end, blank before") << Selection{"Text der", 5, 3, defaults, true};
        QTest::newRow("end, letter before") << Selection{"Textder", 4, 3, defaults, false};
        QTest::newRow("whole text, no flags") << Selection{"der", 0, 3, 0, true};
        // The selection's own characters are not examined; a caret judges its two neighbours.
        QTest::newRow("own blanks ignored") << Selection{"a b c", 1, 3, defaults, false};
        QTest::newRow("caret between blanks") << Selection{"a  b", 2, 0, defaults, true};
        // A neighbour outside the text is no separator.
        QTest::newRow("ends behind the text") << Selection{"ab", 0, 3, all, false};
        QTest::newRow("starts in front of the text") << Selection{" ", -2, 1, all, false};
    }
    void selection()
    {
        QFETCH(Selection, row);
        const auto &[text, start, length, flags, whole] = row;
        // A view onto the front of a longer text: the blanks behind it must not be read.
        const QString buffer = text + QStringLiteral("  ");
        const QStringView view = QStringView(buffer).first(text.size());
        QCOMPARE(isWholeWordSelection(view, start, length, flagsOf(flags)), whole);
    }

    void find_data()
    {
        QTest::addColumn<Find>("row");
        QTest::newRow("caret on it") << Find{"abcd abc", 5, 0, "abc", Case, true, 5, 3};
        QTest::newRow("selection on it") << Find{"abcd abc", 5, 3, "abc", Case, true, 0, 3};
        QTest::newRow("overlapping") << Find{"aaaa", 0, 2, "aa", Case, true, 1, 2};
        QTest::newRow("ignoring case") << Find{"x aBC", 1, 1, "Abc", Any, true, 2, 3};
        QTest::newRow("matching case: kept") << Find{"x aBC", 1, 1, "Abc", Case, false, 1, 1};
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
        QCOMPARE(windowKeyAction(row.key, row.modifiers), row.inWindow);
        QCOMPARE(searchBoxKeyAction(row.key, row.modifiers), row.inSearchBox);
    }
};

QTEST_GUILESS_MAIN(TestFind)
#include "tst_find.moc"
