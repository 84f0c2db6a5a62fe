#include "store/doclocation.h"
#include "support/tempdoc.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace tamo;

class TestDocLocation : public QObject {
    Q_OBJECT
private slots:
    void settingsFirstLine_data();
    void settingsFirstLine();
    void missingSettingsIsCreatedOnlyWhenAsked();
    void namedDirectoryMissing();
    void commandLineLookupOrder_data();
    void commandLineLookupOrder();
};

void TestDocLocation::settingsFirstLine_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("expected"); // relative to the start directory
    QTest::newRow("empty file") << QByteArray() << ".";
    QTest::newRow("empty first line") << QByteArray("\r\nsub\r\n") << ".";
    QTest::newRow("lone cr reads as the end") << QByteArray("\r\r\n") << ".";
    QTest::newRow("relative directory") << QByteArray("sub\r\n") << "sub";
    QTest::newRow("only the first line") << QByteArray("sub\r\nother\r\n") << "sub";
    QTest::newRow("no line end") << QByteArray("sub") << "sub";
    QTest::newRow("windows-1252 name") << QByteArray("\xfc"
                                                     "ber\r\n")
                                       << QString::fromUtf8("über");
}

void TestDocLocation::settingsFirstLine()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("sub");
    QDir(dir.path()).mkdir(QString::fromUtf8("über"));
    writeTempFile(dir, "tamoini.txt", settings);
    const DocLocation location = locateDocumentation(dir.path(), false);
    QVERIFY(location.error.isEmpty());
    const QString directory = QFileInfo(QDir(dir.path()).filePath(expected)).absoluteFilePath();
    QCOMPARE(location.directory, directory);
    QCOMPARE(location.docPath, directory + "/tamo.txw");
}

void TestDocLocation::missingSettingsIsCreatedOnlyWhenAsked()
{
    QTemporaryDir dir;
    const QString settings = QDir(dir.path()).filePath("tamoini.txt");
    QCOMPARE(locateDocumentation(dir.path(), false).directory, QDir(dir.path()).absolutePath());
    QVERIFY(!QFileInfo::exists(settings));
    QCOMPARE(locateDocumentation(dir.path(), true).directory, QDir(dir.path()).absolutePath());
    QVERIFY(QFileInfo::exists(settings));
    QCOMPARE(QFileInfo(settings).size(), 0);

    // An existing file is never touched.
    writeTempFile(dir, "tamo.txw", "###A\r\n");
    QVERIFY(createIfMissing(QDir(dir.path()).filePath("tamo.txw")));
    QCOMPARE(QFileInfo(QDir(dir.path()).filePath("tamo.txw")).size(), 6);
    QString error;
    QVERIFY(!createIfMissing(QDir(dir.path()).filePath("no/such/dir/tamo.txw"), &error));
    QVERIFY(!error.isEmpty());
}

void TestDocLocation::namedDirectoryMissing()
{
    QTemporaryDir dir;
    writeTempFile(dir, "tamoini.txt", "gone\r\n");
    DocLocation location = locateDocumentation(dir.path(), true);
    QVERIFY(location.directory.isEmpty());
    QVERIFY(location.docPath.isEmpty());
    QVERIFY2(location.error.contains("gone"), qPrintable(location.error));

    writeTempFile(dir, "afile", "x");
    writeTempFile(dir, "tamoini.txt", "afile\r\n");
    location = locateDocumentation(dir.path(), false);
    QVERIFY(location.directory.isEmpty());
    QVERIFY(location.error.contains("kein Verzeichnis"));

    // "doc" LF reads as "do": the lookup still fails, and the message names the cure.
    QDir(dir.path()).mkdir("doc");
    writeTempFile(dir, "tamoini.txt", "doc\n");
    location = locateDocumentation(dir.path(), false);
    QVERIFY(location.directory.isEmpty());
    QVERIFY2(location.error.contains(u"gemeint ist wohl \u201Edoc\u201C") &&
                 location.error.contains("mit CR LF beenden"),
             qPrintable(location.error));
    writeTempFile(dir, "tamoini.txt", "dox\n"); // "dox" is no directory either: no guess
    QVERIFY(!locateDocumentation(dir.path(), false).error.contains("CR LF"));
}

void TestDocLocation::commandLineLookupOrder_data()
{
    // A root with start/ (the working directory), start/docs/, start/nodoc/ and installed/;
    // the columns say which files exist. expected is relative to the root, or the error.
    QTest::addColumn<QString>("flag");
    QTest::addColumn<QByteArray>("settings"); // null: no start/tamoini.txt
    QTest::addColumn<bool>("startDoc");
    QTest::addColumn<bool>("installedDoc");
    QTest::addColumn<QString>("expected");
    const QByteArray none;
    QTest::newRow("--doc first") << "other.txw" << QByteArray("docs\r\n") << true << true
                                 << "start/other.txw";
    QTest::newRow("then tamoini.txt")
        << "" << QByteArray("docs\r\n") << true << true << "start/docs/tamo.txw";
    QTest::newRow("a named directory is never passed over")
        << "" << QByteArray("nodoc\r\n") << false << true << "start/nodoc/tamo.txw";
    QTest::newRow("a missing named directory is an error")
        << "" << QByteArray("gone\r\n") << false << true << "error: gone";
    QTest::newRow("then the working directory") << "" << none << true << true << "start/tamo.txw";
    QTest::newRow("then the installed documentation")
        << "" << none << false << true << "installed/tamo.txw";
    QTest::newRow("an empty first line names nothing")
        << "" << QByteArray("\r\ndocs\r\n") << false << true << "installed/tamo.txw";
    QTest::newRow("none anywhere")
        << "" << none << false << false << "error: Keine Dokumentation gefunden";
}

void TestDocLocation::commandLineLookupOrder()
{
    QFETCH(QString, flag);
    QFETCH(QByteArray, settings);
    QFETCH(bool, startDoc);
    QFETCH(bool, installedDoc);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QDir root(dir.path());
    for (const char *sub : {"start", "start/docs", "start/nodoc", "installed"})
        root.mkdir(sub);
    writeTempFile(dir, "start/docs/tamo.txw", "");
    if (!settings.isNull())
        writeTempFile(dir, "start/tamoini.txt", settings);
    if (startDoc)
        writeTempFile(dir, "start/tamo.txw", "");
    if (installedDoc)
        writeTempFile(dir, "installed/tamo.txw", "");
    QDir::setCurrent(root.filePath("start")); // where a relative --doc is taken from
    const DocLocation location =
        locateCommandLineDocumentation(flag, root.filePath("start"), root.filePath("installed"));
    if (expected.startsWith("error: ")) {
        QVERIFY(location.docPath.isEmpty());
        QVERIFY2(location.error.contains(expected.mid(7)), qPrintable(location.error));
    } else {
        QVERIFY2(location.error.isEmpty(), qPrintable(location.error));
        QCOMPARE(location.docPath, QFileInfo(root.filePath(expected)).absoluteFilePath());
        QCOMPARE(location.directory, QFileInfo(location.docPath).absolutePath());
    }
    const QDir start(root.filePath("start")); // nothing created
    QCOMPARE(start.entryList(QDir::Files).size(), int(!settings.isNull()) + int(startDoc));
    QDir::setCurrent(QDir::tempPath());
}

QTEST_GUILESS_MAIN(TestDocLocation)
#include "tst_doclocation.moc"
