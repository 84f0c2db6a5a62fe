#include "std/collation.h"
#include "support/sortedinsert.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

using namespace tamo;

class TestCollation : public QObject {
    Q_OBJECT
private slots:
    void order_data();
    void order();
    void independentOfProcessLocale();
    void newEntryGoesBeforeItsEquals();
    void fastPathAgreesWithCollator();
};

void TestCollation::order_data()
{
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("higher");
    QTest::newRow("blank before quote") << " \"x\""
                                        << "\"x\"";
    QTest::newRow("more blanks first") << "   \"Zeichen\""
                                       << "  \"Abc\"";
    QTest::newRow("quote before digit") << "\""
                                        << "0";
    QTest::newRow("digit before letter") << "9"
                                         << "a";
    QTest::newRow("case ignored, then name") << "\"datei\""
                                             << "\"Zeichen\"";
    QTest::newRow("prefix first") << "\"Datei\""
                                  << "\"Dateien\"";
    QTest::newRow("umlaut with base letter") << "Äpfel"
                                             << "Apfelz";
    QTest::newRow("o-umlaut before p") << "Öl"
                                       << "Pause";
    QTest::newRow("underscore before letters") << "Datei_lesen"
                                               << "Dateien";
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
    QStringList list;
    for (const char *text : {"Zugriff", "Abc", "ABC", "abc", "Datei"})
        insertSorted(list, text);
    QCOMPARE(list, QStringList({"abc", "ABC", "Abc", "Datei", "Zugriff"}));
    // Sorting once gives the same order.
    const QStringList given{"Zugriff", "Abc", "ABC", "abc", "Datei"};
    QStringList sorted;
    for (const qsizetype i : collation::insertionOrder(given))
        sorted.append(given.at(i));
    QCOMPARE(sorted, list);
}

// Plain ASCII and umlaut texts are compared without the collator; the result must be the
// collator's for every pair, punctuation, case and umlaut positions included.
void TestCollation::fastPathAgreesWithCollator()
{
    QRandomGenerator rng(1207);
    QString alphabet;
    for (char16_t c = 32; c < 127; ++c)
        alphabet += QChar(c);
    alphabet += QString::fromUtf8("äöüÄÖÜß");
    const QString tricky = QString::fromUtf8("aAäÄoöuüUÜsSßt _-\"'1 ");
    auto randomText = [&](const QString &from, int maxLength) {
        QString t;
        const int len = rng.bounded(maxLength + 1);
        for (int k = 0; k < len; ++k)
            t += from.at(rng.bounded(from.size()));
        return t;
    };
    auto sign = [](int v) {
        return (v > 0) - (v < 0);
    };
    for (int i = 0; i < 20000; ++i) {
        const QString &from = i % 2 ? alphabet : tricky;
        const QString a = randomText(from, 6);
        const QString b = i % 3 ? randomText(from, 6) : a.toUpper();
        const int expected = sign(collation::collator().compare(a, b));
        if (sign(collation::compare(a, b)) != expected)
            QFAIL(qPrintable(QStringLiteral("'%1' vs '%2'").arg(a, b)));
    }
    QStringList mixed;
    for (int i = 0; i < 400; ++i)
        mixed += randomText(alphabet + QString::fromUtf8("éÿ€"), 5);
    const QList<qsizetype> order = collation::insertionOrder(mixed);
    for (qsizetype i = 1; i < order.size(); ++i)
        QVERIFY(collation::collator().compare(mixed[order[i - 1]], mixed[order[i]]) <= 0);
}

QTEST_GUILESS_MAIN(TestCollation)
#include "tst_collation.moc"
