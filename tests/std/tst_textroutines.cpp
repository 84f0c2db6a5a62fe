#include "std/cp1252.h"
#include "std/listroutines.h"
#include "std/textlist.h"
#include "std/textroutines.h"

#include <QTest>

#include <stdexcept>

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
    void maxMin();
    void findListEntry();
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
    QCOMPARE(STD::NumberText(value), text);
}

void TestTextRoutines::trimAndCollapse()
{
    QCOMPARE(STD::NewLine(), QString("\r\n"));
    QCOMPARE(STD::TrimBoth(u"  a b  "), QString("a b"));
    QCOMPARE(STD::TrimBoth(u"\tab "), QString("\tab")); // only blanks go
    QCOMPARE(STD::TrimBoth(u"   "), QString());
    QCOMPARE(STD::CollapseBlanks(u"     "), QString(" "));
    QCOMPARE(STD::CollapseBlanks(u" \t "), QString(" \t "));
    QCOMPARE(STD::CollapseBlanks(u"a   b  c"), QString("a b c"));
    QCOMPARE(STD::CollapseBlanks(u""), QString());
}

void TestTextRoutines::countOccurrences()
{
    QCOMPARE(STD::CountOccurrences(u"datei zugriff liste ", u" "), 3);
    QCOMPARE(STD::CountOccurrences(u"    ", u"  "), 3); // overlapping
    QCOMPARE(STD::CountOccurrences(u"aaa", u"b"), 0);
    QCOMPARE(STD::CountOccurrences(u"abc", u""), 0);
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
    QCOMPARE(STD::EditDistance(a, b), distance);
    QCOMPARE(STD::EditDistance(b, a), distance);
}

void TestTextRoutines::editDistanceLimits()
{
    const QString a(255, u'a');
    const QString b(255, u'b');
    QCOMPARE(STD::EditDistance(a, b), 255); // the largest value a cell holds
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, STD::EditDistance(QString(256, u'a'), u"x"));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, STD::EditDistance(u"", QString(256, u'a')));
}

void TestTextRoutines::maxMin()
{
    QCOMPARE(STD::MaxOf({2, 7}), 7);
    QCOMPARE(STD::MinOf({20.0, 12.5}), 12.5);
    // The earliest of equal values wins: tell them apart by a payload.
    struct Tagged {
        int v;
        char tag;
        bool operator<(const Tagged &o) const { return v < o.v; }
    };
    QCOMPARE(STD::MaxOf({Tagged{2, 'a'}, Tagged{2, 'b'}}).tag, 'a');
    QCOMPARE(STD::MinOf({Tagged{4, 'a'}, Tagged{4, 'b'}}).tag, 'a');
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, STD::MaxOf(std::span<const int>()));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, STD::MinOf(std::span<const int>()));
}

void TestTextRoutines::findListEntry()
{
    TextList list;
    list.add("datei");
    list.add("Datei");
    list.add("Datei");
    QCOMPARE(STD::FindListEntry(list, "Datei", true, true, 0), 1);
    QCOMPARE(STD::FindListEntry(list, "Datei", true, false, 0), 0);
    QCOMPARE(STD::FindListEntry(list, "Datei", true, true, 2), 2);
    QCOMPARE(STD::FindListEntry(list, "Datei", true, true, 3), -1);

    const QStringList one{"Dateien"};
    QCOMPARE(STD::FindListEntry(one, "Datei", true, true, 0), -1);
    QCOMPARE(STD::FindListEntry(one, "Datei", false, true, 0), 0);
    QCOMPARE(STD::FindListEntry(QStringList(), "x", false, false, 0), -1);
    // Containment without case, as the ranking list looks up a quoted name.
    const QStringList ranking{"    \"Zugriff\"", "  \"DATEI\""};
    QCOMPARE(STD::FindListEntry(ranking, "\"datei\"", false, false, 0), 1);
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
