#include "search/blockscan_p.h"
#include "search/fullsearch.h"
#include "search/query.h"
#include "search/searchhits.h"
#include "std/cp1252.h"
#include "support/referencesearch.h"
#include "support/tempdoc.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <array>

using namespace tamo;

namespace {

// Random documents and queries that bring out the corner cases: equal names in any case,
// quotes, umlauts, characters the collation ignores, bare LFs, CR lines, lines before the
// first heading, words of 40, 55 and 300 characters and near misses of them.
const QString kLong40 = QString("abcdefghij").repeated(4);
const QString kLong55 = QString("klmnopqrstu").repeated(5);
const QString kLong300 = QString("vwxyz").repeated(60);

QString pick(QRandomGenerator &rng, const QStringList &from)
{
    return from.at(rng.bounded(int(from.size())));
}

QString nearMiss(QRandomGenerator &rng)
{
    QString w = rng.bounded(2) ? kLong40 : kLong55;
    for (int e = rng.bounded(4); e > 0; --e) {
        const int at = rng.bounded(int(w.size()));
        rng.bounded(2) ? w.insert(at, u'#') : w.remove(at, 1);
    }
    return w;
}

QStringList list(const char *items)
{
    return QString::fromUtf8(items).split(u'|');
}

QByteArray randomDocument(QRandomGenerator &rng)
{
    const QStringList words =
        list("datei|Datei|DATEI|dateien|dtaei|datex|zugriff|a\tb|x|\"q\"|da\"tei|###datei|d|"
             "\u0081|äpfel|ÄPFEL|Š|š|Ÿ|ÿ|a\u00AD") +
        QStringList{kLong300, kLong40 + "xy"};
    const QStringList names = list("Datei|datei|DATEI|Datei lesen|Datei_lesen||Da\"tei|\"Datei\"|"
                                   "Äpfel|äpfel|a\u00AD|a|x\u0081|x| datei|Šx|šX|d|\"");
    const QStringList ends = list("\r\n|\r\n|\r\n|\n|z\n| \r\n");
    auto textLine = [&] {
        QString line = QString(rng.bounded(3), u' ');
        for (int i = rng.bounded(6); i > 0; --i)
            line += (rng.bounded(8) ? pick(rng, words) : nearMiss(rng)) +
                    QString(rng.bounded(1, 4), u' ');
        return cp1252::encode(line) + (rng.bounded(20) ? "" : "\r") + pick(rng, ends).toLatin1();
    };
    QByteArray doc;
    for (int i = rng.bounded(3); i > 0; --i)
        doc += textLine();
    for (int t = rng.bounded(1, 12); t > 0; --t) {
        const QString name = rng.bounded(8) ? pick(rng, names) : nearMiss(rng);
        doc += rng.bounded(15) ? "###" + cp1252::encode(name) + pick(rng, ends).toLatin1()
                               : QByteArray("###\n"); // reads as "##": no heading
        for (int i = rng.bounded(6); i > 0; --i)
            doc += rng.bounded(8) ? textLine() : QByteArray("   \r\n");
        if (rng.bounded(40) == 0)
            doc += "\rq\n"; // reads as the end-of-file mark
    }
    return doc + pick(rng, list("||datei Datei|###Datei|\r")).toLatin1();
}

QString randomQuery(QRandomGenerator &rng)
{
    const QStringList words =
        list("datei|DATEI|dat|tei|Äpfel|š|ÿ|a\tb|x|d|\"datei\"|\"dtaei\"|\"dateien\"|\"\"|\"|x\"y|"
             "\"da\"tei\"|###datei|\"dαtei\"|α|a\u00AD|\"x\u0081\"") +
        QStringList{kLong300, '"' + kLong300 + '"', kLong40};
    // Words given again are matched once and count as often as given.
    QStringList chosen;
    for (int i = rng.bounded(1, 6); i > 0; --i) {
        if (!chosen.isEmpty() && rng.bounded(4) == 0)
            chosen += pick(rng, chosen);
        else
            chosen += rng.bounded(6) ? pick(rng, words) : '"' + nearMiss(rng) + '"';
    }
    return QString(rng.bounded(3), u' ') + chosen.join(u' ') + u' ';
}

QString shown(const QList<RankedTopic> &ranking)
{
    QString text;
    for (const RankedTopic &t : ranking)
        text += QString("[%1] %2, ").arg(t.name).arg(t.score);
    return text;
}

// The window's bar. It is a widget: every call must come from the thread that searches.
struct FakeProgress : SearchProgress {
    double time = 1000; // moves on by 0.07 s each time it is read
    QList<double> maxima;
    QList<QPair<double, double>> updates; // value, clock
    int finishes = 0;
    int otherThreadCalls = 0;

    double now() override
    {
        checkThread();
        return std::exchange(time, std::fmod(time + 0.07, 86400));
    }
    void start(double max) override
    {
        checkThread();
        maxima.append(max);
    }
    void update(double value) override
    {
        checkThread();
        updates.append({value, time});
    }
    void finish() override
    {
        checkThread();
        ++finishes;
    }
    void checkThread() { otherThreadCalls += QThread::currentThread() != qApp->thread(); }
    bool forwardOnly() const
    {
        return std::is_sorted(updates.begin(), updates.end(),
                              [](const auto &a, const auto &b) { return a.first < b.first; });
    }
};

struct Progress {
    QString query;
    double clock; // at the start
    bool endMark;
    qint64 partBytes = 0; // 0: one part, one thread
};

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

class TestSearch : public QObject {
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

    void progress_data()
    {
        QTest::addColumn<Progress>("row");
        QTest::newRow("three words") << Progress{"datei \"x\" \"\"", 1000, false};
        // One word: no pass start after midnight sets the clock back for it.
        QTest::newRow("one word, over midnight") << Progress{"datei", 86399.5, false};
        QTest::newRow("cut short by a CR line") << Progress{"datei zugriff", 1000, true};
        // The other threads' parts move the bar too, but only the searching thread draws it.
        QTest::newRow("parts on three threads") << Progress{"datei \"x\" \"\"", 1000, false, 500};
        QTest::newRow("parts, cut short") << Progress{"datei zugriff", 1000, true, 700};
    }
    void progress()
    {
        QFETCH(Progress, row);
        QByteArray doc = "###T\r\ndatei zugriff x\r\n"_qba.repeated(400);
        if (row.endMark)
            doc.insert(doc.size() / 3, "\r\r\n");
        const QString query = normaliseQuery(row.query);
        const qsizetype words = queryWords(query).size();
        const double length = double(doc.size());
        FakeProgress progress;
        progress.time = row.clock;
        fullSearch(writeTempFile(m_dir, "progress.txw", doc), query, &progress,
                   {.blockBytes = 100, .readBytes = 30, .partBytes = row.partBytes, .threads = 3});
        QCOMPARE(progress.otherThreadCalls, 0);

        // Its range and end are checked with every search of matchesReference.
        QCOMPARE(progress.updates.value(0).first, 0.0); // value(): no update fails, not crashes
        qsizetype passStarts = 0, timed = 0;
        for (qsizetype i = 1; i < progress.updates.size(); ++i) {
            const auto [value, time] = progress.updates[i];
            QVERIFY(progress.updates[i - 1].first <= value);
            if (std::fmod(value, length) == 0) {
                passStarts += value < words * length;
            } else { // between pass starts the clock repaints the bar, at most every 0.2 s
                ++timed;
                QVERIFY(std::fmod(time - progress.updates[i - 1].second + 86400, 86400) >=
                        0.2 - 1e-9);
            }
        }
        QCOMPARE(passStarts, words - 1); // the first pass started at 0
        // How many blocks the searching thread sees depends on how the parts are shared out.
        QVERIFY(row.endMark || row.partBytes > 0 || timed > 10);
    }

    // The search reads each file once, in blocks, with its own scans: it must rank exactly as
    // the rules do at every block size, and run the bar to words x file length. Random files
    // do not bring the first cases: no file, no query and no bytes (no bar for the first two),
    // and a line with more word starts than a byte lane of the vector count holds.
    void matchesReference()
    {
        const QList<QPair<QByteArray, QString>> fixed = {
            {QByteArray(), "datei"},
            {"###A\r\n", "  "},
            {"", "datei x"},
            {"###A\r\n" + "a "_qba.repeated(3000) + "\r\n", "\"\""}};
        // "x" is matched once and counted twice; A took points last, in the pass of the second x.
        QCOMPARE(
            referenceSearch(writeTempFile(m_dir, "twice.txw", "###A\r\nx\r\n###a\xad\r\ny y\r\n"),
                            "x y x"),
            QList<RankedTopic>({{"A", 8}, {"a\u00AD", 8}}));
        QRandomGenerator rng(31337);
        for (int round = 0; round < 400; ++round) {
            const bool isFixed = round < fixed.size();
            const QByteArray doc = isFixed ? fixed[round].first : randomDocument(rng);
            const QString path =
                doc.isNull() ? m_dir.filePath("none.txw") : writeTempFile(m_dir, "random.txw", doc);
            for (int q = 0; q < 4; ++q) {
                const QString query =
                    normaliseQuery(isFixed ? fixed[round].second : randomQuery(rng));
                const QList<RankedTopic> expected = referenceSearch(path, query);
                const QList<double> bar =
                    doc.isNull() || query.isEmpty()
                        ? QList<double>()
                        : QList{double(queryWords(query).size()) * double(doc.size())};
                const SearchTuning small{.blockBytes = rng.bounded(1, 80),
                                         .readBytes = rng.bounded(1, 20),
                                         .scanBytes = std::array{1, 16, 32}[q % 3]};
                // Parts scored side by side and merged: one line a part, a few lines, and
                // parts that cut through blocks, on one thread and on more.
                SearchTuning oneLine = small;
                oneLine.partBytes = 1;
                oneLine.threads = 1 + q % 3;
                SearchTuning fewLines = small;
                fewLines.partBytes = rng.bounded(2, 60);
                fewLines.threads = 2 + q % 2;
                const SearchTuning blocksInParts{.partBytes = rng.bounded(60, 400), .threads = 2};
                for (const SearchTuning &tuning :
                     {SearchTuning(), small, oneLine, fewLines, blocksInParts}) {
                    FakeProgress progress;
                    const QList<RankedTopic> actual = fullSearch(path, query, &progress, tuning);
                    if (actual != expected)
                        QFAIL(qPrintable(
                            QString("round %1, query [%2], block %3, part %4, threads %5:\n"
                                    "%6\n%7\n%8")
                                .arg(QString::number(round), query,
                                     QString::number(tuning.blockBytes),
                                     QString::number(tuning.partBytes),
                                     QString::number(tuning.threads), shown(actual),
                                     shown(expected), doc.toPercentEncoding(" #"))));
                    QCOMPARE(progress.maxima, bar);
                    QCOMPARE(progress.finishes, bar.size());
                    QCOMPARE(progress.updates.isEmpty() ? QList<double>()
                                                        : QList{progress.updates.last().first},
                             bar);
                    QVERIFY(progress.forwardOnly());
                    QCOMPARE(progress.otherThreadCalls, 0);
                }
            }
        }
    }

    // One pass over a block finds its marks and the places of several words: exactly what the
    // plain scans find one after another, up to the end mark, at every width.
    void scanBlockAgreesWithPlainScans()
    {
        QRandomGenerator rng(4711);
        const QByteArray alphabet = "\naAbB\xc4\xe4#\r  "; // words from the 2nd byte on: no LF
        auto pick = [&](int length, qsizetype from) {
            QByteArray t;
            for (int i = 0; i < length; ++i)
                t += alphabet[rng.bounded(from, alphabet.size())];
            return t;
        };
        for (int round = 0; round < 3000; ++round) {
            const QByteArray block = pick(rng.bounded(0, 400), 0);
            const bool atFileEnd = rng.bounded(2) == 0;
            std::vector<blockscan::Finder> finders;
            // Short words are found often; a long one ends the pass over all at once early.
            for (int k = rng.bounded(0, 6); k > 0; --k) {
                const int length = k % 2 ? rng.bounded(1, 4) : rng.bounded(1, 80);
                finders.emplace_back(cp1252::encode(cp1252::decode(pick(length, 1)).toLower()),
                                     blockscan::Kind::Plain);
            }
            std::vector<const blockscan::Finder *> pointers;
            for (const blockscan::Finder &f : finders)
                pointers.push_back(&f);
            const QByteArray padded = QByteArray(128, '\n') + block + QByteArray(128, '#');
            const char *data = padded.constData() + 128;
            const blockscan::LineMarks marks =
                blockscan::findLineMarks(data, block.size(), atFileEnd, blockscan::Kind::Plain);
            const qsizetype end = marks.endMark >= 0 ? marks.endMark : block.size();
            for (const auto kind :
                 {blockscan::Kind::Wide, blockscan::Kind::Vector, blockscan::Kind::Plain}) {
                blockscan::BlockFinds finds;
                blockscan::scanBlock(data, block.size(), atFileEnd, pointers, finds, kind);
                QCOMPARE(finds.marks.headings, marks.headings);
                QCOMPARE(finds.marks.endMark, marks.endMark);
                for (std::size_t k = 0; k < finders.size(); ++k) {
                    std::vector<qsizetype> places;
                    for (qsizetype p = finders[k].find(data, 0, end); p >= 0;
                         p = finders[k].find(data, p + 1, end))
                        places.push_back(p);
                    QCOMPARE(finds.places[k], places);
                }
            }
        }
    }

    // Lower-casing 16 bytes at once must agree with the table for every byte, at any alignment.
    void lowersLikeTheTable()
    {
        QByteArray all(3 * 256, '\0');
        for (int i = 0; i < all.size(); ++i)
            all[i] = char(i);
        for (int shift = 0; shift < 17; ++shift) {
            QByteArray lowered(all.size() - shift, '\0');
            blockscan::lowerBytes(lowered.data(), all.constData() + shift, lowered.size());
            for (int i = 0; i < lowered.size(); ++i)
                QCOMPARE(uchar(lowered[i]), cp1252::toLower(uchar(all[i + shift])));
        }
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
