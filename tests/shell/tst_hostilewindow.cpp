#include "viewer/topicreader.h"
#include "windowfixture.h"

#include <QRegularExpression>

#include <sys/stat.h>

// The window on hostile files: pipes are refused at once, a huge topic is shown cut and stays
// usable, and a settings problem leaves no warning behind.
class TestHostileWindow : public QObject {
    Q_OBJECT
private slots:
    void hostileFile_data();
    void hostileFile();
    void largeTopicStaysUsable();
};

namespace {
const QByteArray kStart = "###Verwendung_der_Dokumentation\r\nStart\r\n";
} // namespace

void TestHostileWindow::hostileFile_data()
{
    QTest::addColumn<QByteArray>("doc");      // "fifo": a named pipe
    QTest::addColumn<QByteArray>("settings"); // null: tamoini.txt names the documentation
    QTest::addColumn<QString>("message");     // a part of the message shown; empty: none, and
                                              // the start topic is shown
    QTest::newRow("fifo document") << QByteArray("fifo") << QByteArray() << "benannte Pipe";
    QTest::newRow("fifo picture on the start topic") << kStart + "%%%fifo.png\r\n"
                                                     << QByteArray() << QString();
    QTest::newRow("settings name no directory")
        << kStart << QByteArray("fehlt\r\n") << "wurde nicht gefunden";
}

void TestHostileWindow::hostileFile()
{
    QFETCH(QByteArray, doc);
    QFETCH(QByteArray, settings);
    QFETCH(QString, message);
    const QString title = message.isEmpty() ? QStringLiteral("Verwendung_der_Dokumentation")
                                            : QString::fromUtf16(tamo::kNotFoundTitle);
    QTemporaryDir docs;
    const QString docPath = docs.filePath("tamo.txw");
    if (doc == "fifo")
        QVERIFY(mkfifo(QFile::encodeName(docPath).constData(), 0600) == 0);
    else
        writeTempFile(docs, "tamo.txw", doc);
    QVERIFY(mkfifo(QFile::encodeName(docs.filePath("fifo.png")).constData(), 0600) == 0);

    WindowFixture f({}, settings.isNull() ? docs.path().toUtf8() + "\r\n" : settings);
    QCOMPARE(f.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(f.messages.first().contains(message), qPrintable(f.messages.first()));
    QCOMPARE(f.title(), title);
    QVERIFY(f.control("picture")->isHidden());

    // Whatever the window then does, nothing is tried on a file that is not there (once every
    // click warned of an empty file name).
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    f.typeQuery("Verw", true);
    f.show("Verwendung_der_Dokumentation");
    f.later();
    f.press(f.text(), Qt::Key_Down);
    QCOMPARE(f.title(), title);
}

void TestHostileWindow::largeTopicStaysUsable()
{
    // A picture line, then one line longer than the limit, cut with a note: the editor gets
    // it in pieces, and the picture and find still work.
    const QByteArray line = QByteArray("Wort ").repeated(tamo::kTopicTextLimit / 5 + 1000);
    WindowFixture f(kStart + "###Gross\r\n%%%bild.png\r\n" + line + "\r\n");
    f.savePicture("bild.png", 200, 100);
    f.show("Gross");
    QVERIFY(f.control("picture")->isVisible());
    QVERIFY(f.text()->document()->blockCount() >
            tamo::kTopicTextLimit / tamo::TopicTextView::kLongestShownLine);

    // Positions count the text's characters across the pieces.
    const qsizetype at = 2 * tamo::TopicTextView::kLongestShownLine - 2;
    f.text()->selectRange(at, 7);
    QCOMPARE(f.text()->selectionStart(), at);
    QCOMPARE(f.text()->selectedTopicText(), f.text()->topicText().mid(at, 7));

    f.click("openFindButton");
    f.control<QLineEdit>("findText")->setText("Wort");
    f.click("findNextButton");
    QCOMPARE(f.text()->selectedTopicText(), QString("Wort"));
    QVERIFY(f.text()->selectionStart() > at);
}

QTEST_MAIN(TestHostileWindow)
#include "tst_hostilewindow.moc"
