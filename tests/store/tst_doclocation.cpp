#include "store/doclocation.h"
#include "support/tempdoc.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace tamo;

class TestDocLocation : public QObject {
    Q_OBJECT
private slots:
    void settingsFirstLine_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("expected"); // relative to the start directory
        QTest::addColumn<QString>("error");    // a part of the message
        QTest::newRow("empty file") << QByteArray() << "." << QString();
        QTest::newRow("empty first line") << QByteArray("\r\nsub\r\n") << "." << QString();
        QTest::newRow("lone cr reads as the end") << QByteArray("\r\r\n") << "." << QString();
        QTest::newRow("relative directory") << QByteArray("sub\r\n") << "sub" << QString();
        QTest::newRow("no line end") << QByteArray("sub") << "sub" << QString();
        QTest::newRow("windows-1252 name") << QByteArray("\374ber") << "über" << QString();
        QTest::newRow("named directory missing") << QByteArray("gone\r\n") << QString() << "gone";
        QTest::newRow("names a file") << QByteArray("afile") << QString() << "kein Verzeichnis";
        // "sub" LF reads as "su": the lookup still fails, and the message names the cure.
        QTest::newRow("bare LF lost the last character")
            << QByteArray("sub\n") << QString() << "gemeint ist wohl \u201Esub\u201C";
    }
    void settingsFirstLine()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, expected);
        QFETCH(QString, error);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("sub");
        QDir(dir.path()).mkdir(QString::fromUtf8("über"));
        writeTempFile(dir, "afile", "x");
        writeTempFile(dir, "tamoini.txt", settings);
        const DocLocation location = locateDocumentation(dir.path(), false);
        QVERIFY2(location.error.contains(error), qPrintable(location.error));
        QCOMPARE(location.error.isEmpty(), error.isEmpty());
        const QString directory =
            expected.isEmpty() ? QString()
                               : QFileInfo(QDir(dir.path()).filePath(expected)).absoluteFilePath();
        QCOMPARE(location.directory, directory);
        QCOMPARE(location.docPath, expected.isEmpty() ? QString() : directory + "/tamo.txw");
    }

    void missingFilesAreCreatedOnlyWhenAsked()
    {
        QTemporaryDir dir;
        const QString settings = dir.filePath("tamoini.txt");
        QCOMPARE(locateDocumentation(dir.path(), false).directory, QDir(dir.path()).absolutePath());
        QVERIFY(!QFileInfo::exists(settings));
        QCOMPARE(locateDocumentation(dir.path(), true).directory, QDir(dir.path()).absolutePath());
        QCOMPARE(QFileInfo(settings).size(), 0);
        // An existing file is never touched.
        writeTempFile(dir, "tamo.txw", "###A\r\n");
        QVERIFY(createIfMissing(dir.filePath("tamo.txw")));
        QCOMPARE(QFileInfo(dir.filePath("tamo.txw")).size(), 6);
        QString error;
        QVERIFY(!createIfMissing(dir.filePath("no/such/dir/tamo.txw"), &error));
        QVERIFY(!error.isEmpty());
    }

    void commandLineLookupOrder_data()
    {
        // A root with start/ (the working directory), start/docs/, start/nodoc/ and
        // installed/; the columns say which files exist. expected is relative to the root, or
        // a part of the error.
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QByteArray>("settings"); // null: no start/tamoini.txt
        QTest::addColumn<bool>("startDoc");
        QTest::addColumn<bool>("installedDoc");
        QTest::addColumn<QString>("expected");
        const QByteArray none;
        const QByteArray docs("docs\r\n");
        QTest::newRow("--doc first") << "other.txw" << docs << true << true << "start/other.txw";
        QTest::newRow("then tamoini.txt") << "" << docs << true << true << "start/docs/tamo.txw";
        QTest::newRow("a named directory is never passed over")
            << "" << QByteArray("nodoc\r\n") << false << true << "start/nodoc/tamo.txw";
        QTest::newRow("a missing named directory is an error")
            << "" << QByteArray("gone\r\n") << false << true << "error: gone";
        QTest::newRow("then the working directory")
            << "" << none << true << true << "start/tamo.txw";
        QTest::newRow("then the installed documentation")
            << "" << none << false << true << "installed/tamo.txw";
        QTest::newRow("an empty first line names nothing")
            << "" << QByteArray("\r\ndocs\r\n") << false << true << "installed/tamo.txw";
        QTest::newRow("none anywhere")
            << "" << none << false << false << "error: Keine Dokumentation gefunden";
    }
    void commandLineLookupOrder()
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
        const DocLocation location = locateCommandLineDocumentation(flag, root.filePath("start"),
                                                                    root.filePath("installed"));
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
};

QTEST_GUILESS_MAIN(TestDocLocation)
#include "tst_doclocation.moc"
