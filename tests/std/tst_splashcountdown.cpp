#include "std/splashcountdown.h"

#include <QTest>

// The ticks themselves are driven through the splash window's timer in its own test.
class TestSplashCountdown : public QObject {
    Q_OBJECT
private slots:
    void tooLong_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("after");
        QTest::addColumn<bool>("tooLong");
        QTest::newRow("exactly two seconds") << 100.0 << 102.0 << false;
        QTest::newRow("across midnight") << 86399.5 << 1.5 << false;
        // Single precision rounds 2.003 s down to two seconds late in the day only.
        QTest::newRow("float, early") << 10.0 << 12.003 << true;
        QTest::newRow("float, late") << 86000.0 << 86002.003 << false;
    }
    void tooLong()
    {
        QFETCH(double, start);
        QFETCH(double, after);
        QFETCH(bool, tooLong);
        QCOMPARE(tamo::loadingTookTooLong(start, after), tooLong);
    }
};

QTEST_GUILESS_MAIN(TestSplashCountdown)
#include "tst_splashcountdown.moc"
