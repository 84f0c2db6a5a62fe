#pragma once

#include "std/textlist.h"

#include <QString>

// The back and forward history of shown topics. back holds the titles shown so far, oldest
// first, its last entry the topic on display; forward holds the titles to go forward to, the
// next one first. forward.Tag is the keep flag: "1" means that showing a new topic drops the
// forward history, "0" that it keeps it.
//
// Back and forward bracket exactly one display with the flag at "0" and set it to "1" after
// it; showing the topic on display again sets it to "0" and nothing but back and forward sets
// it to "1" again, so after such a repeat new topics keep the forward history.
namespace history {

// Records a shown title (the error title included) after a display.
void recordShownTopic(TextList &back, TextList &forward, const QString &title);

inline bool canGoBack(const TextList &back)
{
    return back.count() > 1;
}
inline bool canGoForward(const TextList &forward)
{
    return forward.count() >= 1;
}

// Back: moves the current title to the front of forward and returns the title to show.
// Needs two entries in back. The caller shows it, then calls endNavigation.
QString beginBack(TextList &back, TextList &forward);

// Forward: moves the next title to the end of back and returns it. Needs an entry in forward.
QString beginForward(TextList &back, TextList &forward);

void endNavigation(TextList &forward);

} // namespace history
