#include "support/tempdoc.h"

#include <QDir>
#include <QJsonDocument>
#include <QProcess>
#include <QTest>

// `tamo search` end to end: the built program on small files.
class TestTamoSearch : public QObject {
    Q_OBJECT
private slots:
    void search_data();
    void search();

private:
    QTemporaryDir m_dir;
};

void TestTamoSearch::search_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    const QStringList doc = {"--doc", writeTempFile(m_dir, "t.txw",
                                                    "###Zugriff\r\nDatei lesen\r\n###\xc4pfel\r\n"
                                                    "\xe4pfel\r\n###Datei\r\nx\r\n###a\"b\r\n"
                                                    "dateien\r\n")};
    // Without --doc: the file the command line finds, as the viewer finds it.
    QDir(m_dir.path()).mkdir("docs");
    writeTempFile(m_dir, "docs/tamo.txw", "###InDocs\r\ndatei\r\n");
    writeTempFile(m_dir, "tamoini.txt", "docs\r\n");

    QTest::newRow("json, ranking order") << doc + QStringList{"--json", "  DATEI  "} << 0
                                         << R"({"results":[{"name":"Datei","score":40},)"
                                            R"({"name":"Zugriff","score":4},)"
                                            R"({"name":"a\"b","score":2}]})";
    QTest::newRow("text, score right-aligned")
        << doc + QStringList{"äpfel"} << 0 << "    44 Äpfel\n";
    QTest::newRow("nothing to search: the index")
        << doc + QStringList{"   "} << 0
        << "     0 a\"b\n     0 Äpfel\n     0 Datei\n     0 Zugriff\n";
    QTest::newRow("no result") << doc + QStringList{"--json", "nirgends"} << 0
                               << R"({"results":[]})";
    QTest::newRow("missing file") << QStringList{"--doc", m_dir.filePath("none.txw"), "x"} << 2
                                  << "";
    QTest::newRow("found documentation") << QStringList{"datei"} << 0 << "     4 InDocs\n";
}

void TestTamoSearch::search()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QProcess tamo;
    tamo.setWorkingDirectory(m_dir.path());
    tamo.start(QStringLiteral(TAMO_BINARY), QStringList{"search"} + arguments);
    QVERIFY(tamo.waitForFinished(60000));
    QCOMPARE(tamo.exitCode(), exitCode);
    const QByteArray got = tamo.readAllStandardOutput();
    if (out.startsWith(u'{')) {
        QVERIFY(!QJsonDocument::fromJson(got).isNull());
        out += u'\n';
    }
    QCOMPARE(QString::fromUtf8(got), out);
}

QTEST_GUILESS_MAIN(TestTamoSearch)
#include "tst_tamosearch.moc"
