#include "std/collation.h"
#include "support/sortedinsert.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

using namespace tamo;

class TestCollation : public QObject {
    Q_OBJECT
private slots:
    void order_data()
    {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("higher");
        QTest::newRow("blank before quote") << QString(" \"x\"") << "\"x\"";
        QTest::newRow("more blanks first") << QString("   \"Zeichen\"") << "  \"Abc\"";
        QTest::newRow("quote before digit") << QString("\"") << "0";
        QTest::newRow("digit before letter") << QString("9") << "a";
        QTest::newRow("case ignored, then name") << QString("\"datei\"") << "\"Zeichen\"";
        QTest::newRow("prefix first") << QString("\"Datei\"") << "\"Dateien\"";
        QTest::newRow("umlaut with base letter") << QString("Äpfel") << "Apfelz";
        QTest::newRow("o-umlaut before p") << QString("Öl") << "Pause";
        QTest::newRow("underscore before letters") << QString("Datei_lesen") << "Dateien";
    }
    void order()
    {
        QFETCH(QString, lower);
        QFETCH(QString, higher);
        QVERIFY2(collation::compare(lower, higher) < 0, qPrintable(lower + " < " + higher));
        QVERIFY(collation::compare(higher, lower) > 0);
    }

    void independentOfProcessLocale()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden)); // sorts Ä after Z
        QVERIFY(collation::compare("Äpfel", "Zebra") < 0);
        QLocale::setDefault(saved);
        QCOMPARE(collation::compare("ABC", "abc"), 0);
    }

    // Plain ASCII and umlaut texts are compared without the collator; the result must be the
    // collator's for every pair, punctuation, case and umlaut positions included. Sorting once
    // must give the order of inserting one text at a time in front of its equals.
    void fastPathAgreesWithCollator()
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
        QStringList mixed, inserted, sorted;
        for (int i = 0; i < 400; ++i) {
            const QString t = QString("Dateiname").left(rng.bounded(10)) + // long shared starts
                              randomText(alphabet + QString::fromUtf8("éÿ€"), 5);
            const QString earlier = i ? mixed.at(rng.bounded(i)) : t; // an equal in other case
            mixed += i % 4 ? t : (i % 8 ? earlier.toUpper() : earlier.toLower());
            insertSorted(inserted, mixed.last());
        }
        for (const qsizetype i : collation::insertionOrder(mixed))
            sorted += mixed[i];
        for (qsizetype i = 1; i < sorted.size(); ++i)
            QVERIFY(collation::collator().compare(sorted[i - 1], sorted[i]) <= 0);
        QCOMPARE(sorted, inserted);
    }
};

QTEST_GUILESS_MAIN(TestCollation)
#include "tst_collation.moc"
