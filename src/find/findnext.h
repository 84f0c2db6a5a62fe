#pragma once

#include "find/wholeword.h"

#include <QString>
#include <Qt>

namespace tamo {

// The find command of the topic window: search the shown text for the next occurrence after
// the current selection, wrapping around to the beginning once.
struct FindRequest {
    QString text;        // the shown text
    qsizetype selStart;  // current selection, 0-based
    qsizetype selLength; // 0 for a bare caret
    QString search;
    bool matchCase;
    bool wholeWords;
    SeparatorFlags flags; // the separator classes for wholeWords
};

struct FindOutcome {
    bool found;
    // The selection to show. When nothing was found this is the selection to leave: the
    // request's own, or the last occurrence that was examined and rejected as no whole word.
    qsizetype selStart;
    qsizetype selLength;
};

// The search starts one character after the start of a selection (so the next occurrence may
// overlap the selected one) or at the caret. Past the end it continues from the beginning;
// the second time it runs past the end it gives up, so an occurrence that is only ever
// inside longer words ends the search with that occurrence still selected. The occurrence
// already selected is found again when it is the only one.
FindOutcome findNext(const FindRequest &r);

// 1-based position of the first occurrence of search in text at or after the 1-based
// position start (below 1 counts as 1); 0 when there is none, when text is empty or when start
// lies past the end. An empty search is found at start itself while start is inside the text.
qsizetype stringSearch(QStringView text, QStringView search, qsizetype start);

// What a key does in the topic window and in the find panel's search box.
enum class FindKeyAction {
    None,
    FindNext,
    FindSelection, // open the find panel with the selected text, close it, find next
    CloseSearchPanel,
};

// In the topic window: F3 finds the next occurrence; Shift+F3 or Ctrl+F3 first takes the
// selection as the search text. Alt (and every other modifier) does not count. key is a
// Qt::Key value.
FindKeyAction windowKeyAction(int key, Qt::KeyboardModifiers modifiers);

// In the search box: Return or Enter finds, Escape closes the panel, whatever the modifiers;
// F3 is left to the topic window.
FindKeyAction searchBoxKeyAction(int key, Qt::KeyboardModifiers modifiers);

} // namespace tamo
