#include "viewer/history.h"

#include <QTest>

using namespace tamo;

// Drives the history as the window does: a display records its title; back and forward
// bracket one display.
class TestHistory : public QObject {
    Q_OBJECT
private slots:
    void newTopicsDropForward()
    {
        h = History();
        show("A");
        show("B");
        show("C");
        goBack();
        goBack();
        check({"A"}, {"B", "C"}, false);
        goForward();
        check({"A", "B"}, {"C"}, false);
        show("D"); // a new topic drops what lay ahead
        check({"A", "B", "D"}, {}, false);
    }

    void repeatsAndErrors()
    {
        h = History();
        show("U");
        show("A");
        show("U");
        check({"U", "A", "U"}, {}, false);

        // Back to a topic that cannot be shown any more: the display records the error title
        // instead, and the forward history survives because the flag is set meanwhile.
        const QString error = "Fehler: Thema nicht gefunden.";
        show("B");
        QCOMPARE(h.beginBack(), QString("U"));
        show(error);
        h.endNavigation();
        check({"U", "A", "U", error}, {"B"}, false);
        // "<" from the error title goes back to the entry before it.
        goBack();
        check({"U", "A", "U"}, {error, "B"}, false);

        // Showing the topic on display again keeps the forward history for later new topics.
        show("U");
        check({"U", "A", "U"}, {error, "B"}, true);
        show("N");
        check({"U", "A", "U", "N"}, {error, "B"}, true);
    }

private:
    void show(const QString &title) { h.recordShownTopic(title); }
    void goBack()
    {
        show(h.beginBack());
        h.endNavigation();
    }
    void goForward()
    {
        show(h.beginForward());
        h.endNavigation();
    }
    void check(const QStringList &b, const QStringList &f, bool keep)
    {
        QCOMPARE(h.back, b);
        QCOMPARE(h.forward, f);
        QCOMPARE(h.keepForward, keep);
    }

    History h;
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
