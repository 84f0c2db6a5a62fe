#include "viewer/picturechoice.h"

#include <QTest>

using namespace tamo;

class TestPictureChoice : public QObject {
    Q_OBJECT
private slots:
    void choice_data()
    {
        QTest::addColumn<QString>("fullText");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("picture"); // null: none chosen

        const QString one = QStringLiteral("AB\r\n%%%x.bmp\r\nCD\r\n"); // shown: "AB\r\nCD\r\n"
        QTest::newRow("one, caret 0") << one << 0 << QString();
        QTest::newRow("one, caret 1") << one << 1 << "x.bmp";
        // Shown "A\r\nB\r\nC\r\n": carets 0 to 4 belong to p1, from 5 on to p2.
        const QString two = QStringLiteral("A\r\n%%%p1\r\nB\r\n%%%p2\r\nC\r\n");
        QTest::newRow("two, caret 0") << two << 0 << "p1";
        QTest::newRow("two, caret 4") << two << 4 << "p1";
        QTest::newRow("two, caret 5") << two << 5 << "p2";
        // A picture on the first line starts the count afresh; the last name has no line end.
        const QString first = QStringLiteral("%%%p1\r\nAB\r\n%%%p2");
        QTest::newRow("first line, caret 0") << first << 0 << "p1";
        QTest::newRow("first line, caret 2") << first << 2 << "p1";
        QTest::newRow("first line, caret 3") << first << 3 << "p2";
        QTest::newRow("blank after marker") << "A\r\n%%% a.bmp\r\n" << 3 << " a.bmp";
        QTest::newRow("marker only") << "A\r\n%%%\r\nB\r\n" << 3 << QStringLiteral("");
        QTest::newRow("marker inside a line") << "A %%%x.bmp\r\n" << 5 << QString();
    }
    void choice()
    {
        QFETCH(QString, fullText);
        QFETCH(int, caret);
        QFETCH(QString, picture);
        const QString chosen = pictureForCaret(fullText, caret);
        QCOMPARE(chosen.isNull(), picture.isNull());
        QCOMPARE(chosen, picture);
    }

    void fit_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<FitRect>("rect");
        QTest::newRow("wide") << 200 << 100 << FitRect{0, 103.25, 413, 206.5};
        QTest::newRow("tall") << 100 << 200 << FitRect{103.25, 0, 206.5, 413};
        QTest::newRow("square") << 50 << 50 << FitRect{0, 0, 413, 413};
        QTest::newRow("no width") << 0 << 100 << FitRect{0, 0, 0, 0};
        QTest::newRow("no height") << 100 << -1 << FitRect{0, 0, 0, 0};
    }
    void fit()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(FitRect, rect);
        const FitRect r = fitPicture(width, height);
        QCOMPARE(QList<double>({r.x, r.y, r.width, r.height}),
                 QList<double>({rect.x, rect.y, rect.width, rect.height}));
    }
};

QTEST_GUILESS_MAIN(TestPictureChoice)
#include "tst_picturechoice.moc"
