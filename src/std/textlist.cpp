#include "std/textlist.h"

#include "std/collation.h"

#include <algorithm>

qsizetype SortedTextList::add(const QString &text)
{
    const auto it = std::lower_bound(
        m_items.begin(), m_items.end(), text,
        [](const QString &entry, const QString &t) { return collation::compare(entry, t) < 0; });
    const qsizetype index = it - m_items.begin();
    m_items.insert(index, text);
    return index;
}
