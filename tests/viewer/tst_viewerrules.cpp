#include "viewer/picturethrottle.h"
#include "viewer/textsize.h"

#include <QTest>

using namespace tamo;

class TestViewerRules : public QObject {
    Q_OBJECT
private slots:
    void throttle_data();
    void throttle();
    void textSize_data();
    void textSize();
};

void TestViewerRules::throttle_data()
{
    QTest::addColumn<double>("last");
    QTest::addColumn<double>("now");
    QTest::addColumn<bool>("deferred");
    QTest::newRow("exactly a second") << 100.0 << 101.0 << false;
    QTest::newRow("clock went back a little") << 100.0 << 99.5 << true;
    QTest::newRow("across midnight") << 86399.8 << 0.2 << false;
    // Single precision: 0.9999 s apart is a second late in the day, but not early.
    QTest::newRow("float, early") << 10.0 << 10.9999 << true;
    QTest::newRow("float, late") << 86399.0 << 86399.9999 << false;
}

void TestViewerRules::throttle()
{
    QFETCH(double, last);
    QFETCH(double, now);
    QFETCH(bool, deferred);
    QCOMPARE(pictureRequest(now, last), deferred ? PictureRequest::Defer : PictureRequest::Run);
    QCOMPARE(last, now);
}

void TestViewerRules::textSize_data()
{
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("enlarge");
    QTest::addColumn<double>("newSize");
    QTest::addColumn<bool>("newBold");
    QTest::newRow("+ from the start") << 9.75 << false << true << 11.0 << false;
    QTest::newRow("+ bold above 11") << 11.0 << false << true << 12.0 << true;
    QTest::newRow("+ at 24 still bolds") << 24.0 << false << true << 24.0 << true;
    QTest::newRow("+ 12.5 to 12") << 11.5 << false << true << 12.0 << true;
    QTest::newRow("- keeps bold from 12") << 13.0 << true << false << 12.0 << true;
    QTest::newRow("- keeps regular from 12") << 13.0 << false << false << 12.0 << false;
    QTest::newRow("- regular below 12") << 12.0 << true << false << 11.0 << false;
    QTest::newRow("- at 6") << 6.0 << true << false << 6.0 << false;
    QTest::newRow("- 11.5 to 12") << 12.5 << false << false << 12.0 << false;
}

void TestViewerRules::textSize()
{
    QFETCH(double, size);
    QFETCH(bool, bold);
    QFETCH(bool, enlarge);
    QFETCH(double, newSize);
    QFETCH(bool, newBold);
    const TextFont f = enlarge ? enlargeText({size, bold}) : shrinkText({size, bold});
    QCOMPARE(f.size, newSize);
    QCOMPARE(f.bold, newBold);
}

QTEST_GUILESS_MAIN(TestViewerRules)
#include "tst_viewerrules.moc"
