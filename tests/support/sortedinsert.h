#pragma once

#include "std/collation.h"

#include <QStringList>

#include <algorithm>

// The plain way to keep a list sorted: each new text goes to its place in the shared
// alphabetical order, in front of the entries equal to it. Returns the index it went to.
// The core sorts once instead; tests hold its result against this.
inline qsizetype insertSorted(QStringList &list, const QString &text)
{
    const auto it = std::lower_bound(list.begin(), list.end(), text,
                                     [](const QString &entry, const QString &t) {
                                         return tamo::collation::compare(entry, t) < 0;
                                     });
    const qsizetype index = it - list.begin();
    list.insert(index, text);
    return index;
}
