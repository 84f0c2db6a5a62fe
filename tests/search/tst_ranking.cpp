#include "search/ranking.h"

#include <QTest>

using Adds = QList<QPair<QString, int>>;

class TestRanking : public QObject {
    Q_OBJECT
private slots:
    void order_data();
    void order();
};

void TestRanking::order_data()
{
    QTest::addColumn<Adds>("adds");
    QTest::addColumn<QList<RankedTopic>>("expected");
    const QString shy = QString::fromUtf8("a\u00AD"); // the collation ignores the soft hyphen
    QTest::newRow("points add up") << Adds{{"Datei", 20}, {"Datei", 4}, {"Datei", 4}, {"Datei", 4}}
                                   << QList<RankedTopic>{{"Datei", 32}};
    QTest::newRow("higher total first") << Adds{{"Datei", 12}, {"Zeichen", 30}}
                                        << QList<RankedTopic>{{"Zeichen", 30}, {"Datei", 12}};
    QTest::newRow("equal totals alphabetical")
        << Adds{{"Zeichen", 4}, {"datei", 4}} << QList<RankedTopic>{{"datei", 4}, {"Zeichen", 4}};
    QTest::newRow("name before its longer forms")
        << Adds{{"Dateien", 2}, {"Datei", 2}} << QList<RankedTopic>{{"Datei", 2}, {"Dateien", 2}};
    QTest::newRow("blank, underscore before the closing quote")
        << Adds{{"Datei", 2}, {"Datei_lesen", 2}, {"Datei lesen", 2}}
        << QList<RankedTopic>{{"Datei lesen", 2}, {"Datei_lesen", 2}, {"Datei", 2}};
    QTest::newRow("case variants: one entry, first spelling")
        << Adds{{"Datei", 4}, {"DATEI", 2}, {"datei", 10}} << QList<RankedTopic>{{"Datei", 16}};
    QTest::newRow("zero points change nothing")
        << Adds{{"Datei", 0}, {"Zeichen", 2}, {"Zeichen", 0}} << QList<RankedTopic>{{"Zeichen", 2}};
    QTest::newRow("empty name, quotes kept")
        << Adds{{"", 30}, {"\"x\"", 2}, {"x", 2}}
        << QList<RankedTopic>{{"", 30}, {"\"x\"", 2}, {"x", 2}};
    QTest::newRow("tie: latest update first")
        << Adds{{"a", 2}, {shy, 2}} << QList<RankedTopic>{{shy, 2}, {"a", 2}};
    QTest::newRow("tie: an update moves the entry in front")
        << Adds{{"a", 1}, {shy, 2}, {"a", 1}} << QList<RankedTopic>{{"a", 2}, {shy, 2}};
}

void TestRanking::order()
{
    QFETCH(Adds, adds);
    QFETCH(QList<RankedTopic>, expected);
    RankingList list;
    list.AddTopicScore("Vorher", 4);
    list.clear();
    for (const auto &[name, score] : adds)
        list.AddTopicScore(name, score);
    QCOMPARE(list.ranked(), expected);
    QStringList names;
    for (const RankedTopic &t : expected)
        names.append(t.name);
    QCOMPARE(list.listing(), names);
}

QTEST_GUILESS_MAIN(TestRanking)
#include "tst_ranking.moc"
