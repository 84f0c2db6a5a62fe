#include "viewer/topicreader.h"
#include "windowfixture.h"

#include <QRegularExpression>

#include <sys/stat.h>

// The window on hostile files: pipes are refused at once, and a settings problem leaves no
// warning behind.
class TestHostileWindow : public QObject {
    Q_OBJECT
private slots:
    void hostileFile_data();
    void hostileFile();
};

namespace {

const QByteArray kStart = "###Verwendung_der_Dokumentation\r\nStart\r\n";

} // namespace

void TestHostileWindow::hostileFile_data()
{
    QTest::addColumn<QByteArray>("doc");      // "fifo": a named pipe
    QTest::addColumn<QByteArray>("settings"); // null: tamoini.txt names the documentation
    QTest::addColumn<QString>("message");     // a part of the message shown; empty: none
    QTest::addColumn<QString>("title");

    const QString notFound = QString::fromUtf16(tamo::kNotFoundTitle);
    const QString start = "Verwendung_der_Dokumentation";
    QTest::newRow("fifo document")
        << QByteArray("fifo") << QByteArray()
        << "keine gewöhnliche Datei, sondern eine benannte Pipe" << notFound;
    QTest::newRow("fifo picture on the start topic") << kStart + "%%%fifo.png\r\n"
                                                     << QByteArray() << QString() << start;
    QTest::newRow("settings name no directory")
        << kStart << QByteArray("fehlt\r\n") << "wurde nicht gefunden" << notFound;
}

void TestHostileWindow::hostileFile()
{
    QFETCH(QByteArray, doc);
    QFETCH(QByteArray, settings);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QTemporaryDir docs;
    const QString docPath = docs.filePath("tamo.txw");
    if (doc == "fifo")
        QVERIFY(mkfifo(QFile::encodeName(docPath).constData(), 0600) == 0);
    else
        writeTempFile(docs, "tamo.txw", doc);
    QVERIFY(mkfifo(QFile::encodeName(docs.filePath("fifo.png")).constData(), 0600) == 0);

    WindowFixture f({}, settings.isNull() ? docs.path().toUtf8() + "\r\n" : settings, false);
    QCOMPARE(f.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(f.messages.first().contains(message), qPrintable(f.messages.first()));
    QCOMPARE(f.title(), title);
    QVERIFY(f.control("picture")->isHidden());

    // Whatever the window then does, nothing is tried on a file that is not there (once every
    // click warned of an empty file name).
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    f.typeQuery("Verw");
    QTest::keyClick(f.control("queryBox"), Qt::Key_Return);
    f.later();
    f.window->requestTopic("Verwendung_der_Dokumentation");
    f.later();
    f.text()->setFocus();
    QTest::keyClick(f.text(), Qt::Key_Down);
    QCOMPARE(f.title(), title);
}

QTEST_MAIN(TestHostileWindow)
#include "tst_hostilewindow.moc"
