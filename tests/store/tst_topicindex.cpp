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

TopicIndex indexOf(const QString &path, qint64 block = 65536, const LoadProgress &progress = {})
{
    DocReader reader;
    if (!reader.open(path))
        qFatal("cannot open %s", qPrintable(path));
    reader.setBlockSize(block);
    return buildTopicIndex(reader, progress);
}

} // namespace

class TestTopicIndex : public QObject {
    Q_OBJECT
private slots:
    // Sorted in the shared order; of equal names the later heading comes first. A caption after
    // every heading, in file order.
    void headings()
    {
        QVERIFY(indexOf(writeTempFile(m_dir, "empty.txw", "")).names.isEmpty());
        QCOMPARE(indexOf(writeTempFile(m_dir, "one.txw", "###Only")).positions, QList<qint64>{0});
        QStringList captions;
        const TopicIndex index =
            indexOf(writeTempFile(m_dir, "doc.txw", "intro\r\n###Z\r\nz\r\n###D\r\n###Z\r\n"),
                    65536, [&captions](const QString &caption) { captions += caption; });
        QCOMPARE(index.names, QStringList({"D", "Z", "Z"}));
        QCOMPARE(index.positions, QList<qint64>({17, 23, 8}));
        QCOMPARE(captions, QStringList({loadingCaption(14, 28, "Z"), loadingCaption(23, 28, "D"),
                                        loadingCaption(29, 28, "Z")}));
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
            const TopicIndex index = indexOf(path, rng.bounded(1, 40));
            const TopicIndex reference = referenceIndex(path);
            QCOMPARE(index.names, reference.names);
            QCOMPARE(index.positions, reference.positions);
        }
    }

    // One decimal at most, truncated, without a leading zero, at most four characters.
    void caption()
    {
        const QList<std::tuple<qint64, qint64, QString>> rows = {
            {3, 1000, ".2"},
            {9997, 10000, "99.9"},
            {3'000'000'000, 4'000'000'000, "74.9"},
            {9, 7, "112."}, // a last heading without line end leaves the position past the end
            {29, 28, "100"}};
        for (const auto &[after, size, percent] : rows)
            QCOMPARE(loadingCaption(after, size, "Datei"),
                     "Quarn-Tamo wird geladen... (" + percent + "%)\r\nDatei");
    }

    void prefixList()
    {
        TopicIndex index;
        index.names = QStringList{"Ve", "Ver teilt", "VERGLEICH", "Verwendung", "ix"};
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
