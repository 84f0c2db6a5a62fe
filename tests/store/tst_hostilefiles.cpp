#include "search/fullsearch.h"
#include "search/query.h"
#include "store/doclocation.h"
#include "store/docreader.h"
#include "store/topicindex.h"
#include "support/tempdoc.h"
#include "viewer/topicreader.h"

#include <QFile>
#include <QTest>

#include <sys/stat.h>

using namespace tamo;

// Documentation and settings files made to hurt, as the core reads them: each is refused at
// once or read with bounded work, never blocking and never read whole into memory. A
// regression that blocks on a pipe hangs this test until its time limit.
class TestHostileFiles : public QObject {
    Q_OBJECT
private slots:
    void hostileFile_data();
    void hostileFile();
    void largeTopicIsCutWithANote();
};

namespace {

constexpr char kStart[] = "###Verwendung_der_Dokumentation\r\nStart\r\n";

// Makes name in dir what the row asks: "fifo", "dir", "device", or a file of these bytes.
void make(const QTemporaryDir &dir, const QString &name, const QByteArray &what)
{
    const QString path = dir.filePath(name);
    if (what == "fifo")
        QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    else if (what == "device")
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    else if (!what.isNull())
        writeTempFile(dir, name, what);
}

} // namespace

void TestHostileFiles::hostileFile_data()
{
    QTest::addColumn<QByteArray>("doc");      // tamo.txw: bytes, or "fifo", "device"
    QTest::addColumn<QByteArray>("settings"); // tamoini.txt likewise; null: none
    QTest::addColumn<QString>("problem");     // a part of the reported problem; empty: none
    QTest::addColumn<QStringList>("topics");  // the index
    QTest::addColumn<QString>("shown");       // the text of the first topic of the index
    QTest::addColumn<int>("found");           // topics the search for "leer" finds

    const QByteArray none;
    QTest::newRow("fifo document") << QByteArray("fifo") << none
                                   << "keine gewöhnliche Datei, sondern eine benannte Pipe (FIFO)"
                                   << QStringList() << QString() << 0;
    QTest::newRow("device document")
        << QByteArray("device") << none << "keine gewöhnliche Datei, sondern ein Gerät"
        << QStringList() << QString() << 0;
    QTest::newRow("fifo settings") << QByteArray(kStart) << QByteArray("fifo")
                                   << "tamoini.txt kann nicht gelesen werden: keine gewöhnliche "
                                      "Datei, sondern eine benannte Pipe (FIFO)"
                                   << QStringList() << QString() << 0;
    // Sorting an empty name once copied zero bytes from no buffer at all.
    QTest::newRow("empty first heading")
        << "###\r\nleer\r\n" + QByteArray(kStart) << none << QString()
        << QStringList{"", "Verwendung_der_Dokumentation"} << "leer\r\n"
        << 1;
    QTest::newRow("huge settings line")
        << QByteArray(kStart) << QByteArray(10'000'000, 'x') + "\r\n"
        << "Der Verzeichnisname in tamoini.txt ist länger, als das System erlaubt" << QStringList()
        << QString() << 0;
    QTest::newRow("long missing directory in settings")
        << QByteArray(kStart) << QByteArray(1000, 'y') + "\r\n"
        << QString("y\u2026") + QString(99, u'y') +
               "\u201C, das in tamoini.txt eingetragen ist, wurde nicht gefunden."
        << QStringList() << QString() << 0;
}

void TestHostileFiles::hostileFile()
{
    QFETCH(QByteArray, doc);
    QFETCH(QByteArray, settings);
    QFETCH(QString, problem);
    QFETCH(QStringList, topics);
    QFETCH(QString, shown);
    QFETCH(int, found);
    QTemporaryDir dir;
    make(dir, "tamo.txw", doc);
    make(dir, "tamoini.txt", settings);

    const DocLocation location = locateDocumentation(dir.path(), false);
    QString reported = location.error;
    DocReader reader;
    if (reported.isEmpty() && !reader.open(location.docPath, &reported))
        QVERIFY(!reported.isEmpty());
    QVERIFY2(problem.isEmpty() ? reported.isEmpty() : reported.contains(problem),
             qPrintable(reported));
    QVERIFY2(reported.size() <= 400, "messages quote at most about 200 characters of a file");

    const TopicIndex index = buildTopicIndex(reader);
    QCOMPARE(index.names, topics);
    if (!topics.isEmpty())
        QCOMPARE(readTopic(reader, index, topics.first()).shownText, shown);
    QCOMPARE(fullSearch(location.docPath, normaliseQuery("leer")).size(), found);
}

void TestHostileFiles::largeTopicIsCutWithANote()
{
    // One line longer than the limit, a picture line before it and one after it, and the
    // related topics behind: the text is cut at the limit, the rest is still read.
    QTemporaryDir dir;
    const QByteArray line = QByteArray("Wort ").repeated(kTopicTextLimit / 5 + 1000);
    const QString path = writeTempFile(
        dir, "tamo.txw",
        QByteArray(kStart) + "###Gross\r\n%%%vorn.png\r\n" + line +
            "Ende\r\n%%%hinten.png\r\n---Verwendung_der_Dokumentation\r\n---Gross\r\n");
    DocReader reader;
    QVERIFY(reader.open(path));
    const TopicIndex index = buildTopicIndex(reader);
    const TopicContent topic = readTopic(reader, index, "Gross");

    const QString note = cutTopicNote(kTopicTextLimit);
    QVERIFY(note.contains(u"Hier endet die Anzeige: das Thema ist länger als 16.777.216 Zeichen"));
    QVERIFY(topic.shownText.endsWith(note));
    QCOMPARE(topic.fullText, "%%%vorn.png\r\n" + topic.shownText);
    QCOMPARE(topic.fullText.size() - note.size(), kTopicTextLimit);
    QVERIFY(!topic.fullText.contains(u"hinten.png"));
    QCOMPARE(topic.related, QStringList({"Gross", "Verwendung_der_Dokumentation"}));

    // The search reads the whole line: the word after the cut is found.
    const QList<RankedTopic> results = fullSearch(path, normaliseQuery("ende"));
    QCOMPARE(results, QList<RankedTopic>({{"Gross", 4}}));
}

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
