#include "store/docreader.h"
#include "store/topicindex.h"
#include "support/tempdoc.h"
#include "viewer/topicreader.h"

#include <QTest>

using namespace tamo;

namespace {

struct Topic {
    QByteArray bytes;
    QString name, shown;
    QStringList related = {};
    QString full = {}; // null: as shown
};

} // namespace

class TestTopicReader : public QObject {
    Q_OBJECT
private slots:
    void topics_data()
    {
        QTest::addColumn<Topic>("row");
        const QByteArray doc = "intro\r\n###A\r\nline 1\r\n%%%pic.png\r\n\r\nline 2\r\n---B\r\n"
                               "\r\n   \r\n---\r\ntext in section\r\n###B\r\nb body\r\n###C\r\nc";
        QTest::newRow("body, picture line, related with blanks and an empty entry")
            << Topic{doc,
                     "A",
                     "line 1\r\n\r\nline 2\r\n",
                     {"", "B", "t in section"},
                     "line 1\r\n%%%pic.png\r\n\r\nline 2\r\n"};
        // Related topics come sorted; of names equal without case the later one comes first.
        QTest::newRow("related sorted, later equal first")
            << Topic{"###R\r\n---b\r\n---Z\r\n---B\r\n---a\r\n", "R", "", {"a", "B", "b", "Z"}};
        QTest::newRow("last topic without line end") << Topic{doc, "C", "c\r\n"};
        QTest::newRow("duplicates: the later heading")
            << Topic{"###D\r\nfirst\r\n###D\r\nsecond\r\n", "D", "second\r\n"};
        QTest::newRow("case-sensitive lookup, body up to the next heading")
            << Topic{"###abc\r\nlow\r\n###ABC\r\nup\r\n", "abc", "low\r\n"};
        QTest::newRow("heading at the end without line end") << Topic{"###X\r\nx\r\n###L", "L", ""};
        QTest::newRow("a file of one heading line") << Topic{"###Only", "Only", ""};
    }
    void topics()
    {
        QFETCH(Topic, row);
        DocReader reader;
        reader.open(writeTempFile(m_dir, "doc.txw", row.bytes));
        const TopicContent topic = readTopic(reader, buildTopicIndex(reader), row.name);
        QVERIFY(topic.found);
        QCOMPARE(topic.title, row.name);
        QCOMPARE(topic.shownText, row.shown);
        QCOMPARE(topic.fullText, row.full.isNull() ? row.shown : row.full);
        QCOMPARE(topic.related, row.related);
    }

    void outdatedIndexRescansOnce()
    {
        const QString path = writeTempFile(m_dir, "old.txw", "###A\r\na\r\n###B\r\nb\r\n");
        DocReader reader;
        reader.open(path);
        const TopicIndex index = buildTopicIndex(reader);
        reader.close();

        // The file changes after loading: B now stands before its stored position.
        writeTempFile(m_dir, "old.txw", "###B\r\nnew b\r\n###A\r\n");
        reader.open(path);
        TopicContent topic = readTopic(reader, index, "B");
        QVERIFY(topic.found);
        QCOMPARE(topic.shownText, QString("new b\r\n"));

        // A name that is nowhere: the error topic after one scan from the start.
        topic = readTopic(reader, index, "Missing");
        QVERIFY(!topic.found);
        QCOMPARE(topic.title, QString("Fehler: Thema nicht gefunden."));
        QCOMPARE(topic.shownText, notFoundText());
        QCOMPARE(topic.fullText, notFoundText());
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestTopicReader)
#include "tst_topicreader.moc"
