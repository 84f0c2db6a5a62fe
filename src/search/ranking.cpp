#include "search/ranking.h"

#include "std/collation.h"

#include <algorithm>

namespace tamo {

QList<RankedTopic> orderRanking(std::vector<RankingEntry> entries)
{
    std::sort(entries.begin(), entries.end(), [](const RankingEntry &a, const RankingEntry &b) {
        return a.score != b.score ? a.score > b.score : a.lastUpdate < b.lastUpdate;
    });
    QList<RankedTopic> result;
    result.reserve(qsizetype(entries.size()));
    QStringList quoted;
    for (std::size_t begin = 0; begin < entries.size();) {
        std::size_t end = begin + 1;
        while (end < entries.size() && entries[end].score == entries[begin].score)
            ++end;
        if (end - begin == 1) {
            result.append({entries[begin].name, entries[begin].score});
        } else {
            // Within one total: alphabetical by the quoted name; insertionOrder puts equal
            // names in the reverse of the given order, which is oldest update first.
            quoted.clear();
            for (std::size_t i = begin; i < end; ++i) {
                QString &q = quoted.emplace_back();
                q.reserve(entries[i].name.size() + 2);
                q.append(u'"').append(entries[i].name).append(u'"');
            }
            for (const qsizetype i : collation::insertionOrder(quoted)) {
                const RankingEntry &e = entries[begin + std::size_t(i)];
                result.append({e.name, e.score});
            }
        }
        begin = end;
    }
    return result;
}

} // namespace tamo
