#include "support/tempdoc.h"

#include <QDir>
#include <QJsonDocument>
#include <QProcess>
#include <QTest>

// The built tamo run on small files: every command, its text and JSON output, how it finds
// the documentation, and its errors.
class TestTamo : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void run_data();
    void run();

private:
    QString directory(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestTamo::initTestCase()
{
    const QDir root(m_dir.path());
    for (const char *sub : {"work", "work/docs", "here", "empty", "broken"})
        root.mkdir(sub);
    writeTempFile(m_dir, "t.txw",
                  "###Zugriff\r\nDatei lesen\r\n###\xc4pfel\r\n\xe4pfel\r\n###Datei\r\nZeile 1\r\n"
                  "%%%bild.png\r\n---Zugriff\r\n---Anhang\r\n###a\"b\\c\r\ndateien\r\n");
    // Without --doc: tamo.txw in the directory that ./tamoini.txt names, else in ".".
    writeTempFile(m_dir, "work/tamoini.txt", "docs\r\n");
    writeTempFile(m_dir, "work/docs/tamo.txw", "###InDocs\r\ndatei\r\n");
    writeTempFile(m_dir, "here/tamo.txw", "###Here\r\n");
    writeTempFile(m_dir, "broken/tamoini.txt", "missing-dir\r\n");
}

void TestTamo::run_data()
{
    QTest::addColumn<QString>("cwd");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out"); // exactly; for exit code 2 a part of stderr
    const QString doc = m_dir.filePath("t.txw");
    auto row = [&](const char *name, const char *cwd, QStringList arguments, int exitCode,
                   const QString &out) {
        arguments.replaceInStrings("DOC", doc);
        QTest::newRow(name) << QString(cwd) << arguments << exitCode << out;
    };
    row("topics", "empty", {"topics", "--doc", "DOC"}, 0, "a\"b\\c\nÄpfel\nDatei\nZugriff\n");
    row("topics json", "empty", {"topics", "--json", "--doc=DOC"}, 0,
        R"({"topics":[{"name":"a\"b\\c","position":98},{"name":"Äpfel","position":26},)"
        R"({"name":"Datei","position":43},{"name":"Zugriff","position":1}]})");
    row("show: related sorted", "empty", {"show", "--doc", "DOC", "Datei"}, 0,
        "Datei\n\nZeile 1\n\nVerwandte Themen:\n  Anhang\n  Zugriff\n");
    row("show json", "empty", {"show", "--json", "--doc", "DOC", "Datei"}, 0,
        R"({"title":"Datei","text":"Zeile 1\r\n","fullText":"Zeile 1\r\n%%%bild.png\r\n",)"
        R"("related":["Anhang","Zugriff"]})");
    row("show: not found", "empty", {"show", "--json", "--doc", "DOC", "Fehlt"}, 0,
        R"({"title":"Fehler: Thema nicht gefunden.","text":"Das Thema wurde nicht gefunden.)");
    row("prefix", "empty", {"prefix", "--doc", "DOC", "Z"}, 0, "Zugriff\n");
    row("prefix json", "empty", {"prefix", "--json", "--doc", "DOC", "dat"}, 0,
        R"({"topics":["Datei"]})");
    row("search json, ranking order", "empty", {"search", "--doc", "DOC", "--json", "  DATEI  "}, 0,
        R"({"results":[{"name":"Datei","score":40},{"name":"Zugriff","score":4},)"
        R"({"name":"a\"b\\c","score":2}]})");
    row("search text, score right-aligned", "empty", {"search", "--doc", "DOC", "äpfel"}, 0,
        "    44 Äpfel\n");
    row("search of blanks: the index", "empty", {"search", "--doc", "DOC", "   "}, 0,
        "     0 a\"b\\c\n     0 Äpfel\n     0 Datei\n     0 Zugriff\n");
    row("search without result", "empty", {"search", "--json", "--doc", "DOC", "nirgends"}, 0,
        R"({"results":[]})");
    row("found through tamoini.txt", "work", {"search", "datei"}, 0, "     4 InDocs\n");
    row("found in the working directory", "here", {"topics"}, 0, "Here\n");
    row("no documentation", "empty", {"topics"}, 2, "tamo.txw: Datei nicht gefunden");
    row("named directory missing", "broken", {"topics"}, 2, "missing-dir");
    row("--doc file missing", "empty", {"search", "--doc", "none.txw", "x"}, 2, "none.txw");
    row("no command", "empty", {}, 2, "tamo topics");
    row("unknown command", "empty", {"frobnicate"}, 2, "unbekannter Befehl");
    row("argument too many", "empty", {"topics", "extra"}, 2, "falsche Zahl");
    row("argument missing", "empty", {"show", "--doc", "DOC"}, 2, "falsche Zahl");
    row("--doc without file", "empty", {"topics", "--doc"}, 2, "--doc braucht");
    row("unknown option", "empty", {"topics", "--bogus"}, 2, "unbekannte Option --bogus");
    row("help", "empty", {"--help"}, 0, "");
}

void TestTamo::run()
{
    QFETCH(QString, cwd);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QProcess tamo;
    tamo.setWorkingDirectory(directory(cwd));
    tamo.start(QStringLiteral(TAMO_BINARY), arguments);
    QVERIFY(tamo.waitForFinished(60000));
    QCOMPARE(tamo.exitCode(), exitCode);
    const QString got = QString::fromUtf8(tamo.readAllStandardOutput());
    const QString err = QString::fromUtf8(tamo.readAllStandardError());
    if (exitCode != 0) {
        QVERIFY2(err.startsWith("tamo: ") && err.contains(out), qPrintable(err));
        QVERIFY(got.isEmpty());
    } else if (arguments.contains("--help")) {
        QVERIFY(got.contains("tamo search"));
    } else if (out.startsWith(u'{')) {
        QVERIFY2(!QJsonDocument::fromJson(got.toUtf8()).isNull(), qPrintable(got));
        QVERIFY2(got.startsWith(out), qPrintable(got));
        QVERIFY(got.endsWith("}\n"));
    } else {
        QCOMPARE(got, out);
    }
    // Finding the documentation never creates a file.
    QVERIFY(!QFileInfo::exists(directory(cwd) + "/tamoini.txt") || cwd == "work" ||
            cwd == "broken");
    QVERIFY(!QFileInfo::exists(directory("empty") + "/tamo.txw"));
}

QTEST_GUILESS_MAIN(TestTamo)
#include "tst_tamo.moc"
