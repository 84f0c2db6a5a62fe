#include "search/query.h"
#include "search/scoring.h"
#include "std/textroutines.h"
#include "support/referencescores.h"

#include <QRandomGenerator>
#include <QTest>

using namespace tamo;

using Words = QList<QueryWord>;

namespace {

// `length` letters, the last `edits` of them replaced by '#': that many edits off word(length).
QString word(int length, int edits = 0)
{
    return QString("abcdefghijklmnopqrstuvwxyz").repeated(3).left(length - edits) +
           QString(edits, u'#');
}

} // namespace

class TestScoring : public QObject {
    Q_OBJECT
private slots:
    void query_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("normalised");
        QTest::addColumn<Words>("words");
        QTest::newRow("blanks only") << "    " << QString() << Words{};
        QTest::newRow("blanks, case")
            << "  ÄPFEL   Datei " << QString("äpfel datei ") << Words{{"äpfel"}, {"datei"}};
        QTest::newRow("tabs are no blanks") << "\tA\t" << QString("\ta\t ") << Words{{"\ta\t"}};
        // Lower-cased one character to one: U+0130 becomes "i", not "i" and a combining dot, so the
        // quoted word keeps its length and tolerance; ß stays ß.
        QTest::newRow("one to one") << QString("\"\u0130X\" STRAẞE") << QString("\"ix\" straße ")
                                    << Words{{"ix", true}, {"straße"}};
    }
    void query()
    {
        QFETCH(QString, text);
        QFETCH(QString, normalised);
        QFETCH(Words, words);
        QCOMPARE(normaliseQuery(text), normalised);
        QCOMPARE(queryWords(normalised), words);
    }

    // Quoted: t = max(2, query length div 5).
    void wordScores_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("quoted");
        QTest::addColumn<int>("heading");
        QTest::addColumn<int>("other");
        QTest::newRow("plain equal") << "datei" << QString("datei") << false << 20 << 4;
        QTest::newRow("plain contains") << "###datei" << QString("datei") << false << 10 << 2;
        QTest::newRow("quoted, distance 0: contains") << word(7, 2) << word(5) << true << 10 << 2;
        QTest::newRow("quoted equal") << word(9) << word(9) << true << 20 << 4;
        QTest::newRow("t=2 at least, 1 off") << word(9, 1) << word(9) << true << 10 << 0;
        QTest::newRow("t=3, 1 off") << word(19, 1) << word(19) << true << 13 << 0;
        QTest::newRow("t=6, 1 off") << word(30, 1) << word(30) << true << 17 << 1;
        QTest::newRow("t=8, 1 off: halves to even") << word(40, 1) << word(40) << true << 18 << 2;
        QTest::newRow("t=8, 3 off: halves to even") << word(40, 3) << word(40) << true << 12 << 0;
        // Containing, yet 2 edits of t=8 are not 0 on a heading: the distance decides there.
        QTest::newRow("quoted long contains") << word(42, 2) << word(40) << true << 15 << 2;
        // t=11: 4 - 2/11*20 = 0.36 is not 0, so containment is not asked; it rounds to 0.
        QTest::newRow("rounds to 0, not contained") << word(57, 2) << word(55) << true << 16 << 0;
        QTest::newRow("empty quoted word") << "x" << QString("") << true << 10 << 2;
        const QString a300(300, u'a');
        QTest::newRow("over 255: containment only") << a300 << a300 << true << 10 << 2;
    }
    void wordScores()
    {
        QFETCH(QString, line);
        QFETCH(QString, query);
        QFETCH(bool, quoted);
        QFETCH(int, heading);
        QFETCH(int, other);
        auto score = quoted ? quotedWordScore : plainWordScore;
        QCOMPARE(score(line, query, true), heading);
        QCOMPARE(score(line, query, false), other);
    }

    // The fast bounded distance against the plain one.
    void boundedDistance()
    {
        QRandomGenerator rng(2024);
        auto randomWord = [&rng](int maxLength) {
            QString w;
            for (int i = rng.bounded(maxLength + 1); i > 0; --i)
                w += QChar(u"abcab#"[rng.bounded(6)]);
            return w;
        };
        // The plain distance the bounded one is held against.
        QCOMPARE(editDistance(u"Tabelle", u"Tafel"), 3);
        QCOMPARE(editDistance(u"funktion", u"funktoin"), 2); // a swap costs two
        QCOMPARE(editDistance(u"Abc", u"abc"), 1);           // case counts
        QCOMPARE(editDistance(u"", u"abc"), 3);
        QCOMPARE(editDistance(QString(255, u'a'), QString(255, u'b')), 255);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, editDistance(QString(256, u'a'), u"x"));
        for (int i = 0; i < 20000; ++i) {
            const int maxLength = i % 50 == 0 ? 250 : 12;
            const QString a = randomWord(maxLength);
            const QString b = i % 3 ? randomWord(maxLength) : a + randomWord(3);
            const int limit = rng.bounded(8);
            QCOMPARE(boundedEditDistance(a.utf16(), int(a.size()), b.utf16(), int(b.size()), limit),
                     std::min(editDistance(a, b), limit + 1));
        }
    }
};

QTEST_GUILESS_MAIN(TestScoring)
#include "tst_scoring.moc"
