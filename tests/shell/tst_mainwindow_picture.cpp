#include "shell/layout.h"
#include "windowfixture.h"

#include <QDateTime>
#include <QTimer>

namespace {
const QRectF kTall(103.25, 0, 206.5, 413);
const QRectF kWide(0, 103.25, 413, 206.5);
} // namespace

class TestMainWindowPicture : public QObject {
    Q_OBJECT
private slots:
    void pictureFollowsTheCaret();
};

void TestMainWindowPicture::pictureFollowsTheCaret()
{
    WindowFixture f("###Verwendung_der_Dokumentation\r\nText\r\n"
                    "###Riesig\r\n%%%riesig.png\r\nText\r\n"
                    "###Zwei\r\nA\r\n%%%hoch.png\r\nB\r\n%%%quer.png\r\n"
                    "###Bmp\r\n%%%bild.bmp\r\nText\r\n");
    f.savePicture("hoch.png", 100, 200);
    f.savePicture("quer.png", 200, 100);
    auto *delay = f.control<QTimer>("pictureDelay");
    auto *picture = f.control<tamo::PictureView>("picture");

    // The start-up's own last update came right after the first display: it was deferred.
    QVERIFY(delay->isActive());
    f.later();
    QVERIFY(QMetaObject::invokeMethod(delay, "timeout")); // as the timer would
    QVERIFY(!delay->isActive());
    f.show("Zwei"); // carried out at once: the picture of the first line, beside the text
    QVERIFY(!delay->isActive());
    QCOMPARE(picture->target(), kTall);
    QCOMPARE(picture->contentsRect().size(), QSize(413, 413));
    QCOMPARE(f.text()->width(), tamo::layout::kTextBesidePicture);

    // Too soon: deferred to the tick. The caret can stand behind the final line break.
    f.now += 0.5;
    f.press(f.text(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(f.text()->selectionStart(), 6);
    QVERIFY(delay->isActive());
    QCOMPARE(picture->target(), kTall);
    f.now += 1.2;
    QVERIFY(QMetaObject::invokeMethod(delay, "timeout"));
    QVERIFY(!delay->isActive());
    QCOMPARE(picture->target(), kWide);

    // A tick that itself comes too soon is dropped.
    f.now += 0.3;
    QTest::mouseClick(f.text()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(delay->isActive());
    f.now += 0.2;
    QVERIFY(QMetaObject::invokeMethod(delay, "timeout"));
    QVERIFY(!delay->isActive());
    QCOMPARE(picture->target(), kWide);

    // A click below the text puts the caret behind the final line break too.
    f.later();
    QTest::mouseClick(f.text()->viewport(), Qt::LeftButton, {},
                      QPoint(5, f.text()->viewport()->height() - 5));
    QCOMPARE(f.text()->selectionStart(), 6);

    // The next topic display hides the picture and restores the width; so does a small file
    // that declares a huge picture, which is refused, never allocated.
    writeTempFile(f.dir, "riesig.png", QByteArray("P4\n100000 100000\n") + QByteArray(64, '\0'));
    for (const char *topic : {"Verwendung_der_Dokumentation", "Zwei", "Riesig"}) {
        f.show(topic);
        QCOMPARE(picture->isHidden(), qstrcmp(topic, "Zwei") != 0);
        QCOMPARE(f.text()->width(), picture->isHidden() ? tamo::layout::kTextFullWidth
                                                        : tamo::layout::kTextBesidePicture);
    }

    // A decoded picture is kept while the file stays the same as far as the window can tell:
    // two pictures of the same file size, told apart only by the time of the last change.
    const QString bmp = f.dir.filePath("bild.bmp");
    f.savePicture("bild.bmp", 200, 100);
    f.show("Bmp");
    QCOMPARE(picture->target(), kWide);
    for (const qint64 secondsLater : {0, 10}) {
        const QDateTime changed = QFileInfo(bmp).lastModified();
        f.savePicture("bild.bmp", 100, 200);
        QFile file(bmp);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(changed.addSecs(secondsLater), QFile::FileModificationTime));
        f.later();
        f.press(f.text(), Qt::Key_Down);
        QCOMPARE(picture->target(), secondsLater == 0 ? kWide : kTall);
    }
}

QTEST_MAIN(TestMainWindowPicture)
#include "tst_mainwindow_picture.moc"
