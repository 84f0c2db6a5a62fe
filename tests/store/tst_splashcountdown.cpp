#include "store/splashcountdown.h"

#include <QTest>

namespace {

// A splash window on a fake clock: showing the main window takes loadSeconds.
struct FakeSplash {
    double now = 0;
    double loadSeconds = 0;
    int shown = 0;
    int closed = 0;
    QString tag = QStringLiteral("3");

    SplashActions actions()
    {
        return {[this] { return now; },
                [this] {
                    ++shown;
                    now += loadSeconds;
                    if (now >= 86400)
                        now -= 86400;
                },
                [this] {
                    ++closed;
                }};
    }

    // Ticks until the splash closes; returns the number of ticks it took.
    int runUntilClosed()
    {
        int ticks = 0;
        while (closed == 0 && ticks < 10) {
            tag = runSplashTick(tag, actions());
            ++ticks;
        }
        return ticks;
    }
};

} // namespace

class TestSplashCountdown : public QObject {
    Q_OBJECT
private slots:
    void tick_data();
    void tick();
    void tooLong_data();
    void tooLong();
    void countdown_data();
    void countdown();
};

void TestSplashCountdown::tick_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("next");
    QTest::addColumn<bool>("show");
    QTest::addColumn<bool>("close");

    QTest::newRow("3") << "3"
                       << "2" << true << false;
    QTest::newRow("2") << "2"
                       << "1" << false << false;
    QTest::newRow("1") << "1"
                       << "0" << false << true;
    QTest::newRow("0") << "0"
                       << "-1" << false << false;
}

void TestSplashCountdown::tick()
{
    QFETCH(QString, tag);
    QFETCH(QString, next);
    QFETCH(bool, show);
    QFETCH(bool, close);

    const SplashStep step = splashTick(tag);
    QCOMPARE(step.tag, next);
    QCOMPARE(step.showMainWindow, show);
    QCOMPARE(step.closeSplash, close);
}

void TestSplashCountdown::tooLong_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("after");
    QTest::addColumn<bool>("tooLong");

    QTest::newRow("quick") << 100.0 << 100.3 << false;
    QTest::newRow("exactly two seconds") << 100.0 << 102.0 << false;
    QTest::newRow("slow") << 100.0 << 102.5 << true;
    QTest::newRow("across midnight") << 86399.5 << 1.5 << false;
    // Late in the day single precision rounds 2.003 s down to two seconds.
    QTest::newRow("float, late") << 86000.0 << 86002.003 << false;
    QTest::newRow("float, early") << 10.0 << 12.003 << true;
}

void TestSplashCountdown::tooLong()
{
    QFETCH(double, start);
    QFETCH(double, after);
    QFETCH(bool, tooLong);
    QCOMPARE(loadingTookTooLong(start, after), tooLong);
}

void TestSplashCountdown::countdown_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("load");
    QTest::addColumn<int>("ticks");

    // A quick load waits for two more ticks; a slow one closes on the tick that showed the
    // main window.
    QTest::newRow("quick load") << 36000.0 << 0.3 << 3;
    QTest::newRow("slow load") << 36000.0 << 2.5 << 1;
    QTest::newRow("load across midnight") << 86399.5 << 0.7 << 3;
    QTest::newRow("slow load across midnight") << 86399.5 << 2.5 << 3;
}

void TestSplashCountdown::countdown()
{
    QFETCH(double, start);
    QFETCH(double, load);
    QFETCH(int, ticks);

    FakeSplash splash;
    splash.now = start;
    splash.loadSeconds = load;
    QCOMPARE(splash.runUntilClosed(), ticks);
    QCOMPARE(splash.tag, QString("0"));
    QCOMPARE(splash.shown, 1);
    QCOMPARE(splash.closed, 1);
}

QTEST_GUILESS_MAIN(TestSplashCountdown)
#include "tst_splashcountdown.moc"
