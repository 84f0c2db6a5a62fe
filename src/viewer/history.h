#pragma once

#include <QString>
#include <QStringList>

namespace tamo {

// The back and forward history of shown topics.
//
// keepForward decides what showing a new topic does to the forward history: false drops it,
// true keeps it. Back and forward set it for exactly the one display they bracket and clear
// it after it. Showing the topic already on display again sets it too, and nothing but back
// and forward clears it again, so after such a repeat new topics keep the forward history:
//   show A, show B, back (A), show A again, show C  ->  back A C, forward B
class History {
public:
    QStringList back;         // titles shown so far, oldest first; the last is on display
    QStringList forward;      // titles to go forward to, the next one first
    bool keepForward = false; // false: showing a new topic drops forward

    // Records a shown title (the error title included) after a display.
    void recordShownTopic(const QString &title);

    bool canGoBack() const { return back.size() > 1; }
    bool canGoForward() const { return !forward.isEmpty(); }

    // Back: moves the current title to the front of forward and returns the title to show.
    // Needs canGoBack(). The caller shows it, then calls endNavigation().
    QString beginBack();

    // Forward: moves the next title to the end of back and returns it. Needs canGoForward().
    // The caller shows it, then calls endNavigation().
    QString beginForward();

    void endNavigation() { keepForward = false; }
};

} // namespace tamo
