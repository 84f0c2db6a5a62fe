#include "viewer/picturethrottle.h"
#include "viewer/textsize.h"

#include <QTest>

class TestViewerRules : public QObject {
    Q_OBJECT
private slots:
    void throttle_data();
    void throttle();
    void secondsOfDay();
    void enlargeSteps();
    void shrinkSteps();
    void halvesToEven_data();
    void halvesToEven();
};

void TestViewerRules::throttle_data()
{
    QTest::addColumn<double>("last");
    QTest::addColumn<double>("now");
    QTest::addColumn<bool>("deferred");

    QTest::newRow("within a second") << 100.0 << 100.4 << true;
    QTest::newRow("same moment") << 100.0 << 100.0 << true;
    QTest::newRow("exactly a second") << 100.0 << 101.0 << false;
    QTest::newRow("more than a second") << 100.0 << 102.5 << false;
    QTest::newRow("clock went back a little") << 100.0 << 99.5 << true;
    QTest::newRow("across midnight") << 86399.8 << 0.2 << false;
    QTest::newRow("first request after start") << 0.0 << 30000.0 << false;
    // Single precision: late in the day 0.9999 s apart already counts as a second, while
    // early in the day it does not.
    QTest::newRow("float, late") << 86399.0 << 86399.9999 << false;
    QTest::newRow("float, early") << 10.0 << 10.9999 << true;
}

void TestViewerRules::throttle()
{
    QFETCH(double, last);
    QFETCH(double, now);
    QFETCH(bool, deferred);

    double lastRequestTime = last;
    const PictureRequest request = pictureRequest(now, lastRequestTime);
    QCOMPARE(request, deferred ? PictureRequest::Defer : PictureRequest::Run);
    QCOMPARE(lastRequestTime, now);
}

void TestViewerRules::secondsOfDay()
{
    QCOMPARE(secondsSinceMidnight(QTime(1, 2, 3, 500)), 3723.5);
    QCOMPARE(secondsSinceMidnight(QTime(23, 59, 59, 999)), 86399.999);
}

void TestViewerRules::enlargeSteps()
{
    TextFont f = initialTextFont;
    f = enlargeText(f);
    QCOMPARE(f.size, 11.0);
    QVERIFY(!f.bold);
    for (int expected = 12; expected <= 24; ++expected) {
        f = enlargeText(f);
        QCOMPARE(f.size, double(expected));
        QVERIFY(f.bold);
    }
    f = enlargeText(f);
    QCOMPARE(f.size, 24.0);
    QVERIFY(f.bold);
    // At the limit "+" still makes the text bold.
    f = enlargeText({24, false});
    QCOMPARE(f.size, 24.0);
    QVERIFY(f.bold);

    for (int expected = 23; expected >= 6; --expected) {
        f = shrinkText(f);
        QCOMPARE(f.size, double(expected));
        QCOMPARE(f.bold, expected >= 12);
    }
}

void TestViewerRules::shrinkSteps()
{
    TextFont f = initialTextFont;
    for (int expected : {9, 8, 7, 6, 6, 6}) {
        f = shrinkText(f);
        QCOMPARE(f.size, double(expected));
        QVERIFY(!f.bold);
    }
    // "-" leaves bold alone from 12 on and turns it off below.
    QVERIFY(shrinkText({13, true}).bold);
    QVERIFY(!shrinkText({13, false}).bold);
    QVERIFY(!shrinkText({6, true}).bold);
    QCOMPARE(shrinkText({5, false}).size, 5.0);
}

void TestViewerRules::halvesToEven_data()
{
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("enlarge");
    QTest::addColumn<double>("result");
    QTest::addColumn<bool>("bold");

    QTest::newRow("10.5 +") << 10.5 << true << 12.0 << true;   // 11.5 -> 12
    QTest::newRow("11.5 +") << 11.5 << true << 12.0 << true;   // 12.5 -> 12
    QTest::newRow("12.5 +") << 12.5 << true << 14.0 << true;   // 13.5 -> 14    // 10.5 -> 10
    QTest::newRow("13.5 -") << 13.5 << false << 12.0 << false; // 12.5 -> 12, bold kept off
    QTest::newRow("12.5 -") << 12.5 << false << 12.0 << false; // 11.5 -> 12
    QTest::newRow("6.5 -") << 6.5 << false << 6.0 << false;    // 5.5 -> 6    // 6.5 -> 6
    QTest::newRow("23.5 +") << 23.5 << true << 24.0 << true;   // 24.5 -> 24
}

void TestViewerRules::halvesToEven()
{
    QFETCH(double, size);
    QFETCH(bool, enlarge);
    QFETCH(double, result);
    QFETCH(bool, bold);

    const TextFont f = enlarge ? enlargeText({size, false}) : shrinkText({size, false});
    QCOMPARE(f.size, result);
    QCOMPARE(f.bold, bold);
}

QTEST_GUILESS_MAIN(TestViewerRules)
#include "tst_viewerrules.moc"
