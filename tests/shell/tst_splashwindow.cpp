#include "shell/mainwindow.h"
#include "shell/splashwindow.h"
#include "support/tempdoc.h"

#include <QDir>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <memory>

// The start-up with a fake clock and the countdown ticked by hand: which windows are shown at
// each tick, for a short and for a long loading.
class TestSplashWindow : public QObject {
    Q_OBJECT
private slots:
    void countdown_data()
    {
        QTest::addColumn<double>("loadingSeconds");
        QTest::addColumn<int>("ticksUntilClosed");
        QTest::newRow("short loading: two more ticks") << 0.0 << 3;
        QTest::newRow("long loading: closes at once") << 2.5 << 1;
    }
    void countdown()
    {
        QFETCH(double, loadingSeconds);
        QFETCH(int, ticksUntilClosed);
        QTemporaryDir dir;
        writeTempFile(dir, "tamo.txw", "###A\r\n###Verwendung_der_Dokumentation\r\n");
        const QString start = QDir::currentPath();
        QDir::setCurrent(dir.path());
        double now = 43200;
        std::unique_ptr<tamo::MainWindow> main;
        tamo::SplashWindow splash(
            [&] {
                main = std::make_unique<tamo::MainWindow>([&now] { return now; });
                now += loadingSeconds;
                return main.get();
            },
            [&now] { return now; });
        auto *timer = splash.findChild<QTimer *>("countdownTimer");
        timer->stop(); // the test ticks by hand
        splash.show();
        for (int tick = 1; tick <= ticksUntilClosed; ++tick) {
            QVERIFY(splash.isVisible());
            QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
            now += 1;
            // The main window loads and shows on the first tick; the last caption stays.
            QVERIFY(main && main->isVisible());
            QVERIFY(splash.findChild<QLabel *>("status")->text().endsWith(
                "\r\nVerwendung_der_Dokumentation"));
        }
        QVERIFY(!splash.isVisible()); // closing it does not end the program
        QVERIFY(!splash.testAttribute(Qt::WA_QuitOnClose));
        QDir::setCurrent(start);
    }
};

QTEST_MAIN(TestSplashWindow)
#include "tst_splashwindow.moc"
