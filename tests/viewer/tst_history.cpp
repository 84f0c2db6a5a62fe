#include "viewer/history.h"

#include <QTest>

// Drives the history as the window does: a display records its title; back and forward
// bracket one display. (The full worked sequence runs through the window in tst_form1.)
class TestHistory : public QObject {
    Q_OBJECT
private slots:
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
