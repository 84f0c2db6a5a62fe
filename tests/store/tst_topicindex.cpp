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
    QStringList names;
    QList<qint64> positions;
    for (;;) {
        const QString line = reader.readLine();
        if (line == endOfFileMark())
            break;
        if (!line.startsWith(u"###"))
            continue;
        const QString name = line.mid(3);
        insertSorted(names, name);
        positions.insert(names.indexOf(name), reader.position() - line.size() - 2);
    }
    TopicIndex index;
    index.names = names;
    index.positions = positions;
    return index;
}

TopicIndex indexOf(const QString &path, QStringList *captions = nullptr)
{
    DocReader reader;
    if (!reader.open(path))
        qFatal("cannot open %s", qPrintable(path));
    return buildTopicIndex(reader, [captions](const QString &c) {
        if (captions)
            *captions += c;
    });
}

} // namespace

class TestTopicIndex : public QObject {
    Q_OBJECT
private slots:
    void headings_data();
    void headings();
    void matchesStepByStepBuild();
    void loadingCaption_data();
    void loadingCaption();
    void progressAfterEveryHeading();
    void prefixList();

private:
    QTemporaryDir m_dir;
};

void TestTopicIndex::headings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<qint64>>("positions");
    QTest::newRow("empty file") << QByteArray() << QStringList() << QList<qint64>();
    QTest::newRow("sorted, lines before first heading skipped")
        << QByteArray("intro\r\n###Zugriff\r\nz\r\n###Datei\r\nd\r\n")
        << QStringList{"Datei", "Zugriff"} << QList<qint64>{23, 8};
    QTest::newRow("duplicates: later heading first")
        << QByteArray("###A\r\n1\r\n###A\r\n2\r\n") << QStringList{"A", "A"}
        << QList<qint64>{10, 1};
    QTest::newRow("last heading without line end: one before it")
        << QByteArray("###A\r\n###B") << QStringList{"A", "B"} << QList<qint64>{1, 6};
    QTest::newRow("single heading line: position 0")
        << QByteArray("###Only") << QStringList{"Only"} << QList<qint64>{0};
    QTest::newRow("bare lf heading")
        << QByteArray("x\n###Name\n") << QStringList{"Nam"} << QList<qint64>{3};
    QTest::newRow("cp1252 names") << QByteArray("###\xc4pfel\r\n###Apfelz\r\n")
                                  << QStringList{QString::fromUtf8("Äpfel"), "Apfelz"}
                                  << QList<qint64>{1, 11};
    QTest::newRow("lone cr line stops the index")
        << QByteArray("###A\r\n\r\r\n###B\r\n") << QStringList{"A"} << QList<qint64>{1};
}

void TestTopicIndex::headings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    QFETCH(QList<qint64>, positions);
    const QString path = writeTempFile(m_dir, "doc.txw", bytes);
    const TopicIndex index = indexOf(path);
    QCOMPARE(index.names, names);
    QCOMPARE(index.positions, positions);
    const TopicIndex reference = referenceIndex(path);
    QCOMPARE(index.names, reference.names);
    QCOMPARE(index.positions, reference.positions);
}

void TestTopicIndex::matchesStepByStepBuild()
{
    QRandomGenerator rng(20261207);
    const QStringList pool{"Datei", "datei", "DATEI", "Zugriff", "Äpfel",  "Apfel",   "a b", "a_b",
                           "\"q\"", "1x",    "",      " lead",   "Straße", "Strasse", "Öl"};
    for (int round = 0; round < 20; ++round) {
        QByteArray bytes;
        const int lines = 50 + rng.bounded(200);
        for (int i = 0; i < lines; ++i) {
            switch (rng.bounded(5)) {
            case 0:
            case 1:
                bytes += "###" + pool.at(rng.bounded(pool.size())).toLatin1();
                break;
            case 2:
                bytes += "text line";
                break;
            case 3:
                bytes += "---Datei";
                break;
            default:
                break;
            }
            bytes += rng.bounded(10) == 0 ? "\n" : "\r\n";
        }
        if (rng.bounded(2))
            bytes += "###tail";
        const QString path = writeTempFile(m_dir, "random.txw", bytes);
        const TopicIndex index = indexOf(path);
        const TopicIndex reference = referenceIndex(path);
        QCOMPARE(index.names, reference.names);
        QCOMPARE(index.positions, reference.positions);
    }
}

void TestTopicIndex::loadingCaption_data()
{
    QTest::addColumn<qint64>("after");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("5.1") << qint64(52) << qint64(1000) << "Quarn-Tamo wird geladen... (5.1%)";
    QTest::newRow("below one, no leading zero")
        << qint64(3) << qint64(1000) << "Quarn-Tamo wird geladen... (.2%)";
    QTest::newRow("truncated, not rounded")
        << qint64(9997) << qint64(10000) << "Quarn-Tamo wird geladen... (99.9%)";
    QTest::newRow("whole") << qint64(1001) << qint64(1000) << "Quarn-Tamo wird geladen... (100%)";
    QTest::newRow("beyond 2 GB") << qint64(3'000'000'000) << qint64(4'000'000'000)
                                 << "Quarn-Tamo wird geladen... (74.9%)";
    // A last heading without line end leaves the position past the end: 112.5 shows as "112."
    QTest::newRow("cut to four characters")
        << qint64(9) << qint64(7) << "Quarn-Tamo wird geladen... (112.%)";
}

void TestTopicIndex::loadingCaption()
{
    QFETCH(qint64, after);
    QFETCH(qint64, size);
    QFETCH(QString, firstLine);
    QCOMPARE(tamo::loadingCaption(after, size, "Datei"), firstLine + "\r\nDatei");
}

void TestTopicIndex::progressAfterEveryHeading()
{
    const QString path = writeTempFile(m_dir, "progress.txw", "###A\r\ntext\r\n###B\r\n");
    QStringList captions;
    indexOf(path, &captions);
    QCOMPARE(captions, QStringList({"Quarn-Tamo wird geladen... (36.8%)\r\nA",
                                    "Quarn-Tamo wird geladen... (100%)\r\nB"}));
}

void TestTopicIndex::prefixList()
{
    const QString path = writeTempFile(m_dir, "prefix.txw",
                                       "###Verwendung\r\n###VERGLEICH\r\n###Ver teilt\r\n"
                                       "###Ve\r\n###Datei\r\n###ix\r\n");
    const TopicIndex index = indexOf(path);
    QCOMPARE(index.namesStartingWith("ver"), QStringList({"Ver teilt", "VERGLEICH", "Verwendung"}));
    QCOMPARE(index.namesStartingWith("VER "), QStringList({"Ver teilt"}));
    QCOMPARE(index.namesStartingWith(""), index.names);
    QCOMPARE(index.namesStartingWith("Verwendung_der"), QStringList());
    QCOMPARE(index.namesStartingWith("x"), QStringList());
    QCOMPARE(index.namesStartingWith(QString(QChar(0x130))), QStringList({"ix"})); // one to one
}

QTEST_GUILESS_MAIN(TestTopicIndex)
#include "tst_topicindex.moc"
