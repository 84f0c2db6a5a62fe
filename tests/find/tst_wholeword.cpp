#include "find/wholeword.h"

#include <QTest>

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

} // namespace

class TestWholeWord : public QObject {
    Q_OBJECT
private slots:
    void classes();
    void selection_data();
    void selection();
    void outOfRange();
};

void TestWholeWord::classes()
{
    QCOMPARE(flagsOf(defaults), defaultSeparatorFlags);

    QCOMPARE(separatorClass(QChar(32)), 0);
    for (char16_t c : {9, 10, 13})
        QCOMPARE(separatorClass(QChar(c)), 1);
    QCOMPARE(separatorClass(u'_'), 2);
    QCOMPARE(separatorClass(u'-'), 3);

    const QString others = QStringLiteral("\"\u00B2\u00B3!\u00A7%&/()?{[]}\\*+~'#:;.,|<>@"
                                          "\u00B5^\u00B0\u00B4`");
    QCOMPARE(others.size(), 34);
    for (QChar c : others)
        QVERIFY2(separatorClass(c) == 4, qPrintable(QString(c)));

    // Letters, digits and the look-alikes of separators belong to words.
    const QString words = QStringLiteral("aZ09\u00E4\u00D6\u00DF$=\u00A0\u03BC\u00B7\u00AD\u2013"
                                         "\u00AB\u00BB\u00A8\u00B1\v\f");
    for (QChar c : words)
        QVERIFY2(separatorClass(c) == -1, qPrintable(QString::number(c.unicode())));

    // Each flag switches exactly its own class.
    const QString samples = QStringLiteral(" \t_-.");
    for (int flag = 0; flag < 5; ++flag) {
        for (int cls = 0; cls < 5; ++cls)
            QCOMPARE(isSeparator(samples[cls], flagsOf(1 << flag)), cls == flag);
    }
    QVERIFY(!isSeparator(u'a', flagsOf(all)));
}

void TestWholeWord::selection_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("whole");

    const QString themen = QStringLiteral("Liste der Themen");
    QTest::newRow("blanks") << themen << 6 << 3 << defaults << true;
    QTest::newRow("blank class off") << themen << 6 << 3 << (defaults & ~1) << false;
    QTest::newRow("underscore off") << "Liste_der_Themen" << 6 << 3 << defaults << false;
    QTest::newRow("underscore on") << "Liste_der_Themen" << 6 << 3 << (defaults | 4) << true;

    // At either end of the text only the other neighbour counts.
    QTest::newRow("start, blank after") << "der Text" << 0 << 3 << defaults << true;
    QTest::newRow("start, letter after") << "derText" << 0 << 3 << defaults << false;
    QTest::newRow("end, blank before") << "Text der" << 5 << 3 << defaults << true;
    QTest::newRow("end, letter before") << "Textder" << 4 << 3 << defaults << false;
    QTest::newRow("whole text, no flags") << "der" << 0 << 3 << 0 << true;
    QTest::newRow("empty text") << "" << 0 << 0 << 0 << true;

    // Without any class only the whole text is a whole word.
    QTest::newRow("no flags, blanks") << themen << 6 << 3 << 0 << false;
    QTest::newRow("no flags, at start") << themen << 0 << 5 << 0 << false;
    QTest::newRow("no flags, at end") << themen << 10 << 6 << 0 << false;

    QTest::newRow("dollar after") << "a b$" << 2 << 1 << all << false;
    QTest::newRow("equals after") << "x a=1" << 2 << 1 << all << false;
    QTest::newRow("no-break space") << "1\u00A0m" << 2 << 1 << all << false;
    QTest::newRow("LF before, CR after") << "x\nder\ry" << 2 << 3 << 2 << true;
    QTest::newRow("line breaks off") << "x\nder\ry" << 2 << 3 << (defaults & ~2) << false;

    const QString flaeche = QStringLiteral("Fl\u00E4che in m\u00B2");
    QTest::newRow("m before square") << flaeche << 10 << 1 << defaults << true;
    QTest::newRow("square, others off") << flaeche << 10 << 1 << (defaults & ~16) << false;
    QTest::newRow("umlaut is a letter") << flaeche << 0 << 2 << defaults << false;
    QTest::newRow("micro sign after") << "5\u00B5m" << 0 << 1 << defaults << true;
    QTest::newRow("micro sign before") << "\u00B5m" << 1 << 1 << defaults << true;
    QTest::newRow("degree after") << "90\u00B0" << 0 << 2 << defaults << true;
    QTest::newRow("acute after") << "a\u00B4" << 0 << 1 << defaults << true;
    QTest::newRow("Greek mu before") << "\u03BCm" << 1 << 1 << defaults << false;

    // The selection's own characters are not examined.
    QTest::newRow("own blanks ignored") << "a b c" << 1 << 3 << defaults << false;
    // An empty selection judges the characters around the caret.
    QTest::newRow("caret between blanks") << "a  b" << 2 << 0 << defaults << true;
    QTest::newRow("caret in a word") << "ab" << 1 << 0 << defaults << false;
    QTest::newRow("caret at end") << "ab." << 3 << 0 << defaults << true;
}

void TestWholeWord::selection()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, flags);
    QFETCH(bool, whole);
    QCOMPARE(IsWholeWordSelection(text, start, length, flagsOf(flags)), whole);
}

void TestWholeWord::outOfRange()
{
    // A neighbour outside the text is no separator, and nothing outside the text is read: a
    // view onto the front of a longer text must not see the blanks behind it.
    const QString buffer = QStringLiteral("ab  cd");
    const QStringView front = QStringView(buffer).first(2);
    const SeparatorFlags flags = flagsOf(all);
    QVERIFY(IsWholeWordSelection(front, 0, 2, flags));
    QVERIFY(!IsWholeWordSelection(front, 0, 3, flags));  // ends behind the text
    QVERIFY(!IsWholeWordSelection(front, 3, 0, flags));  // starts behind the text
    QVERIFY(!IsWholeWordSelection(front, 1, -3, flags)); // ends in front of the text
    QVERIFY(!IsWholeWordSelection(u" ", -2, 1, flags));
    QVERIFY(!IsWholeWordSelection(u"", 1, 0, flags));
}

QTEST_GUILESS_MAIN(TestWholeWord)
#include "tst_wholeword.moc"
