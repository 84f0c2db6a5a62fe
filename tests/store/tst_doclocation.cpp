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
}

QTEST_GUILESS_MAIN(TestDocLocation)
#include "tst_doclocation.moc"
