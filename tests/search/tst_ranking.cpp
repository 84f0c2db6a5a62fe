#include "support/referenceranking.h"

#include <QTest>

using namespace tamo;

using Adds = QList<QPair<QString, int>>;
using Ranked = QList<RankedTopic>;

class TestRanking : public QObject {
    Q_OBJECT
private slots:
    void order_data();
    void order();
};

void TestRanking::order_data()
{
    QTest::addColumn<Adds>("adds");
    QTest::addColumn<Ranked>("expected");
    const QString shy = "a\u00AD"; // the collation ignores the soft hyphen
    QTest::newRow("higher total first")
        << Adds{{"Datei", 12}, {"Zeichen", 30}} << Ranked{{"Zeichen", 30}, {"Datei", 12}};
    QTest::newRow("equal totals alphabetical")
        << Adds{{"Zeichen", 4}, {"datei", 4}} << Ranked{{"datei", 4}, {"Zeichen", 4}};
    // Names are compared in double quotes: blank and underscore sort before the quote.
    QTest::newRow("quoted names")
        << Adds{{"Dateien", 2}, {"Datei", 2}, {"Datei_lesen", 2}, {"Datei lesen", 2}}
        << Ranked{{"Datei lesen", 2}, {"Datei_lesen", 2}, {"Datei", 2}, {"Dateien", 2}};
    QTest::newRow("case variants add up, first spelling")
        << Adds{{"Datei", 4}, {"DATEI", 2}, {"datei", 10}} << Ranked{{"Datei", 16}};
    QTest::newRow("zero points change nothing")
        << Adds{{"Datei", 0}, {"Zeichen", 2}, {"Zeichen", 0}} << Ranked{{"Zeichen", 2}};
    QTest::newRow("empty name, quotes kept")
        << Adds{{"", 30}, {"\"x\"", 2}, {"x", 2}} << Ranked{{"", 30}, {"\"x\"", 2}, {"x", 2}};
    QTest::newRow("tie: latest update first")
        << Adds{{"a", 2}, {shy, 2}} << Ranked{{shy, 2}, {"a", 2}};
    QTest::newRow("tie: an update moves the entry in front")
        << Adds{{"a", 1}, {shy, 2}, {"a", 1}} << Ranked{{"a", 2}, {shy, 2}};
}

void TestRanking::order()
{
    QFETCH(Adds, adds);
    QFETCH(Ranked, expected);
    RankingList list;
    list.add("Zeichen", 4); // clear() forgets earlier names
    list.clear();
    for (const auto &[name, score] : adds)
        list.add(name, score);
    QCOMPARE(list.ranked(), expected);
}

QTEST_GUILESS_MAIN(TestRanking)
#include "tst_ranking.moc"
