#include "search/ranking.h"

#include <QTest>

using namespace tamo;

using Entries = std::vector<RankingEntry>;
using Ranked = QList<RankedTopic>;
Q_DECLARE_METATYPE(Entries)

// The order of the result list. How totals are gathered is held against a plain reference in
// tst_fullsearch.
class TestRanking : public QObject {
    Q_OBJECT
private slots:
    void order_data();
    void order();
};

void TestRanking::order_data()
{
    QTest::addColumn<Entries>("entries"); // name, total, last update
    QTest::addColumn<Ranked>("expected");
    const QString shy = "a\u00AD"; // the collation ignores the soft hyphen
    QTest::newRow("higher total first")
        << Entries{{"Datei", 12, 1}, {"Zeichen", 30, 2}} << Ranked{{"Zeichen", 30}, {"Datei", 12}};
    QTest::newRow("equal totals alphabetical")
        << Entries{{"Zeichen", 4, 1}, {"datei", 4, 2}} << Ranked{{"datei", 4}, {"Zeichen", 4}};
    // Names are compared in double quotes: blank and underscore sort before the quote.
    QTest::newRow("quoted names")
        << Entries{{"Dateien", 2, 1}, {"Datei", 2, 2}, {"Datei_lesen", 2, 3}, {"Datei lesen", 2, 4}}
        << Ranked{{"Datei lesen", 2}, {"Datei_lesen", 2}, {"Datei", 2}, {"Dateien", 2}};
    QTest::newRow("empty name, quotes kept") << Entries{{"", 30, 1}, {"\"x\"", 2, 2}, {"x", 2, 3}}
                                             << Ranked{{"", 30}, {"\"x\"", 2}, {"x", 2}};
    QTest::newRow("names tie: latest update first")
        << Entries{{shy, 2, 1}, {"a", 2, 5}, {"A", 2, 3}} << Ranked{{"a", 2}, {"A", 2}, {shy, 2}};
}

void TestRanking::order()
{
    QFETCH(Entries, entries);
    QFETCH(Ranked, expected);
    QCOMPARE(orderRanking(entries), expected);
}

QTEST_GUILESS_MAIN(TestRanking)
#include "tst_ranking.moc"
