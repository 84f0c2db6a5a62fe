#include "viewer/history.h"

#include <QTest>

using namespace tamo;

namespace {

// Steps as the window takes them, blank-separated: a title is a display of that topic; "<"
// and ">" go back and forward, which brackets one display; "<!" goes back to a topic that
// cannot be shown any more, so the display records the error title "E" instead.
struct Steps {
    QString steps, back, forward; // the lists blank-separated
    bool keepForward;
};

} // namespace

class TestHistory : public QObject {
    Q_OBJECT
private slots:
    void steps_data()
    {
        QTest::addColumn<Steps>("row");
        QTest::newRow("back twice") << Steps{"A B C < <", "A", "B C", false};
        QTest::newRow("forward") << Steps{"A B C < < >", "A B", "C", false};
        QTest::newRow("new topic drops forward") << Steps{"A B C < < > D", "A B D", "", false};
        QTest::newRow("repeats") << Steps{"U A U", "U A U", "", false};
        QTest::newRow("back to a lost topic") << Steps{"U A U B <!", "U A U E", "B", false};
        QTest::newRow("back from the error title") << Steps{"U A U B <! <", "U A U", "E B", false};
        // Showing the topic on display again keeps the forward history for later new topics.
        QTest::newRow("shown topic again") << Steps{"U A U B <! < U", "U A U", "E B", true};
        QTest::newRow("then a new topic") << Steps{"U A U B <! < U N", "U A U N", "E B", true};
    }
    void steps()
    {
        QFETCH(Steps, row);
        History h;
        for (const QString &step : row.steps.split(u' ')) {
            if (step == u">") {
                h.recordShownTopic(h.beginForward());
            } else if (step.startsWith(u'<')) {
                const QString title = h.beginBack();
                h.recordShownTopic(step == u"<!" ? QStringLiteral("E") : title);
            } else {
                h.recordShownTopic(step);
                continue;
            }
            h.endNavigation();
        }
        QCOMPARE(h.back, row.back.split(u' ', Qt::SkipEmptyParts));
        QCOMPARE(h.forward, row.forward.split(u' ', Qt::SkipEmptyParts));
        QCOMPARE(h.keepForward, row.keepForward);
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
