#pragma once

#include "search/ranking.h"

#include <QHash>
#include <QString>

#include <vector>

// The ranking list as the rules state it, one update at a time, for the tests: the search
// keeps its totals its own way and must rank the same. Names that differ only in case share one
// entry, spelled as it was when it first got points; scores of 0 change nothing.
//
// Each topic has its own total under its exact lower-cased name, and names are listed exactly
// as they stand. (Looking entries up by a part of their text would let a name holding double
// quotes collect another topic's points, and stripping quotes for the listing would change
// such names.)
class RankingList {
public:
    void add(const QString &name, int score)
    {
        if (score <= 0) // 0 leaves the list as it is
            return;
        const QString key = name.toLower();
        auto it = m_index.constFind(key);
        if (it == m_index.constEnd()) {
            it = m_index.insert(key, qsizetype(m_entries.size()));
            m_entries.push_back({name, 0, 0});
        }
        tamo::RankingEntry &entry = m_entries[std::size_t(*it)];
        entry.score += score;
        entry.lastUpdate = ++m_updates;
    }

    // Best first, in the ranking order.
    QList<tamo::RankedTopic> ranked() const { return tamo::orderRanking(m_entries); }

    void clear()
    {
        m_index.clear();
        m_entries.clear();
        m_updates = 0;
    }

private:
    QHash<QString, qsizetype> m_index; // lower-cased name -> entry
    std::vector<tamo::RankingEntry> m_entries;
    qint64 m_updates = 0;
};
