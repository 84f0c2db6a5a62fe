#include <QDir>
#include <QProcess>
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
        QTest::addColumn<int>("exitCode");   // -1: the window stays open
        QTest::addColumn<QString>("output"); // a part of stdout, or of stderr for exit code 2
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Aufruf: quarntamo [VERZEICHNIS";
        QTest::newRow("version, also after an argument")
            << QStringList{"docs", "--version"} << 0
            << "quarntamo (QuarnTamo) " QUARNTAMO_VERSION "\n";
        QTest::newRow("two arguments") << QStringList{"docs", "docs"} << 2 << "nur ein Verzeichnis";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << "Option --bogus";
        QTest::newRow("missing") << QStringList{"nix"} << 2 << "quarntamo: \u201Enix\u201C gibt";
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
};

QTEST_GUILESS_MAIN(TestQuarnTamo)
#include "tst_quarntamo.moc"
