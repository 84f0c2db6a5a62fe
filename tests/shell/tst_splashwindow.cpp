#include "shell/mainwindow.h"
#include "shell/splashwindow.h"
#include "support/tempdoc.h"

#include <QDir>
#include <QLabel>
#include <QTest>
#include <QTimer>

// The start-up with a fake clock and the countdown ticked by hand: which windows are shown at
// each tick.
class TestSplashWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void shortLoadingWaitsTwoTicks();
    void longLoadingClosesAtOnce();

private:
    void tick(tamo::SplashWindow &splash)
    {
        QVERIFY(QMetaObject::invokeMethod(splash.findChild<QTimer *>("countdownTimer"), "timeout"));
    }
    QString status(const tamo::SplashWindow &splash)
    {
        return splash.findChild<QLabel *>("status")->text();
    }

    QTemporaryDir *m_dir = nullptr;
    QString m_start;
    double m_now = 0;
};

void TestSplashWindow::init()
{
    m_start = QDir::currentPath();
    m_dir = new QTemporaryDir;
    QByteArray doc;
    for (int i = 0; i < 50; ++i)
        doc += "###Thema" + QByteArray::number(i) + "\r\nText\r\n";
    doc += "###Verwendung_der_Dokumentation\r\nHilfe\r\n";
    writeTempFile(*m_dir, "tamo.txw", doc);
    QDir::setCurrent(m_dir->path());
    m_now = 43200;
}

void TestSplashWindow::cleanup()
{
    QDir::setCurrent(m_start);
    delete m_dir;
}

void TestSplashWindow::shortLoadingWaitsTwoTicks()
{
    tamo::MainWindow *main = nullptr;
    tamo::SplashWindow splash(
        [&] {
            main = new tamo::MainWindow([this] { return m_now; });
            return main;
        },
        [this] { return m_now; });
    splash.findChild<QTimer *>("countdownTimer")->stop(); // the test ticks by hand
    splash.show();
    QCOMPARE(status(splash), QString("QuarnTamo wird initialisiert..."));

    tick(splash); // the main window loads and shows
    QVERIFY(main && main->isVisible());
    QVERIFY(splash.isVisible());
    QCOMPARE(main->findChild<QLabel *>("topicTitle")->text(),
             QString("Verwendung_der_Dokumentation"));
    // The last caption stays: the last heading and its percentage.
    QCOMPARE(status(splash),
             QString("Quarn-Tamo wird geladen... (99.2%)\r\nVerwendung_der_Dokumentation"));
    m_now += 1;
    tick(splash); // nothing
    QVERIFY(splash.isVisible());
    m_now += 1;
    tick(splash); // the splash closes; closing it does not end the program
    QVERIFY(!splash.isVisible());
    QVERIFY(main->isVisible());
    QVERIFY(!splash.testAttribute(Qt::WA_QuitOnClose));
    delete main;
}

void TestSplashWindow::longLoadingClosesAtOnce()
{
    tamo::MainWindow *main = nullptr;
    tamo::SplashWindow splash(
        [&] {
            main = new tamo::MainWindow([this] { return m_now; });
            m_now += 2.5; // loading takes 2.5 s
            return main;
        },
        [this] { return m_now; });
    splash.findChild<QTimer *>("countdownTimer")->stop();
    splash.show();
    tick(splash);
    QVERIFY(!splash.isVisible());
    QVERIFY(main->isVisible());
    delete main;
}

QTEST_MAIN(TestSplashWindow)
#include "tst_splashwindow.moc"
