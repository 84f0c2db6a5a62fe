#include "support/hostilepictures.h"
#include "support/runprogram.h"
#include "support/tempdoc.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <sys/stat.h>

// The built tamo run on small files: every command, its text and JSON output, how it finds
// the documentation, and its errors.
class TestTamo : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        const QDir root(m_dir.path());
        qputenv("PATH", QFileInfo(TAMO_BINARY).absolutePath().toUtf8() + ':' + qgetenv("PATH"));
        for (const char *sub : {"empty", "settings", "settings/docs"})
            root.mkdir(sub);
        writeTempFile(
            m_dir, "t.txw",
            "###Zugriff\r\nDatei lesen\r\n###\xc4pfel\r\n\xe4pfel\r\n###Datei\r\nZeile 1\r\n"
            "%%%bild.png\r\n---Zugriff\r\n---Anhang\r\n###a\"b\\c\r\ndateien\r\n");
        writeTempFile(m_dir, "warned.txw", "###Verwendung_der_Dokumentation\r\n###Datei\n");
        writeTempFile(m_dir, "broken.txw", "###A\r\n---B\r\n");
        writeTempFile(m_dir, "picture.txw", "###Verwendung_der_Dokumentation\r\n%%%fehlt.png\r\n");
        writeTempFile(m_dir, "star.txw", "###*\r\n");
        // More text than a pipe holds: tamo is still writing when head has gone.
        writeTempFile(m_dir, "big.txw",
                      "###A\r\n" + QByteArray(100, 'x').append("\r\n").repeated(40000));
        // A bare LF makes "docs/" read as "docs": it still works, but check warns.
        writeTempFile(m_dir, "settings/tamoini.txt", "docs/\n");
        writeTempFile(m_dir, "settings/docs/tamo.txw", "###Verwendung_der_Dokumentation\r\n");
        // Bytes a terminal obeys: ESC sets the window title, BEL rings, CR overwrites the line.
        writeTempFile(m_dir, "ctl.txw",
                      "###T\x1b]0;x\x07\r\nA\rB\x9d\r\n---T\x1b]0;x\x07\r\n###U\x9d\r\n");
        // An installed tamo: the program in bin/ of a prefix, the documentation where it goes.
        QVERIFY(root.mkpath("prefix/bin/" QUARNTAMO_DOC_FROM_BIN));
        QVERIFY(QFile::copy(TAMO_BINARY, directory("prefix/bin/tamo")));
        writeTempFile(m_dir, "prefix/bin/" QUARNTAMO_DOC_FROM_BIN "/tamo.txw",
                      "###Installiert\r\n");
    }

    void run_data();
    void run()
    {
        QFETCH(QString, cwd);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const QDir dir(directory(cwd));
        const QStringList before = dir.entryList(QDir::AllEntries | QDir::Hidden);
        const bool shell = arguments.value(0) == u"-c";
        const ProgramRun r = runProgram(shell ? "/bin/sh" : TAMO_BINARY, arguments, dir.path());
        if (exitCode >= 0)
            QCOMPARE(r.exitCode, exitCode);
        const QString gotErr = QString::fromUtf8(r.err);
        QVERIFY2(err.isEmpty() ? gotErr.isEmpty()
                               : gotErr.startsWith("tamo: ") && gotErr.contains(err),
                 qPrintable(gotErr));
        const QStringList got = QString::fromUtf8(r.out).split(u'\n');
        const QStringList want = out.split(u'\n');
        const bool more = want.last() == u"…";
        QVERIFY2(more ? got.size() >= want.size() : got.size() == want.size(), r.out.constData());
        for (qsizetype i = 0; i < want.size() - more; ++i) {
            const QString &w = want[i];
            const QString head = w.section(u'…', 0, 0), tail = w.section(u'…', 1);
            QVERIFY2(w.contains(u'…') ? got[i].startsWith(head) && got[i].endsWith(tail)
                                      : got[i] == w,
                     r.out.constData());
            QVERIFY(!got[i].startsWith(u'{') || !QJsonDocument::fromJson(got[i].toUtf8()).isNull());
        }
        // Finding the documentation never creates a file.
        QCOMPARE(dir.entryList(QDir::AllEntries | QDir::Hidden), before);
    }

    // The JSON problems, with pictures judged by the module as the viewer judges them (which
    // formats are read is tst_docfiles'): PNG built in, JPEG through a plugin, a picture that
    // declares 9000 x 9000 pixels refused, a named pipe unreadable; all taken from the
    // documentation's directory, not the working directory. An SVG is unreadable too (with
    // text in it, drawing one needs a GUI application object: tamo aborted).
    void checkJson()
    {
        const QDir pics(directory("pics"));
        QVERIFY(pics.mkpath("sub"));
        QVERIFY(QFile::copy(QFileInfo(QStringLiteral(BUNDLED_DOC)).dir().filePath("ablauf.png"),
                            pics.filePath("ok.png")));
        QVERIFY(QImage(pics.filePath("ok.png")).save(pics.filePath("ok.jpg"), "JPEG"));
        const QByteArray huge = pngDeclaring(9000, 9000);
        writeTempFile(m_dir, "pics/huge.png", huge);
        writeTempFile(m_dir, "pics/text.svg.png", hostileSvg(10));
        QVERIFY(mkfifo(QFile::encodeName(pics.filePath("fifo.png")).constData(), 0600) == 0);
        const QString doc = writeTempFile(
            m_dir, "pics/sub/../doc.txw",
            "###A\r\n%%%ok.png\r\n%%%ok.jpg\r\n%%%huge.png\r\n%%%no.png\r\n%%%fifo.png\r\n"
            "%%%text.svg.png\r\n###A\r\n");
        const ProgramRun r =
            runProgram(TAMO_BINARY, {"check", "--json", "--doc", doc}, directory("empty"));
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.err, QByteArray());
        const QJsonArray problems = QJsonDocument::fromJson(r.out)["problems"].toArray();
        QStringList got;
        for (const QJsonValue &v : problems) {
            const QJsonObject p = v.toObject();
            QCOMPARE(p.keys(), QStringList({"kind", "line", "message", "severity"}));
            got += QString::number(p.value("line").toInteger()) + u' ' +
                   p.value("severity").toString() + u' ' + p.value("kind").toString();
        }
        QCOMPARE(got, QStringList({"1 warning duplicate-heading", "1 error start-topic-missing",
                                   "4 error picture-too-large", "5 error picture-missing",
                                   "6 error picture-unreadable", "7 error picture-unreadable"}));
        QVERIFY(problems[4].toObject().value("message").toString().contains(u"keine gewöhnliche"));
    }

    // tamo starts with Qt Core alone: the libraries of Qt Gui and the window system, which cost
    // every call a few milliseconds, come in only with the picture module, and that only when
    // a documentation file names a picture. The dynamic loader lists what it loads; the
    // libraries the program is linked with are the same for every command.
    void startsWithQtCoreAlone_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("pictures");
        QTest::newRow("check without pictures")
            << QStringList{"check", "--doc", directory("warned.txw")} << false;
        QTest::newRow("check with a picture")
            << QStringList{"check", "--doc", directory("picture.txw")} << true;
    }
    void startsWithQtCoreAlone()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, pictures);
        const QTemporaryDir logs;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_DEBUG", "files");
        environment.insert("LD_DEBUG_OUTPUT", logs.filePath("ld"));
        const ProgramRun r = runProgram(TAMO_BINARY, arguments, directory("empty"), environment);
        QCOMPARE(r.err, QByteArray());
        QStringList loaded;
        const QDir dir(logs.path());
        for (const QString &name : dir.entryList(QDir::Files)) {
            QFile log(dir.filePath(name));
            QVERIFY(log.open(QIODevice::ReadOnly));
            for (const QByteArray &line : log.readAll().split('\n')) {
                const qsizetype at = line.indexOf("file=");
                if (at >= 0)
                    loaded += QString::fromUtf8(line.mid(at + 5).split(' ').value(0));
            }
        }
        QVERIFY2(loaded.contains("libQt6Core.so.6"), qPrintable(loaded.join(u' ')));
        const QStringList windowSystem =
            loaded.filter(QRegularExpression("libQt6Gui|libX11|libEGL|libfontconfig|"
                                             "libharfbuzz|libdbus|quarntamo_pictureprobe"));
        QVERIFY2(pictures ? !windowSystem.filter("libQt6Gui").isEmpty() &&
                                !windowSystem.filter("/quarntamo_pictureprobe.so").isEmpty()
                          : windowSystem.isEmpty(),
                 qPrintable(windowSystem.join(u' ')));
    }

    // The bash completion, run by bash (with the bash-completion package's helpers where it is
    // installed) on a command line that ends at the cursor, split into words as bash splits
    // it (DIR: the test directory): what it offers, in any order. bash quotes the names.
    void bashCompletion_data()
    {
        QTest::addColumn<QString>("cwd");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("offered");
        auto row = [](const char *cwd, const char *line, const QStringList &offered) {
            QTest::newRow(line) << QString(cwd) << QString(line) << offered;
        };
        row("empty", "tamo ", {"topics", "show", "prefix", "search", "check"});
        row("empty", "tamo s", {"show", "search"});
        row("empty", "tamo --", {"--doc", "--json", "--help", "--version", "--"});
        row("empty", "tamo show --j", {"--json"});
        row("empty", "tamo --doc DIR/warn", {"DIR/warned.txw"});
        row("empty", "tamo --doc=DIR/warn", {"DIR/warned.txw"});
        row("empty", "tamo show --doc DIR/t.txw Dat", {"Datei"});
        row("empty", "tamo prefix --doc=DIR/t.txw ", {"a\"b\\c", "Äpfel", "Datei", "Zugriff"});
        // The case of the beginning is ignored; a name that looks like a file pattern is a name.
        row("empty", "tamo show --doc DIR/t.txw äP", {"Äpfel"});
        row("settings", "tamo show --doc DIR/star.txw ", {"*"});
        // Without --doc, the topics of the documentation found.
        row("settings/docs", "tamo search verw", {"Verwendung_der_Dokumentation"});
        // No second name, none for topics, and after -- names only.
        row("empty", "tamo show --doc DIR/t.txw Datei ", {});
        row("empty", "tamo topics --doc DIR/t.txw ", {});
        row("empty", "tamo show --doc DIR/t.txw -- -", {});
    }
    void bashCompletion()
    {
        QFETCH(QString, cwd);
        QFETCH(QString, line);
        QFETCH(QStringList, offered);
        line.replace("DIR/", m_dir.path() + u'/');
        offered.replaceInStrings("DIR/", m_dir.path() + u'/');
        // bash ends a word at a blank and makes = its own word.
        const char *script =
            "helpers=/usr/share/bash-completion/bash_completion\n"
            "[ -f \"$helpers\" ] && source \"$helpers\"\n"
            "source \"$0\"\n"
            "COMP_LINE=$1\n"
            "COMP_POINT=${#COMP_LINE}\n"
            "read -ra COMP_WORDS <<<\"${COMP_LINE//=/ = }\"\n"
            "[[ $COMP_LINE == *' ' ]] && COMP_WORDS+=(\"\")\n"
            "COMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n"
            "_tamo tamo \"${COMP_WORDS[COMP_CWORD]}\" \"${COMP_WORDS[COMP_CWORD - 1]}\"\n"
            "printf '%s\\n' \"${COMPREPLY[@]}\"\n";
        QProcess bash;
        bash.setWorkingDirectory(directory(cwd));
        bash.start("bash", {"-c", QString::fromUtf8(script),
                            QUARNTAMO_SOURCE_DIR "/apps/tamo/completion.bash", line});
        QVERIFY(bash.waitForFinished(60000));
        QCOMPARE(bash.readAllStandardError(), QByteArray());
        QStringList got = QString::fromUtf8(bash.readAllStandardOutput()).split(u'\n');
        got.removeAll(QString());
        got.sort();
        offered.sort();
        QCOMPARE(got, offered);
    }

private:
    QString directory(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestTamo::run_data()
{
    QTest::addColumn<QString>("cwd");
    QTest::addColumn<QStringList>("arguments"); // DIR: the test directory
    QTest::addColumn<int>("exitCode");
    // The lines of stdout; … in a line stands for any text, a last line … for more lines.
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err"); // a part of stderr; empty: nothing on stderr
    auto row = [&](const QString &name, const QString &cwd, QStringList arguments, int exitCode,
                   const QString &out, const QString &err = {}) {
        arguments.replaceInStrings("DIR/", m_dir.path() + u'/');
        QTest::newRow(qPrintable(name)) << cwd << arguments << exitCode << out << err;
    };
    row("show json", "empty", {"show", "--json", "--doc", "DIR/t.txw", "Datei"}, 0,
        R"({"title":"Datei","text":"Zeile 1\r\n","fullText":"Zeile 1\r\n%%%bild.png\r\n",)"
        R"("related":["Anhang","Zugriff"],"found":true})"
        "\n");
    // The name comes from the command line: ESC is written visibly, as in every message.
    row("show: not found, shown as the viewer shows it", "empty",
        {"show", "--json", "--doc", "DIR/t.txw", "\x1b[31mZZ"}, 1,
        R"({"title":"Fehler: Thema nicht gefunden.","text":"Das Thema wurde nicht gefunden.…)"
        R"("related":[],"found":false})"
        "\n",
        "tamo: Kein Thema heißt „\\x1b[31mZZ“.");
    row("prefix json", "empty", {"prefix", "--json", "--doc=DIR/t.txw", "dat"}, 0,
        "{\"topics\":[\"Datei\"]}\n");
    row("search json, ranking order", "empty",
        {"search", "--doc", "DIR/t.txw", "--json", "  DATEI  "}, 0,
        R"({"results":[{"name":"Datei","score":40},{"name":"Zugriff","score":4},)"
        R"({"name":"a\"b\\c","score":2}]})"
        "\n");
    row("search of blanks: the index", "empty", {"search", "--doc", "DIR/t.txw", "   "}, 0,
        "     0 a\"b\\c\n     0 Äpfel\n     0 Datei\n     0 Zugriff\n");
    row("a full disk", "empty", {"-c", "tamo topics --doc DIR/t.txw >/dev/full"}, 1, "",
        "tamo: Die Ausgabe kann nicht geschrieben werden: ");
    row("a closed output", "empty", {"-c", "tamo topics --doc DIR/t.txw >&-"}, 1, "",
        "tamo: Die Ausgabe kann nicht geschrieben werden: ");
    // Where the documentation is looked up, and each settings or documentation file refused on
    // the way, is tst_docfiles'; this takes the lookup's message to stderr.
    row("no documentation", "empty", {"topics"}, 2, "", "tamo: Keine Dokumentation gefunden");
    row("installed: found beside the program", "empty", {"-c", "DIR/prefix/bin/tamo topics"}, 0,
        "Installiert\n");
    row("--doc file missing", "empty", {"search", "--doc", "none.txw", "x"}, 2, "", "none.txw");
    // A reader that stops early ends tamo by SIGPIPE, without a message, even where the caller
    // ignores the signal (trap '' PIPE passes it on ignored).
    row("a reader that stops early", "empty",
        {"-c", "trap '' PIPE; { tamo show --doc DIR/big.txw A; echo \"exit $?\" >DIR/status; } "
               "| head -1; cat DIR/status"},
        0, "A\nexit 141\n");
    row("no command", "empty", {"--json"}, 2, "", "tamo: kein Befehl angegeben\nDie Befehle zeigt");
    row("no argument at all: the short help", "empty", {}, 2, "",
        "tamo: kein Befehl angegeben\nAufruf:\n  tamo topics [--doc DATEI] [--json]\n  tamo show");
    row("unknown command", "empty", {"frobnicate"}, 2, "", "tamo: unbekannter Befehl");
    row("argument too many", "empty", {"topics", "extra"}, 2, "", "falsche Zahl");
    row("--doc without file", "empty", {"topics", "--doc"}, 2, "", "--doc braucht");
    row("unknown option", "empty", {"topics", "--bogus"}, 2, "", "unbekannte Option --bogus");
    row("a name beginning with - after --", "empty", {"show", "--doc", "DIR/t.txw", "--", "-x"}, 1,
        "Fehler: Thema nicht gefunden.\n…", "Kein Thema heißt „-x“");
    row("- alone is a text", "empty", {"prefix", "--doc", "DIR/t.txw", "-"}, 0, "");
    // Help wins over a wrong option and ends with where to report bugs.
    const QString bugs = "Fehler bitte an <dev@quarntamo.invalid> melden.\n";
    row("help", "empty", {"-c", "tamo -x -h | sed -n '1,2p;$p'"}, 0,
        "Aufruf:\n  tamo topics […\n" + bugs);
    row("a command's help", "empty", {"-c", "tamo show --bogus --help | sed -n '1,2p;$p'"}, 0,
        "Aufruf: tamo show [--doc DATEI] [--json] NAME\nGibt das Thema NAME …\n" + bugs);
    row("version, with copyright and licence", "empty", {"--version", "topics"}, 0,
        "tamo (QuarnTamo) " QUARNTAMO_VERSION "\nCopyright (C) 2026 QuarnTamo developers\n"
        "Lizenz: MIT…\n…");
    // Plain output shows control characters as \xHH; JSON escapes them its own way.
    row("control bytes in show", "empty", {"show", "--doc", "DIR/ctl.txw", "T\x1b]0;x\x07"}, 0,
        "T\\x1b]0;x\\x07\n\nA\\x0dB\\x9d\n\nVerwandte Themen:\n  T\\x1b]0;x\\x07\n");
    row("control bytes in json", "empty", {"topics", "--json", "--doc", "DIR/ctl.txw"}, 0,
        R"({"topics":[{"name":"T\u001b]0;x\u0007","position":1},{"name":"U)"
        "\u009d"
        R"(","position":31}]})"
        "\n");
    row("the last C1 control escaped, the first character after them kept", "empty",
        {QString::fromUtf16(u"x\u009f\u00a0")}, 2, "",
        QString::fromUtf16(u"unbekannter Befehl x\\x9f\u00a0\n"));
    const QString warned = m_dir.filePath("warned.txw"), broken = m_dir.filePath("broken.txw");
    row("check: warnings only", "empty", {"check", "--doc", "DIR/warned.txw"}, 0,
        warned + ":2: warning: Die Zeile endet mit LF…\n0 Fehler, 1 Warnung\n");
    row("check: errors", "empty", {"check", "--doc", "DIR/broken.txw"}, 1,
        broken + ":1: error: Es gibt kein Thema…\n" + broken +
            ":2: error: Kein Thema hei…\n2 Fehler, 0 Warnungen\n");
    // The copy in prefix/bin has no picture module beside it: the rest is still checked, and
    // stderr says the picture was not, and why.
    row("check: a picture, the module missing", "empty",
        {"-c", "DIR/prefix/bin/tamo check --doc DIR/picture.txw"}, 0, "0 Fehler, 0 Warnungen\n",
        "/quarntamo_pictureprobe.so fehlt. Alles andere ist geprüft");
    row("check: the bundled documentation", "empty", {"check", "--doc", BUNDLED_DOC}, 0,
        "0 Fehler, 0 Warnungen\n");
    // "Ein Thema mit zwei Bildern ist zum Beispiel Datei."
    row("the bundled Datei has two pictures", "empty",
        {"-c", "tamo show --json --doc '" BUNDLED_DOC "' Datei | grep -o %%% | wc -l"}, 0, "2\n");
    // Without --doc the documentation is found through tamoini.txt, which is checked too.
    row("check: the settings file", "settings", {"check"}, 0,
        "tamoini.txt:1: warning: …\n0 Fehler, 1 Warnung\n");
    row("check: the settings file only without --doc", "settings",
        {"check", "--doc", "DIR/settings/docs/tamo.txw"}, 0, "0 Fehler, 0 Warnungen\n");

    // Every "$ command" line of the README, run by the shell where the bundled documentation is
    // tamo.txw; the lines after it are its output, a last "..." more lines. Each code block
    // starts in a fresh directory.
    QFile readme(QStringLiteral(QUARNTAMO_SOURCE_DIR "/README.md"));
    QVERIFY(readme.open(QIODevice::ReadOnly | QIODevice::Text));
    QList<QStringList> examples; // directory, command, output lines
    int blocks = 0;
    bool inBlock = false;
    for (const QString &line : QString::fromUtf8(readme.readAll()).split(u'\n')) {
        if (line.startsWith("    $ ")) {
            const QString cwd = QString("readme%1").arg(blocks += !inBlock);
            if (!inBlock && QDir(m_dir.path()).mkdir(cwd))
                QVERIFY(QFile::copy(QStringLiteral(BUNDLED_DOC), directory(cwd + "/tamo.txw")));
            examples.append({cwd, line.mid(6)});
            inBlock = true;
        } else if (inBlock && line.startsWith("    ")) {
            examples.last() += line.mid(4) == u"..." ? QString(u'…') : line.mid(4);
        } else {
            inBlock = false;
        }
    }
    QVERIFY(examples.size() >= 6);
    for (const QStringList &e : examples) {
        const QString out = e.mid(2).join(u'\n');
        row("README: " + e[1], e[0], {"-c", e[1]}, -1,
            out.isEmpty() || out.endsWith(u'…') ? out : out + u'\n');
    }
}

QTEST_GUILESS_MAIN(TestTamo)
#include "tst_tamo.moc"
