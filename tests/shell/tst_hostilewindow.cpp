#include "viewer/topicreader.h"
#include "windowfixture.h"

#include <QDateTime>
#include <QImage>
#include <QRegularExpression>

#include <sys/stat.h>

// The window on hostile files: pipes are refused at once, a huge topic is shown cut and stays
// usable, a decoded picture is kept while it stays chosen, and a settings problem leaves no
// warning behind.
class TestHostileWindow : public QObject {
    Q_OBJECT
private slots:
    void hostileFile_data();
    void hostileFile();
    void largeTopicStaysUsable();
    void pictureKeptWhileTheFileStaysTheSame();
};

namespace {

const QByteArray kStart = "###Verwendung_der_Dokumentation\r\nStart\r\n";

void savePicture(const QString &path, int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(path));
}

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

void TestHostileWindow::largeTopicStaysUsable()
{
    // One line longer than the topic limit: the editor gets it in pieces, positions still
    // count the text's characters, and find works across the pieces.
    WindowFixture f(kStart + "###Gross\r\n" +
                    QByteArray("Wort ").repeated(tamo::kTopicTextLimit / 5 + 1000) + "\r\n");
    f.window->requestTopic("Gross");
    QVERIFY(f.text()->topicText().endsWith(tamo::cutTopicNote(tamo::kTopicTextLimit)));
    QVERIFY(f.text()->document()->blockCount() >
            tamo::kTopicTextLimit / tamo::TopicTextView::kLongestShownLine);
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

void TestHostileWindow::pictureKeptWhileTheFileStaysTheSame()
{
    // Two pictures of the same file size: only the time of the last change tells them apart.
    WindowFixture f(kStart + "###Bild\r\n%%%bild.bmp\r\nText\r\n");
    const QString path = f.dir.filePath("bild.bmp");
    savePicture(path, 200, 100);
    const QRectF wide(0, 103.25, 413, 206.5);
    const QRectF tall(103.25, 0, 206.5, 413);
    auto *picture = f.control<tamo::PictureView>("picture");
    f.later();
    f.window->requestTopic("Bild");
    QCOMPARE(picture->target(), wide);

    auto rewrite = [&path](int width, int height, qint64 secondsLater) {
        const QDateTime changed = QFileInfo(path).lastModified();
        savePicture(path, width, height);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(changed.addSecs(secondsLater), QFile::FileModificationTime));
    };
    f.text()->setFocus();
    rewrite(100, 200, 0);
    f.later();
    QTest::keyClick(f.text(), Qt::Key_Down);
    QCOMPARE(picture->target(), wide); // the same file as far as the window can tell: kept

    rewrite(100, 200, 10);
    f.later();
    QTest::keyClick(f.text(), Qt::Key_Down);
    QCOMPARE(picture->target(), tall);
}

QTEST_MAIN(TestHostileWindow)
#include "tst_hostilewindow.moc"
