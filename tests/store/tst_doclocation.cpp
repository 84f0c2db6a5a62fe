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
};

QTEST_GUILESS_MAIN(TestDocLocation)
#include "tst_doclocation.moc"
