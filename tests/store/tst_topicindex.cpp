#include "std/textroutines.h"
#include "store/docreader.h"
#include "store/topicindex.h"
#include "support/sortedinsert.h"
#include "support/tempdoc.h"

#include <QRandomGenerator>
#include <QTest>

using namespace tamo;

namespace {

// The index as built one heading at a time: each name inserted at its sorted place, its
// position inserted at the index of the first entry equal to it.
TopicIndex referenceIndex(const QString &path)
{
    DocReader reader;
    reader.open(path);
    TopicIndex index;
    for (QString line; (line = reader.readLine()) != endOfFileMark();) {
        if (!line.startsWith(u"###"))
            continue;
        const qsizetype at = insertSorted(index.names, line.mid(3));
        index.positions.insert(at, reader.position() - line.size() - 2);
    }
    return index;
}

TopicIndex indexOf(const QString &path, QStringList *captions = nullptr, qint64 block = 65536)
{
    DocReader reader;
    if (!reader.open(path))
        qFatal("cannot open %s", qPrintable(path));
    reader.setBlockSize(block);
    return buildTopicIndex(reader, [captions](const QString &c) {
        if (captions)
            *captions += c;
    });
}

} // namespace

class TestTopicIndex : public QObject {
    Q_OBJECT
private slots:
    // Sorted in the shared order; of equal names the later heading comes first.
    void headings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<qint64>>("positions");
        QTest::newRow("empty file") << QByteArray() << QStringList() << QList<qint64>();
        QTest::newRow("sorted, intro skipped, duplicates")
            << QByteArray("intro\r\n###Z\r\nz\r\n###D\r\n###Z\r\n") << QStringList{"D", "Z", "Z"}
            << QList<qint64>{17, 23, 8};
        QTest::newRow("last heading without line end: one before it")
            << QByteArray("###A\r\n###B") << QStringList{"A", "B"} << QList<qint64>{1, 6};
        QTest::newRow("single heading line: position 0")
            << QByteArray("###Only") << QStringList{"Only"} << QList<qint64>{0};
    }
    void headings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, names);
        QFETCH(QList<qint64>, positions);
        const TopicIndex index = indexOf(writeTempFile(m_dir, "doc.txw", bytes));
        QCOMPARE(index.names, names);
        QCOMPARE(index.positions, positions);
    }

    // Random files, read in random block sizes, against the one-at-a-time build.
    void matchesStepByStepBuild()
    {
        QRandomGenerator rng(20261207);
        const QStringList pool{"Datei", "datei", "DATEI",  "Zugriff", "Äpfel",
                               "Apfel", "a b",   "a_b",    "\"q\"",   "1x",
                               "",      " lead", "Straße", "Strasse", "Öl"};
        const QList<QByteArray> lines{"text line", "---Datei", "", "\r"};
        for (int round = 0; round < 30; ++round) {
            QByteArray bytes;
            for (int i = 50 + rng.bounded(200); i > 0; --i) {
                bytes += rng.bounded(5) < 2 ? "###" + pool.at(rng.bounded(pool.size())).toLatin1()
                                            : lines.at(rng.bounded(80) ? rng.bounded(3) : 3);
                bytes += rng.bounded(10) == 0 ? "\n" : "\r\n";
            }
            if (rng.bounded(2))
                bytes += "###tail";
            const QString path = writeTempFile(m_dir, "random.txw", bytes);
            const TopicIndex index = indexOf(path, nullptr, rng.bounded(1, 40));
            const TopicIndex reference = referenceIndex(path);
            QCOMPARE(index.names, reference.names);
            QCOMPARE(index.positions, reference.positions);
        }
    }

    void loadingCaption_data()
    {
        QTest::addColumn<qint64>("after");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("percent");
        QTest::newRow("below one, no leading zero") << qint64(3) << qint64(1000) << ".2";
        QTest::newRow("truncated, not rounded") << qint64(9997) << qint64(10000) << "99.9";
        QTest::newRow("whole") << qint64(1001) << qint64(1000) << "100";
        QTest::newRow("beyond 2 GB") << qint64(3'000'000'000) << qint64(4'000'000'000) << "74.9";
        // A last heading without line end leaves the position past the end: 112.5 shows as "112."
        QTest::newRow("cut to four characters") << qint64(9) << qint64(7) << "112.";
    }
    void loadingCaption()
    {
        QFETCH(qint64, after);
        QFETCH(qint64, size);
        QFETCH(QString, percent);
        QCOMPARE(tamo::loadingCaption(after, size, "Datei"),
                 "Quarn-Tamo wird geladen... (" + percent + "%)\r\nDatei");
    }

    void progressAfterEveryHeading()
    {
        QStringList captions;
        indexOf(writeTempFile(m_dir, "progress.txw", "###A\r\ntext\r\n###B\r\n"), &captions);
        QCOMPARE(captions, QStringList({"Quarn-Tamo wird geladen... (36.8%)\r\nA",
                                        "Quarn-Tamo wird geladen... (100%)\r\nB"}));
    }

    void prefixList()
    {
        const TopicIndex index = indexOf(
            writeTempFile(m_dir, "prefix.txw",
                          "###Verwendung\r\n###VERGLEICH\r\n###Ver teilt\r\n###Ve\r\n###ix\r\n"));
        QCOMPARE(index.namesStartingWith("ver"),
                 QStringList({"Ver teilt", "VERGLEICH", "Verwendung"}));
        QCOMPARE(index.namesStartingWith("VER "), QStringList({"Ver teilt"}));
        QCOMPARE(index.namesStartingWith(""), index.names);
        QCOMPARE(index.namesStartingWith("Verwendung_der"), QStringList());
        QCOMPARE(index.namesStartingWith(QString(QChar(0x130))), QStringList({"ix"})); // one to one
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestTopicIndex)
#include "tst_topicindex.moc"
