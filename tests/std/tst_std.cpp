#include "std/collation.h"
#include "std/cp1252.h"
#include "std/sidethread.h"
#include "support/sortedinsert.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#ifdef Q_OS_LINUX
#include <sched.h>
#endif

using namespace tamo;

class TestStd : public QObject {
    Q_OBJECT
private slots:
    // Windows-1252 both ways, and lower-casing its bytes.
    void windows1252()
    {
        QByteArray all(256, Qt::Uninitialized);
        for (int i = 0; i < 256; ++i)
            all[i] = char(i);
        const QString text = cp1252::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(text.mid(0x80, 1) + text.at(0x9F) + text.at(0xE4), QString::fromUtf8("€Ÿä"));
        for (int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
            QCOMPARE(text.at(undefined).unicode(), char16_t(undefined));
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

    // The order the lists rely on, whatever the process locale: the collator is first made
    // here, under a locale that sorts Ä after Z. Texts with é go to the collator itself.
    void order()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
        // More blanks first, then the quote, digits, letters; an umlaut beside its base letter.
        const QList<QPair<QString, QString>> ordered = {
            {" \"x\"", "\"x\""}, {"   \"Zeichen\"", "  \"Abc\""}, {"\"", "0"},
            {"9", "a"},          {"\"datei\"", "\"Zeichen\""},    {"\"Datei\"", "\"Dateien\""},
            {"Öl", "Pause"},     {"Datei_lesen", "Dateien"},      {"Äpfel", "Apfelz"},
            {"Äpfel", "Zebra"},  {"Äpfel é", "Zebra é"}};
        for (const auto &[lower, higher] : ordered) {
            QVERIFY2(collation::compare(lower, higher) < 0, qPrintable(lower + " < " + higher));
            QVERIFY(collation::compare(higher, lower) > 0);
        }
        QCOMPARE(collation::compare("ABC", "abc"), 0);
        QCOMPARE(collation::compare("ABC é", "abc é"), 0);
        QLocale::setDefault(saved);
    }

    // Plain ASCII and umlaut texts are compared without the collator; the result must be the
    // collator's for every pair, punctuation, case and umlaut positions included. Sorting once
    // must give the order of inserting one text at a time in front of its equals, later texts
    // in front of earlier equal ones.
    void fastPathAgreesWithCollator()
    {
        QRandomGenerator rng(1207);
        QString alphabet = QString::fromUtf8("äöüÄÖÜß");
        for (char16_t c = 32; c < 127; ++c)
            alphabet += QChar(c);
        const QString tricky = QString::fromUtf8("aAäÄoöuüUÜsSßt _-\"'1 ");
        auto randomText = [&](const QString &from, int maxLength) {
            QString t;
            for (int k = rng.bounded(maxLength + 1); k > 0; --k)
                t += from.at(rng.bounded(from.size()));
            return t;
        };
        for (const QChar a : alphabet) {
            for (const QChar b : alphabet) {
                if (std::clamp(collation::compare(a, b), -1, 1) !=
                    std::clamp(collation::collator().compare(a, b), -1, 1))
                    QFAIL(qPrintable(QStringLiteral("'%1' vs '%2'").arg(a, b)));
            }
        }
        for (int i = 0; i < 20000; ++i) {
            const QString &from = i % 2 ? alphabet : tricky;
            const QString a = randomText(from, 6);
            const QString b = i % 3 ? randomText(from, 6) : a.toUpper();
            const int expected = std::clamp(collation::collator().compare(a, b), -1, 1);
            if (std::clamp(collation::compare(a, b), -1, 1) != expected)
                QFAIL(qPrintable(QStringLiteral("'%1' vs '%2'").arg(a, b)));
        }
        // Lists from 4096 texts on are keyed and sorted on two threads: once with texts the fast
        // keys cover alone, once with some only the collator can key (a text in every `rare`
        // may hold é, ÿ or €).
        const QString withRare = alphabet + QString::fromUtf8("éÿ€");
        for (const auto &[count, rare] : {std::pair{400, 1}, {9000, 0}, {9000, 4}}) {
            QStringList mixed, inserted, sorted;
            for (int i = 0; i < count; ++i) {
                const QString &from = rare && rng.bounded(rare) == 0 ? withRare : alphabet;
                const QString t = QString("Dateiname").left(rng.bounded(10)) + // long shared starts
                                  randomText(from, 5);
                const QString earlier = i ? mixed.at(rng.bounded(i)) : t; // equal, in other case
                mixed += i % 4 ? t : (i % 8 ? earlier.toUpper() : earlier.toLower());
                insertSorted(inserted, mixed.last());
            }
            for (const qsizetype i : collation::insertionOrder(mixed))
                sorted += mixed[i];
            for (qsizetype i = 1; i < sorted.size(); ++i)
                QVERIFY(collation::collator().compare(sorted[i - 1], sorted[i]) <= 0);
            QCOMPARE(sorted, inserted);
        }
    }

    // A side thread is made away from its maker's processor only to start: once it runs it
    // may use every processor its maker may. Its work runs once, and join waits for it.
    void sideThreadRunsAnywhere()
    {
#ifdef Q_OS_LINUX
        cpu_set_t mine, its;
        QCOMPARE(sched_getaffinity(0, sizeof mine, &mine), 0);
        int runs = 0;
        SideThread side([&] {
            ++runs;
            sched_getaffinity(0, sizeof its, &its);
        });
        side.join();
        QVERIFY(!side.joinable());
        QCOMPARE(runs, 1);
        QVERIFY(CPU_EQUAL(&mine, &its));
#endif
    }
};

QTEST_GUILESS_MAIN(TestStd)
#include "tst_std.moc"
