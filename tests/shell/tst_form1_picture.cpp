#include "formfixture.h"

#include <QImage>
#include <QTest>

namespace {
const QByteArray kDoc = "###Verwendung_der_Dokumentation\r\nText\r\n"
                        "###Bild\r\nAB\r\n%%%bild.png\r\nCD\r\n"
                        "###Fehlt\r\n%%%fehlt.png\r\nText\r\n"
                        "###Riesig\r\n%%%riesig.png\r\nText\r\n";
}

class TestForm1Picture : public QObject {
    Q_OBJECT
private slots:
    void pictureBesideText();
    void missingOrHugePictureKeepsFullWidth();
    void throttleDefersToTimer2();
    void textSize();
};

void TestForm1Picture::pictureBesideText()
{
    FormFixture f(kDoc);
    Form1 &w = *f.form;
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(f.dir.filePath("bild.png")));

    f.later();
    w.RequestTopic("Bild");
    QCOMPARE(w.Text1->text(), QString("AB\r\nCD\r\n"));
    QVERIFY(w.Picture1->isHidden()); // the caret stands before A: no picture line before it
    QCOMPARE(w.Text1->width(), 795);

    f.later();
    w.Text1->setSelection(5, 0);
    w.Text1_MouseUp();
    QVERIFY(!w.Picture1->isHidden());
    QCOMPARE(w.Text1->width(), 379);
    QCOMPARE(w.Picture1->target(), QRectF(0, 103.25, 413, 206.5));
    QCOMPARE(w.Picture1->contentsRect().size(), QSize(413, 413));

    // The next topic display hides the picture and restores the width.
    f.later();
    w.RequestTopic("Verwendung_der_Dokumentation");
    QVERIFY(w.Picture1->isHidden());
    QCOMPARE(w.Text1->width(), 795);
}

void TestForm1Picture::missingOrHugePictureKeepsFullWidth()
{
    FormFixture f(kDoc);
    Form1 &w = *f.form;
    f.later();
    w.RequestTopic("Fehlt"); // a first-line picture is chosen wherever the caret is
    QVERIFY(w.Picture1->isHidden());
    QCOMPARE(w.Text1->width(), 795);

    // A small file that declares a huge picture is refused, never allocated.
    QByteArray bomb("P4\n100000 100000\n");
    bomb += QByteArray(64, '\0');
    writeTempFile(f.dir, "riesig.png", bomb);
    f.later();
    w.RequestTopic("Riesig");
    QVERIFY(w.Picture1->isHidden());
    QCOMPARE(w.Text1->width(), 795);
}

void TestForm1Picture::throttleDefersToTimer2()
{
    FormFixture f(kDoc);
    Form1 &w = *f.form;
    QImage picture(100, 200, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    picture.save(f.dir.filePath("bild.png"));

    // The start-up's own last update came right after the first display: it was deferred.
    QVERIFY(w.Timer2->isActive());
    f.later();
    w.Timer2_Timer();
    QVERIFY(!w.Timer2->isActive());
    f.later();
    w.RequestTopic("Bild"); // carried out: caret before A, no picture
    QVERIFY(!w.Timer2->isActive());
    f.now += 0.5;
    w.Text1->setSelection(6, 0);
    w.Text1_KeyUp(0, 0); // too soon: deferred
    QVERIFY(w.Timer2->isActive());
    QVERIFY(w.Picture1->isHidden());
    f.now += 1.2;
    w.Timer2_Timer(); // the deferred run
    QVERIFY(!w.Timer2->isActive());
    QVERIFY(!w.Picture1->isHidden());
    QCOMPARE(w.Picture1->target(), QRectF(103.25, 0, 206.5, 413));

    // A tick that itself comes too soon is dropped.
    f.now += 0.3;
    w.Text1_KeyUp(0, 0);
    QVERIFY(w.Timer2->isActive());
    f.now += 0.2;
    w.Timer2_Timer();
    QVERIFY(!w.Timer2->isActive());
}

void TestForm1Picture::textSize()
{
    FormFixture f(kDoc);
    Form1 &w = *f.form;
    w.Command3_Click();
    QCOMPARE(w.Text1->font().pointSizeF(), 11.0);
    QVERIFY(!w.Text1->font().bold());
    w.Command3_Click();
    QCOMPARE(w.Text1->font().pointSizeF(), 12.0);
    QVERIFY(w.Text1->font().bold());
    for (int i = 0; i < 20; ++i)
        w.Command3_Click();
    QCOMPARE(w.Text1->font().pointSizeF(), 24.0);
    for (int i = 0; i < 13; ++i)
        w.Command4_Click();
    QCOMPARE(w.Text1->font().pointSizeF(), 11.0);
    QVERIFY(!w.Text1->font().bold());
    w.RequestTopic("Bild"); // the size holds for later topics
    QCOMPARE(w.Text1->font().pointSizeF(), 11.0);
    QVERIFY(w.Command3->isEnabled() && w.Command4->isEnabled());
}

QTEST_MAIN(TestForm1Picture)
#include "tst_form1_picture.moc"
