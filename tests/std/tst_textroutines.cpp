#include "std/textroutines.h"

#include <QTest>

class TestTextRoutines : public QObject {
    Q_OBJECT
private slots:
    void blanks_data();
    void blanks();
    void roundHalfToEven_data();
    void roundHalfToEven();
};

void TestTextRoutines::blanks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::addColumn<QString>("collapsed");
    QTest::newRow("both ends") << "  a b  "
                               << "a b"
                               << " a b ";
    QTest::newRow("tabs stay") << " \tab "
                               << "\tab"
                               << " \tab ";
    QTest::newRow("blanks only") << "     "
                                 << ""
                                 << " ";
    QTest::newRow("inner runs") << "a   b  c"
                                << "a   b  c"
                                << "a b c";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void TestTextRoutines::blanks()
{
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    QFETCH(QString, collapsed);
    QCOMPARE(tamo::trimBlanks(text), trimmed);
    QCOMPARE(tamo::collapseBlanks(text), collapsed);
}

void TestTextRoutines::roundHalfToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("half up to even") << 11.5 << 12.0;
    QTest::newRow("half down to even") << 12.5 << 12.0;
    QTest::newRow("score half") << 2.5 << 2.0;
    QTest::newRow("below half") << 17.49 << 17.0;
    QTest::newRow("above half") << 0.51 << 1.0;
}

void TestTextRoutines::roundHalfToEven()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(tamo::roundHalfToEven(value), rounded);
}

QTEST_GUILESS_MAIN(TestTextRoutines)
#include "tst_textroutines.moc"
