#include "search/fullsearch.h"
#include "search/query.h"
#include "store/doclocation.h"
#include "store/docreader.h"
#include "store/topicindex.h"
#include "support/tempdoc.h"
#include "viewer/topicreader.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>

using namespace tamo;

namespace {

constexpr char kStart[] = "###Verwendung_der_Dokumentation\r\nStart\r\n";

// Makes name in dir what the row asks: "fifo", "dir", "device", or a file of these bytes.
void make(const QTemporaryDir &dir, const QString &name, const QByteArray &what)
{
    const QString path = dir.filePath(name);
    if (what == "fifo")
        QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    else if (what == "dir")
        QVERIFY(QDir(dir.path()).mkdir(name));
    else if (what == "device")
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    else if (!what.isNull())
        writeTempFile(dir, name, what);
}

} // namespace

// Documentation and settings files made to hurt, as the core reads them: each is refused at
// once or read with bounded work, never blocking and never read whole into memory. A
// regression that blocks on a pipe hangs this test until its time limit.
class TestHostileFiles : public QObject {
    Q_OBJECT
private slots:
    void hostileFile_data()
    {
        QTest::addColumn<QByteArray>("doc");      // tamo.txw: bytes, or "fifo", "dir", "device"
        QTest::addColumn<QByteArray>("settings"); // tamoini.txt likewise; null: none
        QTest::addColumn<QString>("problem");     // a part of the reported problem
        const QByteArray none, start(kStart);
        QTest::newRow("fifo document")
            << "fifo"_qba << none << "keine gewöhnliche Datei, sondern eine benannte Pipe (FIFO)";
        QTest::newRow("directory document") << "dir"_qba << none << "sondern ein Verzeichnis";
        QTest::newRow("device document") << "device"_qba << none << "sondern ein Gerät";
        QTest::newRow("fifo settings")
            << start << "fifo"_qba
            << "tamoini.txt kann nicht gelesen werden: keine gewöhnliche";
        QTest::newRow("huge settings line")
            << start << QByteArray(10'000'000, 'x') + "\r\n"
            << "Der Verzeichnisname in tamoini.txt ist länger, als das System erlaubt";
        QTest::newRow("long missing directory in settings")
            << start << QByteArray(1000, 'y') + "\r\n"
            << QString("y\u2026") + QString(99, u'y') +
                   "\u201C, das in tamoini.txt eingetragen ist, wurde nicht gefunden.";
    }
    void hostileFile()
    {
        QFETCH(QByteArray, doc);
        QFETCH(QByteArray, settings);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        make(dir, "tamo.txw", doc);
        make(dir, "tamoini.txt", settings);

        const DocLocation location = locateDocumentation(dir.path(), false);
        QString reported = location.error;
        DocReader reader;
        if (reported.isEmpty())
            QVERIFY(!reader.open(location.docPath, &reported));
        QVERIFY2(reported.contains(problem), qPrintable(reported));
        QVERIFY2(reported.size() <= 400, "messages quote at most about 200 characters of a file");
        QVERIFY(buildTopicIndex(reader).names.isEmpty());
        QVERIFY(fullSearch(location.docPath, normaliseQuery("Start")).isEmpty());
    }

    void largeTopicIsCutWithANote()
    {
        // One line longer than the limit, a picture line before it and one after it, and the
        // related topics behind: the text is cut at the limit, the rest is still read. An empty
        // first heading comes before them (sorting an empty name once copied zero bytes from no
        // buffer at all).
        QTemporaryDir dir;
        const QByteArray line = QByteArray("Wort ").repeated(kTopicTextLimit / 5 + 1000);
        const QString path = writeTempFile(
            dir, "tamo.txw",
            "###\r\nleer\r\n" + QByteArray(kStart) + "###Gross\r\n%%%vorn.png\r\n" + line +
                "Ende\r\n%%%hinten.png\r\n---Verwendung_der_Dokumentation\r\n---Gross\r\n");
        DocReader reader;
        QVERIFY(reader.open(path));
        const TopicIndex index = buildTopicIndex(reader);
        QCOMPARE(index.names, QStringList({"", "Gross", "Verwendung_der_Dokumentation"}));
        QCOMPARE(readTopic(reader, index, "").shownText, QString("leer\r\n"));
        const TopicContent topic = readTopic(reader, index, "Gross");

        const QString note = cutTopicNote(kTopicTextLimit);
        QVERIFY(
            note.contains(u"Hier endet die Anzeige: das Thema ist länger als 16.777.216 Zeichen"));
        QVERIFY(topic.shownText.endsWith(note));
        QCOMPARE(topic.fullText, "%%%vorn.png\r\n" + topic.shownText);
        QCOMPARE(topic.fullText.size() - note.size(), kTopicTextLimit);
        QVERIFY(!topic.fullText.contains(u"hinten.png"));
        QCOMPARE(topic.related, QStringList({"Gross", "Verwendung_der_Dokumentation"}));

        // The search reads the whole line: the word after the cut is found.
        QCOMPARE(fullSearch(path, normaliseQuery("ende")), QList<RankedTopic>({{"Gross", 4}}));
        QCOMPARE(fullSearch(path, normaliseQuery("leer")), QList<RankedTopic>({{"", 4}}));
    }
};

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
