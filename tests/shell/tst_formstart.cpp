#include "shell/form1.h"
#include "shell/formstart.h"
#include "support/tempdoc.h"

#include <QDir>
#include <QTest>

// The start-up with a fake clock: which windows are shown at each tick.
class TestFormStart : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void shortLoadingWaitsTwoTicks();
    void longLoadingClosesAtOnce();

private:
    QTemporaryDir *m_dir = nullptr;
    QString m_start;
    double m_now = 0;
    double m_loadTime = 0;
};

void TestFormStart::init()
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

void TestFormStart::cleanup()
{
    QDir::setCurrent(m_start);
    delete m_dir;
}

void TestFormStart::shortLoadingWaitsTwoTicks()
{
    Form1 *main = nullptr;
    FormStart splash(
        [&] {
            main = new Form1([this] { return m_now; });
            return main;
        },
        [this] { return m_now; });
    splash.Timer1->stop(); // the test ticks by hand
    splash.show();
    QCOMPARE(splash.Label2->text(), QString("QuarnTamo wird initialisiert..."));
    QCOMPARE(splash.size(), QSize(482, 344));

    splash.Timer1_Timer(); // "3" -> "2": the main window loads and shows
    QCOMPARE(splash.Tag, QString("2"));
    QVERIFY(main && main->isVisible());
    QVERIFY(splash.isVisible());
    QCOMPARE(main->Label1->text(), QString("Verwendung_der_Dokumentation"));
    // The last caption stays: the last heading and its percentage.
    QCOMPARE(splash.Label2->text(),
             QString("Quarn-Tamo wird geladen... (99.2%)\r\nVerwendung_der_Dokumentation"));
    m_now += 1;
    splash.Timer1_Timer(); // "1": nothing
    QCOMPARE(splash.Tag, QString("1"));
    QVERIFY(splash.isVisible());
    m_now += 1;
    splash.Timer1_Timer(); // "0": the splash closes
    QCOMPARE(splash.Tag, QString("0"));
    QVERIFY(!splash.isVisible());
    QVERIFY(main->isVisible());
    delete main;
}

void TestFormStart::longLoadingClosesAtOnce()
{
    Form1 *main = nullptr;
    FormStart splash(
        [&] {
            main = new Form1([this] { return m_now; });
            m_now += 2.5; // loading takes 2.5 s
            return main;
        },
        [this] { return m_now; });
    splash.Timer1->stop();
    splash.show();
    splash.Timer1_Timer();
    QCOMPARE(splash.Tag, QString("0"));
    QVERIFY(!splash.isVisible());
    QVERIFY(main->isVisible());
    delete main;
}

QTEST_MAIN(TestFormStart)
#include "tst_formstart.moc"
