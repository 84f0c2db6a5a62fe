#include "std/cp1252.h"

#include <QTest>

using namespace tamo;

class TestCp1252 : public QObject {
    Q_OBJECT
private slots:
    void roundTrip()
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
};

QTEST_GUILESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"
