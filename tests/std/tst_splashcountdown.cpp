#include "std/splashcountdown.h"

#include <QTest>

using namespace tamo;

class TestSplashCountdown : public QObject {
    Q_OBJECT
private slots:
    void tick_data();
    void tick();
    void tooLong_data();
    void tooLong();
};

void TestSplashCountdown::tick_data()
{
    QTest::addColumn<int>("countdown");
    QTest::addColumn<bool>("show");
    QTest::addColumn<bool>("close");
    QTest::newRow("3: show") << 3 << true << false;
    QTest::newRow("2: wait") << 2 << false << false;
    QTest::newRow("1: close") << 1 << false << true;
    QTest::newRow("0: past the end") << 0 << false << false;
}

void TestSplashCountdown::tick()
{
    QFETCH(int, countdown);
    QFETCH(bool, show);
    QFETCH(bool, close);
    const SplashStep step = splashTick(countdown);
    QCOMPARE(step.countdown, countdown - 1);
    QCOMPARE(step.showMainWindow, show);
    QCOMPARE(step.closeSplash, close);
}

void TestSplashCountdown::tooLong_data()
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

void TestSplashCountdown::tooLong()
{
    QFETCH(double, start);
    QFETCH(double, after);
    QFETCH(bool, tooLong);
    QCOMPARE(loadingTookTooLong(start, after), tooLong);
}

QTEST_GUILESS_MAIN(TestSplashCountdown)
#include "tst_splashcountdown.moc"
