#include "std/textroutines.h"
#include "store/docreader.h"
#include "store/topicindex.h"
#include "support/tempdoc.h"
#include "viewer/topicreader.h"

#include <QFile>
#include <QTest>

using namespace tamo;

class TestTopicReader : public QObject {
    Q_OBJECT
private slots:
    void topics_data();
    void topics();
    void outdatedIndexRescansOnce();
    void readsOnlyTheTopicsOwnLines();

private:
    TopicContent show(const QByteArray &bytes, const QString &name);
    QTemporaryDir m_dir;
};

TopicContent TestTopicReader::show(const QByteArray &bytes, const QString &name)
{
    const QString path = writeTempFile(m_dir, "doc.txw", bytes);
    DocReader reader;
    reader.open(path);
    const TopicIndex index = buildTopicIndex(reader);
    return readTopic(reader, index, name);
}

void TestTopicReader::topics_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("full");
    QTest::addColumn<QStringList>("related");

    const QByteArray doc = "intro\r\n###A\r\nline 1\r\n%%%pic.png\r\n\r\nline 2\r\n---B\r\n"
                           "\r\n   \r\n---\r\ntext in section\r\n###B\r\nb body\r\n###C\r\nc";
    QTest::newRow("body, picture line, related with blanks and an empty entry")
        << doc << "A"
        << "line 1\r\n\r\nline 2\r\n"
        << "line 1\r\n%%%pic.png\r\n\r\nline 2\r\n"
        << QStringList{"", "B", "t in section"};
    // Related topics come sorted; of names equal without case the later one comes first.
    QTest::newRow("related sorted, later equal first")
        << QByteArray("###R\r\n---b\r\n---Z\r\n---B\r\n---a\r\n") << "R" << QString() << QString()
        << QStringList{"a", "B", "b", "Z"};
    QTest::newRow("body ended by the next heading") << doc << "B"
                                                    << "b body\r\n"
                                                    << "b body\r\n"
                                                    << QStringList();
    QTest::newRow("last topic without line end") << doc << "C"
                                                 << "c\r\n"
                                                 << "c\r\n"
                                                 << QStringList();
    QTest::newRow("duplicates: the later heading")
        << QByteArray("###D\r\nfirst\r\n###D\r\nsecond\r\n") << "D"
        << "second\r\n"
        << "second\r\n"
        << QStringList();
    QTest::newRow("case-sensitive lookup")
        << QByteArray("###abc\r\nlow\r\n###ABC\r\nup\r\n") << "abc"
        << "low\r\n"
        << "low\r\n"
        << QStringList();
    QTest::newRow("heading at the end without line end")
        << QByteArray("###X\r\nx\r\n###Last") << "Last"
        << ""
        << "" << QStringList();
    QTest::newRow("a file of one heading line") << QByteArray("###Only") << "Only"
                                                << ""
                                                << "" << QStringList();
    QTest::newRow("empty name") << QByteArray("###\r\nnameless\r\n") << ""
                                << "nameless\r\n"
                                << "nameless\r\n"
                                << QStringList();
}

void TestTopicReader::topics()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFETCH(QString, shown);
    QFETCH(QString, full);
    QFETCH(QStringList, related);
    const TopicContent topic = show(bytes, name);
    QVERIFY(topic.found);
    QCOMPARE(topic.title, name);
    QCOMPARE(topic.shownText, shown);
    QCOMPARE(topic.fullText, full);
    QCOMPARE(topic.related, related);
}

void TestTopicReader::outdatedIndexRescansOnce()
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
    QCOMPARE(notFoundText().count("\r\n"), 2);
    QVERIFY(notFoundText().endsWith("um es suchen zu lassen."));
}

// A topic found through the index is read from its stored position, not from the start: a
// broken first heading line would otherwise be met first.
void TestTopicReader::readsOnlyTheTopicsOwnLines()
{
    QByteArray bytes;
    for (int i = 0; i < 2000; ++i)
        bytes += "###T" + QByteArray::number(i) + "\r\nsome body text of topic\r\n";
    const QString path = writeTempFile(m_dir, "big.txw", bytes);
    DocReader reader;
    reader.open(path);
    const TopicIndex index = buildTopicIndex(reader);
    const qint64 position = index.positions.at(index.find("T1999"));
    const TopicContent topic = readTopic(reader, index, "T1999");
    QCOMPARE(topic.shownText, QString("some body text of topic\r\n"));
    QVERIFY(position > bytes.size() - 64);
    QCOMPARE(reader.position(), bytes.size() + 1);
}

QTEST_GUILESS_MAIN(TestTopicReader)
#include "tst_topicreader.moc"
