#include "viewer/history.h"

#include <QTest>

// Drives the history as the window does: a display records its title; back and forward
// bracket one display.
class TestHistory : public QObject {
    Q_OBJECT
private slots:
    void workedSequence();
    void repeatsAndErrors();

private:
    void show(const QString &title) { history::recordShownTopic(back, forward, title); }
    void goBack()
    {
        show(history::beginBack(back, forward));
        history::endNavigation(forward);
    }
    void goForward()
    {
        show(history::beginForward(back, forward));
        history::endNavigation(forward);
    }
    void check(const QStringList &b, const QStringList &f, const QString &flag, bool canBack,
               bool canForward)
    {
        QCOMPARE(back.items(), b);
        QCOMPARE(forward.items(), f);
        QCOMPARE(forward.Tag, flag);
        QCOMPARE(history::canGoBack(back), canBack);
        QCOMPARE(history::canGoForward(forward), canForward);
    }

    TextList back;
    TextList forward;
};

void TestHistory::workedSequence()
{
    back.clear();
    forward.clear();
    forward.Tag = "1";
    show("U");
    check({"U"}, {}, "1", false, false);
    show("A");
    check({"U", "A"}, {}, "1", true, false);
    show("B");
    check({"U", "A", "B"}, {}, "1", true, false);
    goBack();
    check({"U", "A"}, {"B"}, "1", true, true);
    goBack();
    check({"U"}, {"A", "B"}, "1", false, true);
    goForward();
    check({"U", "A"}, {"B"}, "1", true, true);
    show("A"); // the topic on display again
    check({"U", "A"}, {"B"}, "0", true, true);
    show("C"); // keeps the forward history while the flag is "0"
    check({"U", "A", "C"}, {"B"}, "0", true, true);
    goForward();
    check({"U", "A", "C", "B"}, {}, "1", true, false);
    show("D");
    check({"U", "A", "C", "B", "D"}, {}, "1", true, false);
}

void TestHistory::repeatsAndErrors()
{
    back.clear();
    forward.clear();
    forward.Tag = "1";
    show("U");
    show("A");
    show("U");
    check({"U", "A", "U"}, {}, "1", true, false);

    // Back to a topic that cannot be shown any more: the display records the error title
    // instead, and the forward history survives because the flag is "0" meanwhile.
    const QString error = "Fehler: Thema nicht gefunden.";
    show("B");
    QCOMPARE(history::beginBack(back, forward), QString("U"));
    show(error);
    history::endNavigation(forward);
    check({"U", "A", "U", error}, {"B"}, "1", true, true);
    // "<" from the error title goes back to the entry before it.
    goBack();
    check({"U", "A", "U"}, {error, "B"}, "1", true, true);
}

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
