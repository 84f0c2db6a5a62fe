#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The built viewer's command line: --help and --version need no display and create nothing,
// wrong calls end with exit code 2, and a directory given is where the lookup starts.
class TestQuarnTamo : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        // -1: the window stays open; -2: a message box stays open, its message on stderr too
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output"); // a part of stdout, or of stderr for exit code 2
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Aufruf: quarntamo [VERZEICHNIS";
        QTest::newRow("version, also after an argument")
            << QStringList{"docs", "--version"} << 0
            << "quarntamo (QuarnTamo) " QUARNTAMO_VERSION "\n";
        QTest::newRow("two arguments") << QStringList{"docs", "docs"} << 2 << "nur ein Verzeichnis";
        QTest::newRow("unknown option, its control characters shown")
            << QStringList{"--bogus\x1b[2J"} << 2 << "Option --bogus\\x1b[2J";
        // Whoever opened it from a file manager sees no terminal.
        QTest::newRow("missing: also in a box")
            << QStringList{"nix"} << -2 << "quarntamo: \u201Enix\u201C gibt";
        QTest::newRow("a directory: the lookup starts there") << QStringList{"docs"} << -1 << "";
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QTemporaryDir dir;
        const QDir root(dir.path());
        QVERIFY(root.mkdir("home") && root.mkdir("start") && root.mkdir("docs"));
        QProcess viewer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", root.filePath("home"));
        // No session bus: a viewer of the desktop session around the test must not take the
        // start over.
        env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + root.filePath("kein-bus"));
        // --help and --version must not even look for a display.
        env.insert("QT_QPA_PLATFORM", exitCode == 0 ? "keine-anzeige" : "offscreen");
        viewer.setProcessEnvironment(env);
        viewer.setWorkingDirectory(root.filePath("start"));
        arguments.replaceInStrings("docs", root.filePath("docs"));
        viewer.start(QStringLiteral(QUARNTAMO_BINARY), arguments);
        if (exitCode == -1) {
            // The viewer, started in docs/, creates the missing files there as it always does.
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(root.filePath("docs/tamo.txw")), 20000);
            viewer.kill();
            viewer.waitForFinished();
            QVERIFY(QFileInfo::exists(root.filePath("docs/tamoini.txt")));
        } else if (exitCode == -2) {
            QByteArray err;
            QTRY_VERIFY_WITH_TIMEOUT(
                (err += viewer.readAllStandardError()).contains(output.toUtf8()), 20000);
            // The message is written before the box opens: the program waits for the box.
            QVERIFY(!viewer.waitForFinished(500));
            viewer.kill();
            viewer.waitForFinished();
        } else {
            QVERIFY(viewer.waitForFinished(60000));
            QCOMPARE(viewer.exitCode(), exitCode);
            const QString got = QString::fromUtf8(exitCode == 0 ? viewer.readAllStandardOutput()
                                                                : viewer.readAllStandardError());
            QVERIFY2(got.contains(output), qPrintable(got));
            QVERIFY(QDir(root.filePath("docs")).isEmpty());
        }
        QVERIFY(QDir(root.filePath("start")).isEmpty());
        QVERIFY(QDir(root.filePath("home"))
                    .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }

    // On X11 the windows' class is the one the menu entry names, so that task bars put them
    // under its icon. Run on a virtual X server.
    void windowClassMatchesTheMenuEntry()
    {
        const QSettings entry(QStringLiteral(QUARNTAMO_DESKTOP_ENTRY), QSettings::IniFormat);
        const QString wmClass = entry.value("Desktop Entry/StartupWMClass").toString();
        QVERIFY(!wmClass.isEmpty());
        for (const char *tool : {"Xvfb", "xwininfo"})
            QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(),
                     "install the Debian packages xvfb and x11-utils");

        QProcess server; // prints its display number once it accepts clients
        server.start("Xvfb",
                     {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1280x1024x24"});
        QTRY_VERIFY_WITH_TIMEOUT(server.canReadLine(), 20000);
        const QString display = u':' + QString::fromLatin1(server.readLine().trimmed());
        QTemporaryDir dir;
        QProcess viewer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("HOME", dir.path());
        viewer.setProcessEnvironment(env);
        viewer.setWorkingDirectory(dir.path());
        viewer.start(QStringLiteral(QUARNTAMO_BINARY));

        // Every window that carries a class ("instance" "class"), splash and main window.
        const QRegularExpression classed(
            QStringLiteral("\"([^\"]*)\": \\(\"([^\"]*)\" \"([^\"]*)\"\\)"));
        QStringList classes;
        const auto windowClasses = [&] {
            QProcess tree;
            tree.setProcessEnvironment(env);
            tree.start("xwininfo", {"-root", "-tree"});
            tree.waitForFinished();
            classes.clear();
            for (const auto &m : classed.globalMatch(QString::fromUtf8(tree.readAll())))
                classes += m.captured(1) + u'=' + m.captured(3);
            return classes;
        };
        QTRY_VERIFY_WITH_TIMEOUT(windowClasses().contains("QUARN-Dokumentation=" + wmClass), 30000);
        for (const QString &c : std::as_const(classes))
            QVERIFY2(c.endsWith(u'=' + wmClass), qPrintable(classes.join(", ")));
        viewer.kill();
        viewer.waitForFinished();
        server.terminate();
        server.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestQuarnTamo)
#include "tst_quarntamo.moc"
