#include "viewer/history.h"

namespace tamo {

void History::recordShownTopic(const QString &title)
{
    if (back.isEmpty() || back.last() != title)
        back.append(title);
    else
        keepForward = true;
    if (!keepForward)
        forward.clear();
}

QString History::beginBack()
{
    keepForward = true;
    forward.prepend(back.takeLast());
    return back.last();
}

QString History::beginForward()
{
    keepForward = true;
    const QString next = forward.takeFirst();
    back.append(next);
    return next;
}

} // namespace tamo
