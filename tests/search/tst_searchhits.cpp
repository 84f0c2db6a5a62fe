#include "search/query.h"
#include "search/searchhits.h"

#include <QTest>

using namespace tamo;

// The words the window marks after showing a topic from a search result.
class TestSearchHits : public QObject {
    Q_OBJECT
private slots:
    void hits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("marked");
        // Words end at blanks and line ends only: a tab or a lone CR is part of its word.
        const QString text = "Datei lesen\r\nDATEIEN, Tabelle\r\nZugriffs-\tx\rdatei\r\n"
                             "Dateizugriffsberechtigungsverwaltung\r\n";
        const QString longWord = "Dateizugriffsberechtigungsverwaltung";
        QTest::newRow("equal and containing, any case")
            << text << "datei" << QStringList{"Datei", "DATEIEN,", "Zugriffs-\tx\rdatei", longWord};
        QTest::newRow("two words, each word once")
            << text << "lesen tabelle lesen" << QStringList{"lesen", "Tabelle"};
        // On text lines a quoted word scores a near miss only when it is long: one typo in 30
        // letters and more.
        QTest::newRow("quoted near miss, long word")
            << text << "\"dateizugrifsberechtigungsverwaltung\"" << QStringList{longWord};
        QTest::newRow("quoted near miss, short word") << text << "\"tabele\"" << QStringList{};
        QTest::newRow("plain word: no near miss")
            << text << "dateizugrifsberechtigungsverwaltung" << QStringList{};
        QTest::newRow("empty quoted word: every word") << "a b\r\n"
                                                       << "\"" << QStringList{"a", "b"};
        QTest::newRow("no query") << text << "" << QStringList{};
    }

    void hits()
    {
        QFETCH(QString, text);
        QFETCH(QString, query);
        QFETCH(QStringList, marked);
        QStringList got;
        for (const TextRange &r : searchHits(text, normaliseQuery(query)))
            got << text.mid(r.start, r.length);
        QCOMPARE(got, marked);
    }
};

QTEST_GUILESS_MAIN(TestSearchHits)
#include "tst_searchhits.moc"
