#include "std/collation.h"
#include "std/textlist.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

class TestCollation : public QObject {
    Q_OBJECT
private slots:
    void order_data();
    void order();
    void independentOfProcessLocale();
    void newEntryGoesBeforeItsEquals();
    void insertionOrderMatchesOneByOneInsertion();
};

void TestCollation::order_data()
{
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("higher");
    QTest::newRow("blank before quote") << " \"x\"" << "\"x\"";
    QTest::newRow("more blanks first") << "   \"Zeichen\"" << "  \"Abc\"";
    QTest::newRow("quote before digit") << "\"" << "0";
    QTest::newRow("digit before letter") << "9" << "a";
    QTest::newRow("case ignored, then name") << "\"datei\"" << "\"Zeichen\"";
    QTest::newRow("prefix first") << "\"Datei\"" << "\"Dateien\"";
    QTest::newRow("umlaut with base letter") << "Äpfel" << "Apfelz";
    QTest::newRow("o-umlaut before p") << "Öl" << "Pause";
    QTest::newRow("underscore before letters") << "Datei_lesen" << "Dateien";
}

void TestCollation::order()
{
    QFETCH(QString, lower);
    QFETCH(QString, higher);
    QVERIFY2(collation::compare(lower, higher) < 0, qPrintable(lower + " < " + higher));
    QVERIFY(collation::compare(higher, lower) > 0);
}

void TestCollation::independentOfProcessLocale()
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden)); // sorts Ä after Z
    QVERIFY(collation::compare("Äpfel", "Zebra") < 0);
    QLocale::setDefault(saved);
    QCOMPARE(collation::compare("ABC", "abc"), 0);
}

void TestCollation::newEntryGoesBeforeItsEquals()
{
    SortedTextList list;
    QCOMPARE(list.add("Zugriff"), 0);
    QCOMPARE(list.add("Abc"), 0);
    QCOMPARE(list.add("ABC"), 0);
    QCOMPARE(list.add("abc"), 0);
    QCOMPARE(list.add("Datei"), 3);
    QCOMPARE(list.items(), QStringList({"abc", "ABC", "Abc", "Datei", "Zugriff"}));
}

// Sorting once must give what inserting one name after another gives.
void TestCollation::insertionOrderMatchesOneByOneInsertion()
{
    QRandomGenerator rng(4711);
    const QStringList pieces{"a", "A", "ä", "Ä", "b", " ", "_", "\"", "1", "ß", "ss", "o", "Ö"};
    QStringList texts;
    for (int i = 0; i < 600; ++i) {
        QString t;
        const int len = rng.bounded(4);
        for (int k = 0; k < len; ++k)
            t += pieces.at(rng.bounded(pieces.size()));
        texts += t;
    }
    SortedTextList oneByOne;
    for (const QString &t : texts)
        oneByOne.add(t);

    QStringList sorted;
    for (qsizetype i : collation::insertionOrder(texts))
        sorted += texts.at(i);
    QCOMPARE(sorted, oneByOne.items());
}

QTEST_GUILESS_MAIN(TestCollation)
#include "tst_collation.moc"
