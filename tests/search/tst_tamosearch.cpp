#include "support/tempdoc.h"

#include <QDir>
#include <QJsonDocument>
#include <QProcess>
#include <QTest>

// `tamo search` end to end: the built program on a small file.
class TestTamoSearch : public QObject {
    Q_OBJECT
private slots:
    void search_data();
    void search();
    void findsTheDocumentation();

private:
    QTemporaryDir m_dir;
};

void TestTamoSearch::search_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::newRow("json, ranking order") << QStringList{"--json", "  DATEI  "} << 0
                                         << R"({"results":[{"name":"Datei","score":40},)"
                                            R"({"name":"Zugriff","score":4},)"
                                            R"({"name":"a\"b","score":2}]})";
    QTest::newRow("text, score right-aligned")
        << QStringList{QString::fromUtf8("äpfel")} << 0 << QString::fromUtf8("    44 Äpfel\n");
    QTest::newRow("nothing to search: the index")
        << QStringList{"   "} << 0
        << QString::fromUtf8("     0 a\"b\n     0 Äpfel\n     0 Datei\n     0 Zugriff\n");
    QTest::newRow("no result") << QStringList{"--json", "nirgends"} << 0 << R"({"results":[]})";
    QTest::newRow("missing file") << QStringList{"--doc", m_dir.filePath("none.txw"), "x"} << 2
                                  << "";
}

void TestTamoSearch::search()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    const QString doc = writeTempFile(m_dir, "t.txw",
                                      "###Zugriff\r\nDatei lesen\r\n###\xc4pfel\r\n\xe4pfel\r\n"
                                      "###Datei\r\nx\r\n###a\"b\r\ndateien\r\n");
    QProcess tamo;
    tamo.start(QStringLiteral(TAMO_BINARY), QStringList{"search", "--doc", doc} + arguments);
    QVERIFY(tamo.waitForFinished(60000));
    QCOMPARE(tamo.exitCode(), exitCode);
    const QByteArray got = tamo.readAllStandardOutput();
    if (out.startsWith(u'{')) {
        QVERIFY(!QJsonDocument::fromJson(got).isNull());
        out += u'\n';
    }
    QCOMPARE(QString::fromUtf8(got), out);
}

// Without --doc the search reads the file the command line found, as the viewer finds it.
void TestTamoSearch::findsTheDocumentation()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("docs");
    writeTempFile(dir, "docs/tamo.txw", "###InDocs\r\ndatei\r\n");
    writeTempFile(dir, "tamoini.txt", "docs\r\n");
    QProcess tamo;
    tamo.setWorkingDirectory(dir.path());
    tamo.start(QStringLiteral(TAMO_BINARY), {"search", "datei"});
    QVERIFY(tamo.waitForFinished(60000));
    QCOMPARE(tamo.readAllStandardOutput(), QByteArray("     4 InDocs\n"));
}

QTEST_GUILESS_MAIN(TestTamoSearch)
#include "tst_tamosearch.moc"
