#include "search/query.h"
#include "search/scoring.h"
#include "std/textroutines.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

QString queryWord(int length)
{
    QString w;
    for (int i = 0; i < length; ++i)
        w += QChar(u'a' + i % 26);
    return w;
}

// At edit distance `edits` from queryWord(length), and not containing it.
QString edited(int length, int edits)
{
    QString w = queryWord(length);
    for (int i = 0; i < edits; ++i)
        w[length - 1 - i] = u'#';
    return w;
}

} // namespace

class TestScoring : public QObject {
    Q_OBJECT
private slots:
    void normalise_data();
    void normalise();
    void words();
    void quotedByDistance_data();
    void quotedByDistance();
    void wordScores_data();
    void wordScores();
    void boundedDistance();
};

void TestScoring::normalise_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two words") << "Datei Zugriff"
                               << "datei zugriff ";
    QTest::newRow("blanks around and between") << "  Datei   Zugriff "
                                               << "datei zugriff ";
    QTest::newRow("blanks only") << "    "
                                 << "";
    QTest::newRow("tabs are no blanks") << "\tA\t"
                                        << "\ta\t ";
    QTest::newRow("umlauts") << QString::fromUtf8("ÄPFEL Öl") << QString::fromUtf8("äpfel öl ");
}

void TestScoring::normalise()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(normaliseQuery(text), expected);
}

void TestScoring::words()
{
    const QList<QueryWord> expected = {{"datei", false}, {"dtaei", true}, {"da\"tei", true},
                                       {"", true},       {"", true},      {"datei", false}};
    QCOMPARE(queryWords("datei \"dtaei\" xda\"tei! \"\" \" datei "), expected);
    QVERIFY(queryWords("").isEmpty());
}

// Points of a quoted word by distance for words that do not contain it; t = length div 5.
void TestScoring::quotedByDistance_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("heading");
    QTest::addColumn<QList<int>>("byDistance");
    QTest::newRow("t=2 heading") << 5 << true << QList<int>{20, 10, 0};
    QTest::newRow("t=2 other") << 9 << false << QList<int>{4, 0};
    QTest::newRow("t=3 heading") << 15 << true << QList<int>{20, 13, 7, 0};
    QTest::newRow("t=4 heading") << 20 << true << QList<int>{20, 15, 10, 5, 0};
    QTest::newRow("t=5 heading") << 25 << true << QList<int>{20, 16, 12, 8, 4};
    QTest::newRow("t=6 heading") << 30 << true << QList<int>{20, 17, 13, 10, 7};
    QTest::newRow("t=6 other") << 30 << false << QList<int>{4, 1, 0};
    QTest::newRow("t=8 heading, halves to even") << 40 << true << QList<int>{20, 18, 15, 12, 10};
    QTest::newRow("t=8 other, 1.5 to 2") << 40 << false << QList<int>{4, 2, 0};
}

void TestScoring::quotedByDistance()
{
    QFETCH(int, length);
    QFETCH(bool, heading);
    QFETCH(QList<int>, byDistance);
    for (int d = 0; d < byDistance.size(); ++d)
        QCOMPARE(quotedWordScore(edited(length, d), queryWord(length), heading), byDistance[d]);
}

void TestScoring::wordScores_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("quoted");
    QTest::addColumn<int>("heading");
    QTest::addColumn<int>("other");
    QTest::newRow("plain equal") << "datei"
                                 << "datei" << false << 20 << 4;
    QTest::newRow("plain contains") << "###datei"
                                    << "datei" << false << 10 << 2;
    QTest::newRow("plain, tab inside") << "a\tb"
                                       << "\tb" << false << 10 << 2;
    QTest::newRow("plain no match") << "dtaei"
                                    << "datei" << false << 0 << 0;
    QTest::newRow("quoted one off") << "datex"
                                    << "datei" << true << 10 << 0;
    QTest::newRow("quoted contains when 0 by distance") << "dateien"
                                                        << "datei" << true << 10 << 2;
    // Containing, yet 2 edits of t=8 are not 0 on a heading: the distance decides there.
    QTest::newRow("quoted long contains")
        << queryWord(40) + "xy" << queryWord(40) << true << 15 << 2;
    // t=11: 4 - 2/11*20 = 0.36 is not 0, so containment is not asked; it rounds to 0.
    QTest::newRow("rounds to 0 without containment")
        << queryWord(55) + "xy" << queryWord(55) << true << 16 << 0;
    QTest::newRow("empty quoted word") << "x"
                                       << "" << true << 10 << 2;
    QTest::newRow("over 255: containment only")
        << QString(300, u'a') << QString(300, u'a') << true << 10 << 2;
}

void TestScoring::wordScores()
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

void TestScoring::boundedDistance()
{
    QRandomGenerator rng(2024);
    auto randomWord = [&rng](int maxLength) {
        QString w;
        for (int i = rng.bounded(maxLength + 1); i > 0; --i)
            w += QChar(u"abcab#"[rng.bounded(6)]);
        return w;
    };
    for (int i = 0; i < 20000; ++i) {
        const int maxLength = i % 50 == 0 ? 250 : 12;
        const QString a = randomWord(maxLength);
        const QString b = i % 3 ? randomWord(maxLength) : a + randomWord(3);
        const int limit = rng.bounded(8);
        const int expected = std::min(STD::EditDistance(a, b), limit + 1);
        QCOMPARE(boundedEditDistance(a.utf16(), int(a.size()), b.utf16(), int(b.size()), limit),
                 expected);
    }
}

QTEST_GUILESS_MAIN(TestScoring)
#include "tst_scoring.moc"
