// The one viewer of a session, run as a user's programs run it: under a private session bus
// (the test runs inside dbus-run-session) on the offscreen platform. Requests reach it from a
// second quarntamo and from gdbus, a client of another toolkit; what it shows is read from
// its bus interface.

#include "support/runprogram.h"
#include "support/tempdoc.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <signal.h>

namespace {

const QString kName = QStringLiteral("io.github.quarntamo.QuarnTamo");
const QString kPath = QStringLiteral("/io/github/quarntamo/QuarnTamo");
const QString kStart = QStringLiteral("Verwendung_der_Dokumentation");
const QString kNotFound = QStringLiteral("Fehler: Thema nicht gefunden.");

const QByteArray kDoc = "###Verwendung_der_Dokumentation\r\nSo benutzen Sie den Viewer.\r\n"
                        "---Datei\r\n"
                        "###Datei\r\nDateien lesen und schreiben.\r\n---Zugriff\r\n"
                        "###Zugriff\r\nRechte beim Zugriff auf eine Datei.\r\n"
                        "###Liste\r\nListen.\r\n"
                        "###Datei_\xF6"
                        "ffnen\r\nEine Datei \xF6"
                        "ffnen.\r\n";
const QByteArray kOtherDoc = "###Verwendung_der_Dokumentation_2\r\nDie andere.\r\n"
                             "###Datei\r\nAnders.\r\n";

// A property of the running viewer's read-only interface, or an invalid value while none
// answers.
QVariant viewerProperty(const char *name)
{
    QDBusMessage get =
        QDBusMessage::createMethodCall(kName, kPath, "org.freedesktop.DBus.Properties", "Get");
    get << QString("io.github.quarntamo.QuarnTamo.Viewer") << QString::fromLatin1(name);
    get.setAutoStartService(false);
    const QDBusMessage reply = QDBusConnection::sessionBus().call(get, QDBus::Block, 2000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().first().value<QDBusVariant>().variant();
}

QDBusMessage showTopicCall(const QString &name)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kName, kPath, "org.freedesktop.Application",
                                                       "ActivateAction");
    call << QString("show-topic") << QVariantList{QVariant::fromValue(QDBusVariant(name))}
         << QVariantMap();
    return call;
}

QString shownTopic()
{
    return viewerProperty("ShownTopic").toString();
}

} // namespace

class TestHandOver : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(QDBusConnection::sessionBus().isConnected());
        const QDir root(m_dir.path());
        QVERIFY(root.mkdir("home") && root.mkdir("docs") && root.mkdir("other") &&
                root.mkdir("empty"));
        writeTempFile(m_dir, "docs/tamo.txw", kDoc);
        writeTempFile(m_dir, "other/tamo.txw", kOtherDoc);
        // An installed viewer: the program in bin/ of a prefix, the documentation where it goes.
        QVERIFY(root.mkpath("prefix/bin/" QUARNTAMO_DOC_FROM_BIN));
        QVERIFY(QFile::copy(QUARNTAMO_BINARY, root.filePath("prefix/bin/quarntamo")));
        writeTempFile(m_dir, "prefix/bin/" QUARNTAMO_DOC_FROM_BIN "/tamo.txw",
                      "###Installiert\r\nInstalliert.\r\n");
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert("HOME", root.filePath("home"));
        m_env.insert("QT_QPA_PLATFORM", "offscreen");
    }

    // A first start with a request shows it once loading has finished; a name that is no
    // topic shows the not-found topic and says so.
    void firstStart_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("message");
        auto row = [](const char *name, const QStringList &arguments, const QString &shown,
                      const QString &query = "", const QString &message = "") {
            QTest::newRow(name) << arguments << shown << query << message;
        };
        row("--topic", {"--topic", "Zugriff"}, "Zugriff");
        row("--search", {"--search", "Datei Zugriff"}, kStart, "Datei Zugriff");
        row("no such topic", {"--topic", "Nix"}, kNotFound, "",
            "quarntamo: Kein Thema heißt „Nix“");
        // Asked for where there is no documentation (an editor's project): the installed
        // documentation, and nothing created there.
        row("installed, started elsewhere", {"--topic", "Installiert"}, "Installiert");
    }
    void firstStart()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, shown);
        QFETCH(QString, query);
        QFETCH(QString, message);
        const bool installed = QByteArray(QTest::currentDataTag()).startsWith("installed");
        startViewer(arguments, installed ? "empty" : "docs",
                    installed ? m_dir.filePath("prefix/bin/quarntamo") : QUARNTAMO_BINARY);
        QTRY_COMPARE_WITH_TIMEOUT(shownTopic(), shown, 20000);
        QVERIFY(QDir(m_dir.filePath("empty")).isEmpty());
        QCOMPARE(viewerProperty("Query").toString(), query);
        if (!query.isEmpty())
            QVERIFY(viewerProperty("TopicList").toStringList().contains("Datei"));
        QTRY_VERIFY(m_viewerErrors.contains(message));
        stopViewer();
    }

    // Requests handed to the running viewer by a second start and by gdbus, in this order on
    // the one viewer: the second start ends at once with the exit code, the viewer shows the
    // result. Refused requests leave what it shows as it was. How arguments and links are
    // read is tst_viewer's; here each way in is taken once.
    void handOver_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("query"); // null: not checked
        QTest::addColumn<QString>("message");
        const QStringList action{
            "call",          "--session", "--dest",   kName,
            "--object-path", kPath,       "--method", "org.freedesktop.Application.ActivateAction"};
        QStringList open = action;
        open.last() = "org.freedesktop.Application.Open";
        QStringList activate = action;
        activate.last() = "org.freedesktop.Application.Activate";
        auto row = [](const char *name, const QString &program, const QStringList &arguments,
                      int exitCode, const QString &shown, const QString &query = QString(),
                      const QString &message = "") {
            QTest::newRow(name) << program << arguments << exitCode << shown << query << message;
        };
        row("--topic", "quarntamo", {"--topic", "Datei"}, 0, "Datei");
        row("--search", "quarntamo", {"--search=Datei Zugriff"}, 0, "Datei", "Datei Zugriff");
        row("plain start: only raised", "quarntamo", {}, 0, "Datei");
        // The name would steer the terminal: its control characters are shown as \xNN.
        row("no such topic", "quarntamo", {"--topic", "a\x1b]0;x\x07"}, 1, kNotFound, {},
            "Kein Thema heißt „a\\x1b]0;x\\x07“");
        row("gdbus show-topic", "gdbus", action + QStringList{"show-topic", "[<'Liste'>]", "{}"}, 0,
            "Liste");
        row("gdbus Open of a link", "gdbus", open + QStringList{"['quarntamo:Datei']", "{}"}, 0,
            "Datei");
        row("gdbus Activate with a token", "gdbus",
            activate + QStringList{"{'activation-token': <'x'>}"}, 0, "Datei");

        // Refused: an empty name, an unknown action, a bad argument type, a file that is not
        // there, something that is neither a file nor a link.
        row("gdbus empty name", "gdbus", action + QStringList{"show-topic", "[<' '>]", "{}"}, 1,
            "Datei", {}, "Der Name des Themas ist leer");
        row("gdbus unknown action", "gdbus", action + QStringList{"quit", "[]", "{}"}, 1, "Datei",
            {}, "Unbekannte Aktion");
        row("gdbus number for a name", "gdbus", action + QStringList{"show-topic", "[<42>]", "{}"},
            1, "Datei", {}, "genau eine Zeichenkette");
        row("gdbus Open of a missing file", "gdbus",
            open + QStringList{"['file:///nicht/da.txw']", "{}"}, 1, "Datei", {}, "gibt es nicht");
        row("gdbus Open of a web address", "gdbus",
            open + QStringList{"['https://example.org/']", "{}"}, 1, "Datei", {},
            "weder eine Datei");

        // Another documentation: shown from its start topic with a fresh history.
        row("a second start with a directory", "quarntamo", {"other"}, 0,
            "Verwendung_der_Dokumentation_2", "");
        row("gdbus Open of a file", "gdbus", open + QStringList{"['file://docs/tamo.txw']", "{}"},
            0, kStart, "");
    }
    void handOver()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, shown);
        QFETCH(QString, query);
        QFETCH(QString, message);
        ensureViewer();
        arguments.replaceInStrings(QRegularExpression("^other$"), m_dir.filePath("other"));
        arguments.replaceInStrings("file://docs", "file://" + m_dir.filePath("docs"));
        const ProgramRun run =
            runProgram(program == "quarntamo" ? QStringLiteral(QUARNTAMO_BINARY) : program,
                       arguments, m_dir.filePath("empty"), m_env);
        QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
        QCOMPARE(run.exitCode, exitCode);
        QTRY_COMPARE(shownTopic(), shown); // another documentation loads after the answer
        if (!query.isNull())
            QCOMPARE(viewerProperty("Query").toString(), query);
        // Still the one viewer, and a second start made no files where it ran.
        QCOMPARE(m_viewer->state(), QProcess::Running);
        QVERIFY(QDir(m_dir.filePath("empty")).isEmpty());
    }

    // A flood of requests while the viewer still loads: it keeps as many as it may and
    // refuses the rest with a message, so none is lost without a word; once loaded it shows
    // the kept ones in turn, and then takes requests again.
    void flood()
    {
        stopViewer();
        startViewer({});
        QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
        QTRY_VERIFY_WITH_TIMEOUT(bus->isServiceRegistered(kName), 20000);
        QList<QDBusPendingCall> calls;
        for (int i = 0; i < 300; ++i)
            calls << QDBusConnection::sessionBus().asyncCall(
                showTopicCall(i % 2 ? "Datei" : "Liste"), 20000);
        int refused = 0;
        for (QDBusPendingCall &call : calls) {
            call.waitForFinished();
            const QDBusMessage reply = call.reply();
            if (reply.type() == QDBusMessage::ErrorMessage) {
                QCOMPARE(reply.errorName(), QString("org.freedesktop.DBus.Error.LimitsExceeded"));
                QVERIFY(reply.errorMessage().contains("Anfragen"));
                ++refused;
            }
        }
        QVERIFY(refused > 0 && refused < calls.size());
        // Taken once there is room again, and shown after the kept ones.
        QTRY_VERIFY_WITH_TIMEOUT(QDBusConnection::sessionBus()
                                         .call(showTopicCall("Zugriff"), QDBus::Block, 20000)
                                         .type() == QDBusMessage::ReplyMessage,
                                 20000);
        QTRY_COMPARE_WITH_TIMEOUT(shownTopic(), QString("Zugriff"), 20000);
    }

    // A viewer that stops answering keeps its name: a second start goes on alone within the
    // wait and shows its request itself, and takes the name once the old viewer is gone.
    void viewerThatDoesNotAnswer()
    {
        ensureViewer();
        QVERIFY(::kill(pid_t(m_viewer->processId()), SIGSTOP) == 0);
        QProcess second;
        second.setProcessEnvironment(m_env);
        second.setWorkingDirectory(m_dir.filePath("docs"));
        second.start(QUARNTAMO_BINARY, {"--topic", "Zugriff"});
        QString errors;
        QTRY_VERIFY2_WITH_TIMEOUT((errors += QString::fromUtf8(second.readAllStandardError()))
                                      .contains("antwortet nicht"),
                                  qPrintable(errors), 10000);
        QCOMPARE(second.state(), QProcess::Running);
        m_viewer->kill(); // a stopped process ends on SIGKILL too
        m_viewer->waitForFinished();
        QTRY_COMPARE_WITH_TIMEOUT(shownTopic(), QString("Zugriff"), 20000);
        second.kill();
        second.waitForFinished();
        m_viewer.reset();
    }

    void cleanupTestCase() { stopViewer(); }

private:
    void startViewer(const QStringList &arguments, const QString &directory = "docs",
                     const QString &program = QUARNTAMO_BINARY)
    {
        m_viewer = std::make_unique<QProcess>();
        m_viewerErrors.clear();
        m_viewer->setProcessEnvironment(m_env);
        m_viewer->setWorkingDirectory(m_dir.filePath(directory));
        connect(m_viewer.get(), &QProcess::readyReadStandardError, this,
                [this] { m_viewerErrors += QString::fromUtf8(m_viewer->readAllStandardError()); });
        m_viewer->start(program, arguments);
    }
    // The viewer the hand-over tests share, started on the first use.
    void ensureViewer()
    {
        if (m_viewer)
            return;
        startViewer({});
        QTRY_COMPARE_WITH_TIMEOUT(shownTopic(), kStart, 20000);
    }
    void stopViewer()
    {
        if (!m_viewer)
            return;
        m_viewer->kill();
        m_viewer->waitForFinished();
        m_viewer.reset();
        // The bus frees the name once it sees the process gone.
        QTRY_VERIFY(!viewerProperty("ShownTopic").isValid());
    }

    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
    std::unique_ptr<QProcess> m_viewer;
    QString m_viewerErrors;
};

QTEST_GUILESS_MAIN(TestHandOver)
#include "tst_handover.moc"
