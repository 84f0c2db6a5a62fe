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
    // Each row: the file's bytes, and the expected lines, each followed by the position after
    // it, written as "line@position"; the end-of-file mark is "<EOF>@position".
    void lines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty file") << QByteArray() << QStringList{"<EOF>@1", "<EOF>@1"};
        QTest::newRow("crlf lines")
            << QByteArray("abc\r\n\r\nd\r\n") << QStringList{"abc@6", "@8", "d@11", "<EOF>@11"};
        QTest::newRow("no line end on the last line, its cr kept")
            << QByteArray("ab\r\nxy\r") << QStringList{"ab@5", "xy\r@9", "<EOF>@9", "<EOF>@9"};
        QTest::newRow("bare lf loses a character")
            << QByteArray("abc\n\nx\r\n") << QStringList{"ab@5", "@6", "x@9", "<EOF>@9"};
        QTest::newRow("lone cr line ends the file")
            << QByteArray("a\r\n\r\r\nb\r\n") << QStringList{"a@4", "<EOF>@7"};
    }
    // At every block size, from one byte up, and again after a seek to where each line began.
    void lines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        const QString path = writeTempFile(m_dir, "lines.txw", bytes);
        for (qint64 block : {1, 2, 3, 7, 64 * 1024}) {
            DocReader reader;
            QVERIFY(reader.open(path));
            reader.setBlockSize(block);
            auto read = [&reader] {
                const QString line = reader.readLine();
                const QString shown = line == endOfFileMark() ? QStringLiteral("<EOF>") : line;
                return shown + u'@' + QString::number(reader.position());
            };
            QList<qint64> starts;
            QStringList got;
            for (int i = 0; i < expected.size(); ++i) {
                starts += reader.position();
                got += read();
            }
            QCOMPARE(got, expected);
            for (qsizetype i = starts.size() - 1; i >= 0; --i) {
                reader.seek(starts[i]);
                QCOMPARE(read(), expected[i]);
            }
            reader.seek(bytes.size() + 5);
            QCOMPARE(reader.readLine(), endOfFileMark());
        }
    }

    void longLinesCutAtALimit()
    {
        // Limit 2: "ab" and the rest past (the position behind the line), the bare LF's "cd"
        // whole, and a line that reads as the end of the file never cut to nothing, even by
        // limit 0.
        DocReader reader;
        QVERIFY(reader.open(writeTempFile(m_dir, "cut.txw", "abcdef\r\ncde\n\r\r\n")));
        reader.setBlockSize(3);
        bool cut = false;
        QCOMPARE(reader.readRawLine(2, &cut), QByteArrayView("ab"));
        QVERIFY(cut);
        QCOMPARE(reader.position(), 9);
        QCOMPARE(reader.readRawLine(2, &cut), QByteArrayView("cd"));
        QVERIFY(!cut);
        QCOMPARE(reader.readRawLine(0), QByteArrayView("\r"));

        // A missing file: a reason, and the closed reader is at its end.
        QString error;
        QVERIFY(!reader.open(m_dir.filePath("nothing.txw"), &error) && !error.isEmpty());
        QCOMPARE(reader.readLine(), endOfFileMark());
    }

    // Sorted in the shared order; of equal names the later heading comes first. Progress after
    // every heading, in file order.
    void headings()
    {
        QVERIFY(indexOf(writeTempFile(m_dir, "empty.txw", "")).names.isEmpty());
        QCOMPARE(indexOf(writeTempFile(m_dir, "one.txw", "###Only")).positions, QList<qint64>{0});
        QStringList steps;
        const TopicIndex index =
            indexOf(writeTempFile(m_dir, "doc.txw", "intro\r\n###Z\r\nz\r\n###D\r\n###Z\r\n"),
                    65536, [&steps](qint64 after, qint64 size, const QString &name) {
                        steps += QStringLiteral("%1/%2 %3").arg(after).arg(size).arg(name);
                    });
        QCOMPARE(index.names, QStringList({"D", "Z", "Z"}));
        QCOMPARE(index.positions, QList<qint64>({17, 23, 8}));
        QCOMPARE(steps, QStringList({"14/28 Z", "23/28 D", "29/28 Z"}));
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

    void prefixList()
    {
        TopicIndex index;
        index.names = QStringList{"ix", "Ve", "Ver teilt", "VERGLEICH", "Verwendung"};
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
