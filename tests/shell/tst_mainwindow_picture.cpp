#include "windowfixture.h"

#include <QImage>
#include <QTimer>

namespace {
const QByteArray kDoc = "###Verwendung_der_Dokumentation\r\nText\r\n"
                        "###Bild\r\nAB\r\n%%%bild.png\r\nCD\r\n"
                        "###Fehlt\r\n%%%fehlt.png\r\nText\r\n"
                        "###Riesig\r\n%%%riesig.png\r\nText\r\n"
                        "###Zwei\r\nA\r\n%%%hoch.png\r\nB\r\n%%%quer.png\r\n";

void savePicture(const WindowFixture &f, int width, int height, const char *name = "bild.png")
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(f.dir.filePath(name)));
}

// The deferred update fires as its timer would.
void fire(QTimer *timer)
{
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
}

} // namespace

class TestMainWindowPicture : public QObject {
    Q_OBJECT
private slots:
    void pictureFollowsTheCaret();
    void missingOrHugePictureKeepsFullWidth();
    void throttleDefersToTimer();
    void textSize();
};

void TestMainWindowPicture::pictureFollowsTheCaret()
{
    WindowFixture f(kDoc);
    savePicture(f, 100, 200, "hoch.png");
    savePicture(f, 200, 100, "quer.png");
    auto *picture = f.control<tamo::PictureView>("picture");
    const QRectF tall(103.25, 0, 206.5, 413);
    const QRectF wide(0, 103.25, 413, 206.5);
    f.later();
    f.window->requestTopic("Zwei");
    // The text holds its final line break, and the caret can stand behind it.
    QCOMPARE(f.text()->topicText(), QString("A\r\nB\r\n"));

    // The caret, moved by key or mouse, chooses the picture beside the narrowed text.
    f.later();
    f.text()->setFocus();
    QTest::keyClick(f.text(), Qt::Key_Down);
    QVERIFY(picture->isVisible());
    QCOMPARE(f.text()->width(), 379);
    QCOMPARE(picture->target(), tall);
    QCOMPARE(picture->contentsRect().size(), QSize(413, 413));
    f.later();
    QTest::keyClick(f.text(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(f.text()->selectionStart(), 6);
    QCOMPARE(picture->target(), wide);
    f.later();
    QTest::keyClick(f.text(), Qt::Key_Up);
    QCOMPARE(picture->target(), tall);
    // A click below the text puts the caret at its end too.
    f.later();
    QTest::mouseClick(f.text()->viewport(), Qt::LeftButton, {},
                      QPoint(5, f.text()->viewport()->height() - 5));
    QCOMPARE(f.text()->selectionStart(), 6);
    QCOMPARE(picture->target(), wide);

    // The next topic display hides the picture and restores the width.
    f.later();
    f.window->requestTopic("Verwendung_der_Dokumentation");
    QVERIFY(picture->isHidden());
    QCOMPARE(f.text()->width(), 795);
}

void TestMainWindowPicture::missingOrHugePictureKeepsFullWidth()
{
    WindowFixture f(kDoc);
    f.later();
    f.window->requestTopic("Fehlt"); // a first-line picture is chosen wherever the caret is
    QVERIFY(f.control("picture")->isHidden());
    QCOMPARE(f.text()->width(), 795);

    // A small file that declares a huge picture is refused, never allocated.
    QByteArray bomb("P4\n100000 100000\n");
    bomb += QByteArray(64, '\0');
    writeTempFile(f.dir, "riesig.png", bomb);
    f.later();
    f.window->requestTopic("Riesig");
    QVERIFY(f.control("picture")->isHidden());
    QCOMPARE(f.text()->width(), 795);
}

void TestMainWindowPicture::throttleDefersToTimer()
{
    WindowFixture f(kDoc);
    savePicture(f, 100, 200);
    auto *delay = f.control<QTimer>("pictureDelay");
    auto *picture = f.control<tamo::PictureView>("picture");

    // The start-up's own last update came right after the first display: it was deferred.
    QVERIFY(delay->isActive());
    f.later();
    fire(delay);
    QVERIFY(!delay->isActive());
    f.later();
    f.window->requestTopic("Bild"); // carried out: caret before A, no picture
    QVERIFY(!delay->isActive());

    f.now += 0.5;
    f.text()->setFocus();
    QTest::keyClick(f.text(), Qt::Key_Down); // too soon: deferred
    QVERIFY(delay->isActive());
    QVERIFY(picture->isHidden());
    f.now += 1.2;
    fire(delay);
    QVERIFY(!delay->isActive());
    QVERIFY(picture->isVisible());
    QCOMPARE(picture->target(), QRectF(103.25, 0, 206.5, 413));

    // A tick that itself comes too soon is dropped.
    f.now += 0.3;
    QTest::mouseClick(f.text()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(delay->isActive());
    f.now += 0.2;
    fire(delay);
    QVERIFY(!delay->isActive());
}

void TestMainWindowPicture::textSize()
{
    // The buttons apply the text size rule to the topic text, for later topics too.
    WindowFixture f(kDoc);
    f.click("largerTextButton");
    f.click("largerTextButton");
    QCOMPARE(f.text()->font().pointSizeF(), 12.0);
    QVERIFY(f.text()->font().bold());
    f.click("smallerTextButton");
    f.window->requestTopic("Bild");
    QCOMPARE(f.text()->font().pointSizeF(), 11.0);
    QVERIFY(!f.text()->font().bold());
}

QTEST_MAIN(TestMainWindowPicture)
#include "tst_mainwindow_picture.moc"
