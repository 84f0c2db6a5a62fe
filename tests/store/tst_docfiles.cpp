#include "search/fullsearch.h"
#include "search/query.h"
#include "store/doclocation.h"
#include "store/docreader.h"
#include "store/topicindex.h"
#include "support/hostilepictures.h"
#include "support/tempdoc.h"
#include "viewer/pictureload.h"
#include "viewer/topicreader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace tamo;

Q_DECLARE_METATYPE(tamo::PictureStatus)

namespace {

// A root with start/ (the working directory), start/docs/, start/nodoc/, start/über/ and
// installed/; flag is --doc, and the rest says which files exist. expected is relative to the
// root, or "error: " and a part of the error.
struct Lookup {
    QString flag;
    QByteArray settings; // null: no start/tamoini.txt
    bool startDoc, installedDoc;
    QString expected;
};

constexpr char kStart[] = "###Verwendung_der_Dokumentation\r\nStart\r\n";

// Makes name in dir what the row asks: "fifo", "device", "directory", "unreadable" (a file
// of mode 000), "circle" (a symbolic link to itself), "nowhere" (a symbolic link to the
// missing file "elsewhere" of dir), or a file of these bytes.
void make(const QTemporaryDir &dir, const QString &name, const QByteArray &what)
{
    const QString path = dir.filePath(name);
    if (what == "fifo") {
        QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    } else if (what == "device") {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    } else if (what == "directory") {
        QVERIFY(QDir(dir.path()).mkdir(name));
    } else if (what == "unreadable") {
        writeTempFile(dir, name, "docs\r\n");
        QVERIFY(QFile::setPermissions(path, {}));
    } else if (what == "circle") {
        QVERIFY(QFile::link(path, path));
    } else if (what == "nowhere") {
        QVERIFY(QFile::link(dir.filePath("elsewhere"), path));
    } else if (!what.isNull()) {
        writeTempFile(dir, name, what);
    }
}

// Writes the picture as the format names it, or the bytes after "bytes:".
QByteArray pictureBytes(const QByteArray &what)
{
    if (what.startsWith("bytes:"))
        return what.mid(6);
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, what.constData()))
        qFatal("cannot write a %s picture", what.constData());
    return buffer.data();
}

} // namespace

// Where the documentation is looked up, and documentation and settings files made to hurt, as
// the core reads them: each is refused at once or read with bounded work, never blocking and
// never read whole into memory. A regression that blocks on a pipe hangs this test until its
// time limit.
class TestDocFiles : public QObject {
    Q_OBJECT
private slots:
    void lookup_data()
    {
        QTest::addColumn<Lookup>("row");
        const QByteArray none, docs("docs\r\n");
        QTest::newRow("--doc first") << Lookup{"other.txw", docs, true, true, "start/other.txw"};
        QTest::newRow("then tamoini.txt") << Lookup{"", docs, true, true, "start/docs/tamo.txw"};
        QTest::newRow("a named directory is never passed over")
            << Lookup{"", "nodoc\r\n", false, true, "start/nodoc/tamo.txw"};
        QTest::newRow("a windows-1252 name without line end")
            << Lookup{"", "\374ber", false, true, "start/über/tamo.txw"};
        QTest::newRow("a missing named directory is an error")
            << Lookup{"", "gone\r\n", false, true, "error: gone"};
        QTest::newRow("a named file is an error")
            << Lookup{"", "tamo.txw\r\n", true, true, "error: kein Verzeichnis"};
        // "docs" LF reads as "doc": the lookup fails, and the message names the cure.
        QTest::newRow("a bare LF lost the last character")
            << Lookup{"", "docs\n", true, true, "error: gemeint ist wohl \u201Edocs\u201C"};
        QTest::newRow("then the working directory")
            << Lookup{"", none, true, true, "start/tamo.txw"};
        QTest::newRow("a lone CR reads as the end, and names nothing")
            << Lookup{"", "\r\r\ndocs\r\n", true, true, "start/tamo.txw"};
        QTest::newRow("then the installed documentation")
            << Lookup{"", none, false, true, "installed/tamo.txw"};
        QTest::newRow("an empty first line names nothing")
            << Lookup{"", "\r\ndocs\r\n", false, true, "installed/tamo.txw"};
        QTest::newRow("none anywhere")
            << Lookup{"", none, false, false, "error: Keine Dokumentation gefunden"};
    }
    void lookup()
    {
        QFETCH(Lookup, row);
        QTemporaryDir dir;
        const QDir root(dir.path());
        for (const char *sub : {"start", "start/docs", "start/nodoc", "start/über", "installed"})
            root.mkdir(QString::fromUtf8(sub));
        writeTempFile(dir, "start/docs/tamo.txw", "");
        if (!row.settings.isNull())
            writeTempFile(dir, "start/tamoini.txt", row.settings);
        if (row.startDoc)
            writeTempFile(dir, "start/tamo.txw", "");
        if (row.installedDoc)
            writeTempFile(dir, "installed/tamo.txw", "");
        QDir::setCurrent(root.filePath("start")); // where a relative --doc is taken from
        const DocLocation location = locateCommandLineDocumentation(
            row.flag, root.filePath("start"), root.filePath("installed"));
        if (row.expected.startsWith("error: ")) {
            QVERIFY(location.docPath.isEmpty());
            QVERIFY2(location.error.contains(row.expected.mid(7)), qPrintable(location.error));
        } else {
            QVERIFY2(location.error.isEmpty(), qPrintable(location.error));
            QCOMPARE(location.docPath, QFileInfo(root.filePath(row.expected)).absoluteFilePath());
            QCOMPARE(location.directory, QFileInfo(location.docPath).absolutePath());
        }
        const QDir start(root.filePath("start")); // nothing created
        QCOMPARE(start.entryList(QDir::Files).size(), int(!row.settings.isNull()) + row.startDoc);
        QDir::setCurrent(QDir::tempPath());
    }

    void hostileFile_data()
    {
        QTest::addColumn<QByteArray>("doc");      // tamo.txw: bytes, or a kind for make()
        QTest::addColumn<QByteArray>("settings"); // tamoini.txt likewise; null: none
        QTest::addColumn<QString>("problem");     // a part of the reported problem
        auto row = [](const char *name, const QByteArray &doc, const QByteArray &settings,
                      const QString &problem) {
            QTest::newRow(name) << doc << settings << problem;
        };
        const QByteArray none, start(kStart);
        row("fifo document", "fifo", none,
            "keine gewöhnliche Datei, sondern eine benannte Pipe (FIFO)");
        row("device document", "device", none, "sondern ein Gerät");
        // A settings file that is there but cannot be read is reported by both programs; tamo
        // never goes on to the installed documentation. A device is told like a fifo (the
        // documents above).
        const QString settingsUnread = "tamoini.txt kann nicht gelesen werden: ";
        row("fifo settings", start, "fifo", settingsUnread + "keine gewöhnliche");
        row("directory settings", start, "directory",
            settingsUnread + "keine gewöhnliche Datei, sondern ein Verzeichnis");
        row("unreadable settings", start, "unreadable", settingsUnread + "keine Leseberechtigung");
        row("settings in a circle", start, "circle",
            settingsUnread + "die symbolischen Verweise führen im Kreis");
        row("settings leading nowhere", start, "nowhere",
            settingsUnread + "ein symbolischer Verweis auf \u201E");
        row("document leading nowhere", "nowhere", none, "ein symbolischer Verweis auf \u201E");
        row("huge settings line", start, QByteArray(10'000'000, 'x') + "\r\n",
            "Der Verzeichnisname in tamoini.txt ist länger, als das System erlaubt");
        row("long missing directory in settings", start, QByteArray(1000, 'y') + "\r\n",
            QString("y\u2026") + QString(99, u'y') +
                "\u201C, das in tamoini.txt eingetragen ist, wurde nicht gefunden.");
    }
    void hostileFile()
    {
        QFETCH(QByteArray, doc);
        QFETCH(QByteArray, settings);
        QFETCH(QString, problem);
        if ((doc == "unreadable" || settings == "unreadable") && ::geteuid() == 0)
            QSKIP("every file is readable to root");
        QTemporaryDir dir, installed;
        writeTempFile(installed, "tamo.txw", kStart); // what passing a problem over would read
        make(dir, "tamo.txw", doc);
        make(dir, "tamoini.txt", settings);

        // As the viewer looks it up, creating what is missing, then as tamo does.
        for (const bool viewer : {true, false}) {
            const DocLocation location =
                viewer ? locateDocumentation(dir.path(), true)
                       : locateCommandLineDocumentation({}, dir.path(), installed.path());
            QString reported = location.error;
            DocReader reader;
            if (reported.isEmpty()) {
                if (viewer)
                    createIfMissing(location.docPath);
                QVERIFY(!reader.open(location.docPath, &reported));
            }
            QVERIFY2(reported.contains(problem), qPrintable(reported));
            QVERIFY2(reported.size() <= 400,
                     "messages quote at most about 200 characters of a file");
            QVERIFY(buildTopicIndex(reader).names.isEmpty());
            QVERIFY(fullSearch(location.docPath, normaliseQuery("Start")).isEmpty());
        }
        // Nothing was created through a link that leads nowhere.
        QVERIFY(!QFileInfo::exists(dir.filePath("elsewhere")));
    }

    // Picture files as the viewer and tamo check read them: only PNG, JPEG, GIF and BMP are
    // decoded, told by their content whatever the name says; other formats, however well
    // formed and whatever plugin is installed, are refused like a broken picture.
    void hostilePicture_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // a format to write, "bytes:..." or a make() kind
        QTest::addColumn<PictureStatus>("status");
        auto row = [](const char *name, const QString &file, const QByteArray &bytes,
                      PictureStatus status) {
            QTest::newRow(name) << file << bytes << status;
        };
        const QByteArray png = pictureBytes("png");
        row("png", "a.png", "png", PictureStatus::Ok);
        row("jpeg named .png", "a.png", "jpeg", PictureStatus::Ok);
        row("gif named .bmp", "a.bmp", "bytes:" + smallGif(), PictureStatus::Ok);
        row("bmp without a suffix", "a", "bmp", PictureStatus::Ok);
        row("svg named .png", "a.png", "bytes:" + hostileSvg(), PictureStatus::Unreadable);
        row("svg", "a.svg", "bytes:" + hostileSvg(), PictureStatus::Unreadable);
        for (const char *format : {"tiff", "webp", "ico", "xpm", "pbm"})
            QTest::addRow("%s named .png", format)
                << "a.png" << QByteArray(format) << PictureStatus::Unreadable;
        row("png cut short", "a.png", "bytes:" + png.left(png.size() / 2),
            PictureStatus::Unreadable);
        row("png declaring 9000 x 9000 pixels", "a.png", "bytes:" + pngDeclaring(9000, 9000),
            PictureStatus::TooLarge);
        row("fifo", "a.png", "fifo", PictureStatus::NotAFile);
        row("device", "a.png", "device", PictureStatus::NotAFile);
        row("missing", "a.png", QByteArray(), PictureStatus::Missing);
    }
    void hostilePicture()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(PictureStatus, status);
        QTemporaryDir dir;
        if (bytes == "fifo" || bytes == "device" || bytes.isNull())
            make(dir, name, bytes);
        else
            writeTempFile(dir, name, pictureBytes(bytes));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        const LoadedPicture picture = loadPicture(dir.filePath(name));
        QCOMPARE(picture.status, status);
        QCOMPARE(picture.image.isNull(), status != PictureStatus::Ok);
        QCOMPARE(probePicture(dir.filePath(name)), status);
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

QTEST_GUILESS_MAIN(TestDocFiles)
#include "tst_docfiles.moc"
