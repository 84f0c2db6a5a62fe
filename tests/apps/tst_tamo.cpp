#include "support/tempdoc.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <sys/stat.h>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run tamo(const QStringList &arguments, const QString &workingDirectory = QString())
{
    QProcess process;
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(TAMO_BINARY), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QJsonObject parse(const QByteArray &out)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(out, &error);
    if (error.error != QJsonParseError::NoError)
        qWarning("bad JSON: %s", out.constData());
    return doc.object();
}

} // namespace

// The built tamo run on small files: every command, its text and JSON output, how it finds
// the documentation, and its errors.
class TestTamo : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void run_data();
    void run();
    void check();
    void checkJson();
    void checkPictures();
    void checkSettingsFile();
    void bundledDocumentationChecksClean();

private:
    QString directory(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestTamo::initTestCase()
{
    const QDir root(m_dir.path());
    for (const char *sub : {"work", "work/docs", "here", "empty", "broken", "junk", "long"})
        root.mkdir(sub);
    writeTempFile(m_dir, "t.txw",
                  "###Zugriff\r\nDatei lesen\r\n###\xc4pfel\r\n\xe4pfel\r\n###Datei\r\nZeile 1\r\n"
                  "%%%bild.png\r\n---Zugriff\r\n---Anhang\r\n###a\"b\\c\r\ndateien\r\n");
    // Without --doc: tamo.txw in the directory that ./tamoini.txt names, else in ".".
    writeTempFile(m_dir, "work/tamoini.txt", "docs\r\n");
    writeTempFile(m_dir, "work/docs/tamo.txw", "###InDocs\r\ndatei\r\n");
    writeTempFile(m_dir, "here/tamo.txw", "###Here\r\n");
    writeTempFile(m_dir, "broken/tamoini.txt", "missing-dir\r\n");
    // Bytes a terminal obeys: ESC sets the window title, BEL rings, CR overwrites the line.
    writeTempFile(m_dir, "ctl.txw", "###T\x1b]0;x\x07\r\nA\rB\x9d\r\n");
    writeTempFile(m_dir, "junk/tamoini.txt", "d\x1b[2J\r\n");
    QDir(directory("long")).mkdir(QString(250, u'x'));
    writeTempFile(m_dir, "long/tamoini.txt", QByteArray(250, 'x') + "\r\n");
    QVERIFY(mkfifo(QFile::encodeName(m_dir.filePath("fifo.txw")).constData(), 0600) == 0);
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
    // Plain output shows control characters as \xHH; JSON escapes them its own way.
    const QString ctl = m_dir.filePath("ctl.txw");
    row("control bytes in topics", "empty", {"topics", "--doc", ctl}, 0, "T\\x1b]0;x\\x07\n");
    row("control bytes in show", "empty", {"show", "--doc", ctl, "T\x1b]0;x\x07"}, 0,
        "T\\x1b]0;x\\x07\n\nA\\x0dB\\x9d\n");
    row("control bytes in json", "empty", {"topics", "--json", "--doc", ctl}, 0,
        R"({"topics":[{"name":"T\u001b]0;x\u0007","position":1}]})");
    row("control bytes in a message", "junk", {"topics"}, 2, "d\\x1b[2J");
    row("a long path from tamoini.txt, elided", "long", {"topics"}, 2,
        u'\u2026' + QString(90, u'x') + "/tamo.txw: Datei nicht gefunden");
    row("fifo document", "empty", {"search", "--doc", m_dir.filePath("fifo.txw"), "x"}, 2,
        "keine gewöhnliche Datei, sondern eine benannte Pipe (FIFO)");
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
            cwd == "broken" || cwd == "junk" || cwd == "long");
    QVERIFY(!QFileInfo::exists(directory("empty") + "/tamo.txw"));
}

void TestTamo::check()
{
    // Exit 0 with warnings only, 1 with an error, 2 when the file is missing.
    const QString warned =
        writeTempFile(m_dir, "warned.txw", "###Verwendung_der_Dokumentation\r\n###Datei\n");
    Run r = tamo({"check", "--doc", warned});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.startsWith(warned.toUtf8() + ":2: warning: Die Zeile endet mit LF"));
    QVERIFY(r.out.endsWith(".\n0 Fehler, 1 Warnung\n"));

    const QString broken = writeTempFile(m_dir, "broken.txw", "###A\r\n---B\r\n\r\r\n###B\n");
    r = tamo({"check", "--doc", broken});
    QCOMPARE(r.exitCode, 1);
    const QList<QByteArray> lines = r.out.split('\n');
    QCOMPARE(lines.size(), 7); // five problems, the summary, nothing after the last LF
    QVERIFY(lines[0].startsWith(broken.toUtf8() + ":1: error: Es gibt kein Thema"));
    QVERIFY(lines[1].startsWith(broken.toUtf8() + ":2: error: Kein Thema hei"));
    QVERIFY(lines[2].startsWith(broken.toUtf8() + ":3: error: Die Zeile besteht"));
    QVERIFY(lines[3].startsWith(broken.toUtf8() + ":4: warning: "));
    QVERIFY(lines[4].startsWith(broken.toUtf8() + ":4: warning: ")); // "###B" lost its B
    QCOMPARE(lines[5], QByteArray("3 Fehler, 2 Warnungen"));

    r = tamo({"check", "--doc", m_dir.filePath("none.txw")});
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.err.contains("none.txw"));
    r = tamo({"check", "--doc", warned, "extra"});
    QCOMPARE(r.exitCode, 2);
}

void TestTamo::checkJson()
{
    const QString doc = writeTempFile(m_dir, "json.txw", "###A\r\n###A\r\n---\"x\\\r\n");
    const Run r = tamo({"check", "--json", "--doc", doc});
    QCOMPARE(r.exitCode, 1);
    const QJsonObject root = parse(r.out);
    QCOMPARE(root.keys(), QStringList({"problems"}));
    const QJsonArray problems = root.value("problems").toArray();
    QStringList got;
    for (const QJsonValue &v : problems) {
        const QJsonObject p = v.toObject();
        QCOMPARE(p.keys(), QStringList({"kind", "line", "message", "severity"}));
        QVERIFY(!p.value("message").toString().isEmpty());
        got += QString::number(p.value("line").toInteger()) + u' ' +
               p.value("severity").toString() + u' ' + p.value("kind").toString();
    }
    QCOMPARE(got, QStringList({"1 warning duplicate-heading", "1 error start-topic-missing",
                               "3 error related-not-found"}));
    QVERIFY(problems[2].toObject().value("message").toString().contains(u"„\"x\\“"));
}

void TestTamo::checkPictures()
{
    // Read as the viewer reads them: PNG built in, JPEG through a plugin, a picture that
    // declares 9000 x 9000 pixels refused, a text file and a named pipe unreadable.
    QTemporaryDir dir;
    QVERIFY(QFile::copy(QFileInfo(QStringLiteral(BUNDLED_DOC)).dir().filePath("ablauf.png"),
                        dir.filePath("ok.png")));
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(dir.filePath("ok.jpg"), "JPEG"));
    writeTempFile(dir, "huge.png",
                  QByteArray("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x23\x28\0\0\x23\x28\x08\x02\0\0\0"
                             "\xe2\xb7\xe5\xed\0\0\0\x0bIDAT\x78\x9c\x63\x60\x80\x01\0\0\x0a\0\x01"
                             "\x7f\x80\x74\x5e\0\0\0\0IEND\xae\x42\x60\x82",
                             68));
    writeTempFile(dir, "text.png", "kein Bild");
    QVERIFY(mkfifo(QFile::encodeName(dir.filePath("fifo.png")).constData(), 0600) == 0);
    QDir(dir.path()).mkdir("sub");
    const QString doc = writeTempFile(dir, "sub/../doc.txw",
                                      "###Verwendung_der_Dokumentation\r\n%%%ok.png\r\n"
                                      "%%%ok.jpg\r\n%%%huge.png\r\n%%%text.png\r\n%%%no.png\r\n"
                                      "%%%fifo.png\r\n");
    const Run r = tamo({"check", "--json", "--doc", doc}, QDir::tempPath());
    QStringList got;
    for (const QJsonValue &v : parse(r.out).value("problems").toArray())
        got += QString::number(v.toObject().value("line").toInteger()) + u' ' +
               v.toObject().value("kind").toString();
    QCOMPARE(got, QStringList({"4 picture-too-large", "5 picture-unreadable", "6 picture-missing",
                               "7 picture-unreadable"}));
}

void TestTamo::checkSettingsFile()
{
    // tamoini.txt names "docs/" with a bare LF: "docs" still works, but the warning says why
    // the name lost a character.
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("docs");
    writeTempFile(dir, "docs/tamo.txw", "###Verwendung_der_Dokumentation\r\n");
    writeTempFile(dir, "tamoini.txt", "docs/\n");
    Run r = tamo({"check"}, dir.path());
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.startsWith("tamoini.txt:1: warning: "));
    QVERIFY(r.out.endsWith("\n0 Fehler, 1 Warnung\n"));
    r = tamo({"check", "--doc", dir.filePath("docs/tamo.txw")}, dir.path()); // not consulted
    QCOMPARE(r.out, QByteArray("0 Fehler, 0 Warnungen\n"));
}

void TestTamo::bundledDocumentationChecksClean()
{
    const Run r = tamo({"check", "--doc", QStringLiteral(BUNDLED_DOC)});
    QCOMPARE(QString::fromUtf8(r.out), QString("0 Fehler, 0 Warnungen\n"));
    QCOMPARE(r.exitCode, 0);
}

QTEST_GUILESS_MAIN(TestTamo)
#include "tst_tamo.moc"
