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

} // namespace

class TestWholeWord : public QObject {
    Q_OBJECT
private slots:
    void classes_data()
    {
        QTest::addColumn<QString>("chars");
        QTest::addColumn<int>("cls");
        QTest::newRow("blank") << " " << 0;
        QTest::newRow("line breaks") << "\t\n\r" << 1;
        QTest::newRow("underscore") << "_" << 2;
        QTest::newRow("hyphen") << "-" << 3;
        QTest::newRow("others") << "\"²³!§%&/()?{[]}\\*+~'#:;.,|<>@\u00B5^°´`" << 4;
        // Letters, digits, $, = and look-alikes of separators: no-break space, Greek mu, soft
        // hyphen...
        QTest::newRow("word characters") << "aZ09äÖß$=\u00A0\u03BC·\u00AD–«»¨±\v\f" << -1;
    }
    void classes()
    {
        QFETCH(QString, chars);
        QFETCH(int, cls);
        QCOMPARE(defaultSeparatorFlags, flagsOf(defaults));
        for (QChar c : chars) {
            QCOMPARE(separatorClass(c), cls);
            for (int flag = 0; flag < 5; ++flag) // each flag switches exactly its own class
                QCOMPARE(isSeparator(c, flagsOf(1 << flag)), flag == cls);
        }
    }

    void selection_data()
    {
        QTest::addColumn<Selection>("row");
        QTest::newRow("blanks") << Selection{"Liste der Themen", 6, 3, defaults, true};
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
        QTest::newRow("starts behind the text") << Selection{"ab", 3, 0, all, false};
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
};

QTEST_GUILESS_MAIN(TestWholeWord)
#include "tst_wholeword.moc"
