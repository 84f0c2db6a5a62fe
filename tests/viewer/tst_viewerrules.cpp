#include "viewer/picturethrottle.h"
#include "viewer/textsize.h"

#include <QTest>

using namespace tamo;

class TestViewerRules : public QObject {
    Q_OBJECT
private slots:
    void throttle_data()
    {
        QTest::addColumn<double>("last");
        QTest::addColumn<double>("now");
        QTest::addColumn<bool>("deferred");
        QTest::newRow("exactly a second") << 100.0 << 101.0 << false;
        QTest::newRow("clock went back a little") << 100.0 << 99.5 << true;
        QTest::newRow("across midnight") << 86399.8 << 0.2 << false;
        // Single precision: 0.9999 s apart is a second late in the day, but not early.
        QTest::newRow("float, early") << 10.0 << 10.9999 << true;
        QTest::newRow("float, late") << 86399.0 << 86399.9999 << false;
    }
    void throttle()
    {
        QFETCH(double, last);
        QFETCH(double, now);
        QFETCH(bool, deferred);
        QCOMPARE(pictureRequest(now, last), deferred ? PictureRequest::Defer : PictureRequest::Run);
        QCOMPARE(last, now);
    }

    void textSize_data()
    {
        QTest::addColumn<TextFont>("before");
        QTest::addColumn<bool>("enlarge");
        QTest::addColumn<TextFont>("after");
        QTest::newRow("+ from the start") << TextFont{9.75, false} << true << TextFont{11, false};
        QTest::newRow("+ bold above 11") << TextFont{11, false} << true << TextFont{12, true};
        QTest::newRow("+ at 24 still bolds") << TextFont{24, false} << true << TextFont{24, true};
        QTest::newRow("+ 12.5 to 12") << TextFont{11.5, false} << true << TextFont{12, true};
        QTest::newRow("- keeps bold from 12") << TextFont{13, true} << false << TextFont{12, true};
        QTest::newRow("- regular from 12") << TextFont{13, false} << false << TextFont{12, false};
        QTest::newRow("- regular below 12") << TextFont{12, true} << false << TextFont{11, false};
        QTest::newRow("- at 6") << TextFont{6, true} << false << TextFont{6, false};
        QTest::newRow("- 11.5 to 12") << TextFont{12.5, false} << false << TextFont{12, false};
    }
    void textSize()
    {
        QFETCH(TextFont, before);
        QFETCH(bool, enlarge);
        QFETCH(TextFont, after);
        const TextFont f = enlarge ? enlargeText(before) : shrinkText(before);
        QCOMPARE(f.size, after.size);
        QCOMPARE(f.bold, after.bold);
    }
};

QTEST_GUILESS_MAIN(TestViewerRules)
#include "tst_viewerrules.moc"
