#include "search/query.h"
#include "search/scoring.h"
#include "search/searchhits.h"
#include "support/referencescores.h"

#include <QRandomGenerator>
#include <QTest>

using namespace tamo;

namespace {

// `length` letters, the last `edits` of them replaced by '#': that many edits off word(length).
QString word(int length, int edits = 0)
{
    return QString("abcdefghijklmnopqrstuvwxyz").repeated(3).left(length - edits) +
           QString(edits, u'#');
}

struct Query {
    QString text, normalised;
    QList<QueryWord> words;
};

struct Score {
    QString line, query;
    bool quoted;
    int heading, other; // the score on a heading line and on any other line
};

struct Hits {
    QString text, query;
    QStringList marked;
};

} // namespace

class TestScoring : public QObject {
    Q_OBJECT
private slots:
    void query_data()
    {
        QTest::addColumn<Query>("row");
        QTest::newRow("blanks only") << Query{"    ", "", {}};
        QTest::newRow("blanks, case")
            << Query{"  ÄPFEL   Datei ", "äpfel datei ", {{"äpfel"}, {"datei"}}};
        QTest::newRow("tabs are no blanks") << Query{"\tA\t", "\ta\t ", {{"\ta\t"}}};
        // Lower-cased one character to one: U+0130 becomes "i", not "i" and a combining dot, so the
        // quoted word keeps its length and tolerance; ß stays ß.
        QTest::newRow("one to one")
            << Query{"\"\u0130X\" STRAẞE", "\"ix\" straße ", {{"ix", true}, {"straße"}}};
    }
    void query()
    {
        QFETCH(Query, row);
        QCOMPARE(normaliseQuery(row.text), row.normalised);
        QCOMPARE(queryWords(row.normalised), row.words);
    }

    // The plain scores the search is held against. Quoted: t = max(2, query length div 5).
    void wordScores_data()
    {
        QTest::addColumn<Score>("row");
        QTest::newRow("plain equal") << Score{"datei", "datei", false, 20, 4};
        QTest::newRow("plain contains") << Score{"###datei", "datei", false, 10, 2};
        QTest::newRow("quoted, distance 0: contains") << Score{word(7, 2), word(5), true, 10, 2};
        QTest::newRow("quoted equal") << Score{word(9), word(9), true, 20, 4};
        QTest::newRow("t=2 at least, 1 off") << Score{word(9, 1), word(9), true, 10, 0};
        QTest::newRow("t=3, 1 off") << Score{word(19, 1), word(19), true, 13, 0};
        QTest::newRow("t=6, 1 off") << Score{word(30, 1), word(30), true, 17, 1};
        QTest::newRow("t=8, 1 off: halves to even") << Score{word(40, 1), word(40), true, 18, 2};
        QTest::newRow("t=8, 3 off: halves to even") << Score{word(40, 3), word(40), true, 12, 0};
        // Containing, yet 2 edits of t=8 are not 0 on a heading: the distance decides there.
        QTest::newRow("quoted long contains") << Score{word(42, 2), word(40), true, 15, 2};
        // t=11: 4 - 2/11*20 = 0.36 is not 0, so containment is not asked; it rounds to 0.
        QTest::newRow("rounds to 0, not contained") << Score{word(57, 2), word(55), true, 16, 0};
        QTest::newRow("empty quoted word") << Score{"x", "", true, 10, 2};
        const QString a300(300, u'a');
        QTest::newRow("over 255: containment only") << Score{a300, a300, true, 10, 2};
    }
    void wordScores()
    {
        QFETCH(Score, row);
        auto score = row.quoted ? quotedWordScore : plainWordScore;
        QCOMPARE(score(row.line, row.query, true), row.heading);
        QCOMPARE(score(row.line, row.query, false), row.other);
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
        QCOMPARE(editDistance(u"funktion", u"Funktoin"), 3); // a swap costs two, case counts
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

    // The words the window marks after showing a topic from a search result: those that score
    // on a text line.
    void hits_data()
    {
        QTest::addColumn<Hits>("row");
        // Words end at blanks and line ends only: a tab or a lone CR is part of its word.
        const QString text = "Datei lesen\r\nDATEIEN, Tabelle\r\nZugriffs-\tx\rdatei\r\n"
                             "Dateizugriffsberechtigungsverwaltung\r\n";
        const QString longWord = "Dateizugriffsberechtigungsverwaltung";
        QTest::newRow("equal and containing, any case")
            << Hits{text, "datei", {"Datei", "DATEIEN,", "Zugriffs-\tx\rdatei", longWord}};
        QTest::newRow("two words, each word once")
            << Hits{text, "lesen tabelle lesen", {"lesen", "Tabelle"}};
        // On text lines a quoted word scores a near miss only when it is long: one typo in 30
        // letters and more.
        QTest::newRow("quoted near miss, long word")
            << Hits{text, "\"dateizugrifsberechtigungsverwaltung\"", {longWord}};
        QTest::newRow("quoted near miss, short word") << Hits{text, "\"tabele\"", {}};
        QTest::newRow("plain word: no near miss")
            << Hits{text, "dateizugrifsberechtigungsverwaltung", {}};
        QTest::newRow("empty quoted word: every word") << Hits{"a b\r\n", "\"", {"a", "b"}};
        QTest::newRow("no query") << Hits{text, "", {}};
    }
    void hits()
    {
        QFETCH(Hits, row);
        QStringList got;
        for (const TextRange &r : searchHits(row.text, normaliseQuery(row.query)))
            got << row.text.mid(r.start, r.length);
        QCOMPARE(got, row.marked);
    }
};

QTEST_GUILESS_MAIN(TestScoring)
#include "tst_scoring.moc"
