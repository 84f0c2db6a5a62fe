#include "viewer/history.h"

namespace history {

void recordShownTopic(TextList &back, TextList &forward, const QString &title)
{
    if (back.isEmpty() || back.last() != title)
        back.add(title);
    else
        forward.Tag = QStringLiteral("0");
    if (forward.Tag == u"1")
        forward.clear();
}

QString beginBack(TextList &back, TextList &forward)
{
    const qsizetype n = back.count() - 1;
    const QString current = back.at(n);
    forward.Tag = QStringLiteral("0");
    forward.insert(0, current);
    back.removeAt(n);
    return back.at(n - 1);
}

QString beginForward(TextList &back, TextList &forward)
{
    forward.Tag = QStringLiteral("0");
    const QString next = forward.at(0);
    forward.removeAt(0);
    back.add(next);
    return next;
}

void endNavigation(TextList &forward)
{
    forward.Tag = QStringLiteral("1");
}

} // namespace history
