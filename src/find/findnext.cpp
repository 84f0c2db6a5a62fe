#include "find/findnext.h"

#include "std/textroutines.h"

namespace tamo {

qsizetype stringSearch(QStringView text, QStringView search, qsizetype start)
{
    if (start < 1)
        start = 1;
    if (text.isEmpty() || start > text.size())
        return 0;
    // An empty search is found at start itself; the check above keeps start inside the text,
    // so a search for nothing still runs past the end and ends on the wrap count.
    const qsizetype index = text.indexOf(search, start - 1, Qt::CaseSensitive);
    return index < 0 ? 0 : index + 1;
}

FindOutcome findNext(const FindRequest &r)
{
    const QString text = r.matchCase ? r.text : lowerCase(r.text);
    const QString search = r.matchCase ? r.search : lowerCase(r.search);

    FindOutcome outcome{false, r.selStart, r.selLength};
    qsizetype start = r.selLength != 0 ? r.selStart + 2 : r.selStart + 1;
    int wraps = 0;
    for (;;) {
        qsizetype pos = stringSearch(text, search, start);
        if (pos == 0) {
            pos = stringSearch(text, search, 1);
            ++wraps;
            if (pos == 0 || wraps >= 2) {
                outcome.found = false;
                return outcome;
            }
        }
        outcome.selStart = pos - 1;
        outcome.selLength = search.size();
        if (!r.wholeWords ||
            isWholeWordSelection(r.text, outcome.selStart, outcome.selLength, r.flags)) {
            outcome.found = true;
            return outcome;
        }
        start = pos + 1;
    }
}

FindKeyAction windowKeyAction(int key, Qt::KeyboardModifiers modifiers)
{
    if (key != Qt::Key_F3)
        return FindKeyAction::None;
    if (!(modifiers & (Qt::ShiftModifier | Qt::ControlModifier)))
        return FindKeyAction::FindNext;
    return FindKeyAction::FindSelection;
}

FindKeyAction searchBoxKeyAction(int key, Qt::KeyboardModifiers /*modifiers*/)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return FindKeyAction::FindNext;
    case Qt::Key_Escape:
        return FindKeyAction::CloseSearchPanel;
    default:
        return FindKeyAction::None;
    }
}

} // namespace tamo
