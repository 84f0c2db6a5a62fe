#include "std/collation.h"

#include <QCollatorSortKey>
#include <QLocale>

#include <algorithm>
#include <numeric>
#include <vector>

namespace collation {

const QCollator &collator()
{
    static const QCollator instance = [] {
        QCollator c(QLocale(QLocale::German, QLocale::Germany));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        c.setIgnorePunctuation(false);
        return c;
    }();
    return instance;
}

int compare(const QString &a, const QString &b)
{
    return collator().compare(a, b);
}

QList<qsizetype> insertionOrder(const QStringList &texts)
{
    std::vector<QCollatorSortKey> keys;
    keys.reserve(texts.size());
    for (const QString &t : texts)
        keys.push_back(collator().sortKey(t));

    QList<qsizetype> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    // Later texts go in front of earlier equal ones.
    std::sort(order.begin(), order.end(), [&keys](qsizetype a, qsizetype b) {
        const int c = keys[a].compare(keys[b]);
        return c != 0 ? c < 0 : a > b;
    });
    return order;
}

} // namespace collation
