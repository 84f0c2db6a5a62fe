#include "store/doclocation.h"
#include "support/tempdoc.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace tamo;

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

} // namespace

class TestDocLocation : public QObject {
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
};

QTEST_GUILESS_MAIN(TestDocLocation)
#include "tst_doclocation.moc"
