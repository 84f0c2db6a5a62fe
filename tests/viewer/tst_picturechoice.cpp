#include "viewer/picturechoice.h"

#include <QTest>

class TestPictureChoice : public QObject {
    Q_OBJECT
private slots:
    void choice_data();
    void choice();
    void fit_data();
    void fit();
};

void TestPictureChoice::choice_data()
{
    QTest::addColumn<QString>("fullText");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("picture"); // "<none>" for a null result

    const QString one = QStringLiteral("AB\r\n%%%x.bmp\r\nCD\r\n"); // shown: "AB\r\nCD\r\n"
    QTest::newRow("one picture, caret 0") << one << 0 << "<none>";
    for (int caret = 1; caret <= 8; ++caret)
        QTest::addRow("one picture, caret %d", caret) << one << caret << "x.bmp";

    // Shown text "A\r\nB\r\nC\r\n": the lines of A and B (carets 0 to 4) belong to p1, the C
    // line (6 to 9) to p2. Caret 5 would stand between CR and LF, which a caret never does;
    // the count already gives p2 there.
    const QString two = QStringLiteral("A\r\n%%%p1\r\nB\r\n%%%p2\r\nC\r\n");
    for (int caret = 0; caret <= 4; ++caret)
        QTest::addRow("two pictures, caret %d", caret) << two << caret << "p1";
    for (int caret = 5; caret <= 9; ++caret)
        QTest::addRow("two pictures, caret %d", caret) << two << caret << "p2";

    const QString first = QStringLiteral("%%%pic.bmp\r\nText\r\n");
    QTest::newRow("first line, caret 0") << first << 0 << "pic.bmp";
    QTest::newRow("first line, caret 6") << first << 6 << "pic.bmp";
    QTest::newRow("first line, no line end") << "%%%pic.bmp" << 0 << "pic.bmp";
    QTest::newRow("after an empty first line") << "\r\n%%%p.bmp\r\nX\r\n" << 0 << "p.bmp";
    QTest::newRow("blank after marker") << "A\r\n%%% a.bmp\r\n" << 3 << " a.bmp";
    QTest::newRow("marker only, no name") << "A\r\n%%%\r\nB\r\n" << 3 << "";
    QTest::newRow("marker inside a line") << "A %%%x.bmp\r\n" << 5 << "<none>";
    QTest::newRow("no picture") << "A\r\nB\r\n" << 3 << "<none>";
    QTest::newRow("empty text") << "" << 0 << "<none>";
}

void TestPictureChoice::choice()
{
    QFETCH(QString, fullText);
    QFETCH(int, caret);
    QFETCH(QString, picture);

    const QString chosen = pictureForCaret(fullText, caret);
    if (picture == u"<none>") {
        QVERIFY(chosen.isNull());
    } else {
        QVERIFY(!chosen.isNull());
        QCOMPARE(chosen, picture);
    }
}

void TestPictureChoice::fit_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("h");

    QTest::newRow("wide") << 200 << 100 << 0.0 << 103.25 << 413.0 << 206.5;
    QTest::newRow("tall") << 100 << 200 << 103.25 << 0.0 << 206.5 << 413.0;
    QTest::newRow("square") << 50 << 50 << 0.0 << 0.0 << 413.0 << 413.0;
    QTest::newRow("no width") << 0 << 100 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("no height") << 100 << -1 << 0.0 << 0.0 << 0.0 << 0.0;
}

void TestPictureChoice::fit()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, w);
    QFETCH(double, h);

    const FitRect r = fitPicture(width, height);
    QCOMPARE(r.x, x);
    QCOMPARE(r.y, y);
    QCOMPARE(r.width, w);
    QCOMPARE(r.height, h);
}

QTEST_GUILESS_MAIN(TestPictureChoice)
#include "tst_picturechoice.moc"
