#include "std/cp1252.h"
#include "std/textroutines.h"

#include <QTest>

#include <stdexcept>

using namespace tamo;

class TestTextRoutines : public QObject {
    Q_OBJECT
private slots:
    void numberText_data();
    void numberText();
    void trimAndCollapse();
    void countOccurrences();
    void editDistance_data();
    void editDistance();
    void editDistanceLimits();
    void roundHalfToEven_data();
    void roundHalfToEven();
    void cp1252RoundTrip();
};

void TestTextRoutines::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 4711.0 << "4711";
    QTest::newRow("fraction") << 12.3 << "12.3";
    QTest::newRow("below one") << 0.3 << ".3";
    QTest::newRow("negative") << -2.5 << "-2.5";
    QTest::newRow("negative below one") << -0.25 << "-.25";
    QTest::newRow("million") << 1234567.0 << "1234567";
    QTest::newRow("big position") << 3000000000.0 << "3000000000";
}

void TestTextRoutines::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(tamo::numberText(value), text);
}

void TestTextRoutines::trimAndCollapse()
{
    QCOMPARE(newLine(), QString("\r\n"));
    QCOMPARE(trimBlanks(u"  a b  "), QString("a b"));
    QCOMPARE(trimBlanks(u"\tab "), QString("\tab")); // only blanks go
    QCOMPARE(trimBlanks(u"   "), QString());
    QCOMPARE(collapseBlanks(u"     "), QString(" "));
    QCOMPARE(collapseBlanks(u" \t "), QString(" \t "));
    QCOMPARE(collapseBlanks(u"a   b  c"), QString("a b c"));
    QCOMPARE(collapseBlanks(u""), QString());
}

void TestTextRoutines::countOccurrences()
{
    QCOMPARE(tamo::countOccurrences(u"datei zugriff liste ", u" "), 3);
    QCOMPARE(tamo::countOccurrences(u"    ", u"  "), 3); // overlapping
    QCOMPARE(tamo::countOccurrences(u"aaa", u"b"), 0);
    QCOMPARE(tamo::countOccurrences(u"abc", u""), 0);
}

void TestTextRoutines::editDistance_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("distance");
    QTest::newRow("Tabelle/Tafel") << "Tabelle"
                                   << "Tafel" << 3;
    QTest::newRow("Funktion/Funktionen") << "Funktion"
                                         << "Funktionen" << 2;
    QTest::newRow("swap costs two") << "funktion"
                                    << "funktoin" << 2;
    QTest::newRow("empty") << ""
                           << "abc" << 3;
    QTest::newRow("case counts") << "Abc"
                                 << "abc" << 1;
    QTest::newRow("equal") << "datei"
                           << "datei" << 0;
}

void TestTextRoutines::editDistance()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, distance);
    QCOMPARE(tamo::editDistance(a, b), distance);
    QCOMPARE(tamo::editDistance(b, a), distance);
}

void TestTextRoutines::editDistanceLimits()
{
    const QString a(255, u'a');
    const QString b(255, u'b');
    QCOMPARE(tamo::editDistance(a, b), 255); // the largest value a cell holds
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, tamo::editDistance(QString(256, u'a'), u"x"));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, tamo::editDistance(u"", QString(256, u'a')));
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
    QTest::newRow("whole") << 6.0 << 6.0;
}

void TestTextRoutines::roundHalfToEven()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(tamo::roundHalfToEven(value), rounded);
}

void TestTextRoutines::cp1252RoundTrip()
{
    QByteArray all(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    const QString text = cp1252::decode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(text.at(0x80), QChar(0x20AC)); // euro sign
    QCOMPARE(text.at(0x9F), QChar(0x0178)); // Y with diaeresis
    for (int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        QCOMPARE(text.at(undefined).unicode(), char16_t(undefined));
    QCOMPARE(text.at(0xE4), QChar(u'ä'));
    bool ok = false;
    QCOMPARE(cp1252::encode(text, &ok), all);
    QVERIFY(ok);
    cp1252::encode(u"\u2192", &ok); // an arrow has no byte
    QVERIFY(!ok);

    // Lower-casing raw bytes agrees with lower-casing the decoded text.
    for (int b = 0; b < 256; ++b) {
        const QString lowered = cp1252::decode(QByteArray(1, char(b))).toLower();
        QCOMPARE(cp1252::decode(QByteArray(1, char(cp1252::toLower(uchar(b))))), lowered);
    }
}

QTEST_GUILESS_MAIN(TestTextRoutines)
#include "tst_textroutines.moc"
