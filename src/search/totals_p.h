#pragma once

// Internal to the full-text search (fullsearch.h and topicsearch.h are its interface).

#include "search/ranking.h"
#include "std/cp1252.h"

#include <QHash>
#include <QList>

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace tamo {

// The totals, one entry per lower-cased topic name. Names live in one growing byte store and
// the entries are found through an open-addressing table, so that thousands of scored topics
// cost no allocation each. Only the spelling is stored: lower-cased, every spelling of an
// entry gives its key. Each topic has its own total under its exact lower-cased name.
class Totals {
public:
    // The entry of a name, made when it is new. key is the name lower-cased, spelling as the
    // heading has it.
    int find(const char *key, const char *spelling, qsizetype length)
    {
        const size_t hash = qHashBits(key, size_t(length), 0);
        if (4 * (m_entries.size() + 1) > 3 * m_table.size())
            grow();
        const size_t mask = m_table.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const int slot = m_table[i];
            if (slot < 0) {
                m_table[i] = int(m_entries.size());
                Entry e;
                e.nameOffset = store(spelling, length);
                e.length = length;
                e.hash = hash;
                m_entries.push_back(e);
                return m_table[i];
            }
            if (keyEquals(m_entries[std::size_t(slot)], hash, key, length))
                return slot;
        }
    }

    // Adds points to an entry, given at firstStamp and again at lastStamp (the same stamp for
    // points given once); spelling is the name as the heading has it.
    void add(int index, qint64 points, qint64 firstStamp, qint64 lastStamp, const char *spelling)
    {
        Entry &e = m_entries[std::size_t(index)];
        e.total += points;
        if (firstStamp < e.firstStamp) {
            e.firstStamp = firstStamp;
            if (e.length > 0 &&
                std::memcmp(m_store.data() + e.nameOffset, spelling, size_t(e.length)) != 0)
                e.nameOffset = store(spelling, e.length);
        }
        e.lastStamp = std::max(e.lastStamp, lastStamp);
    }

    // Adds points to the entry of a name as the heading spells it, made when it is new.
    void addByName(const char *spelling, qsizetype length, qint64 points, qint64 firstStamp,
                   qint64 lastStamp)
    {
        const auto &lower = cp1252::lowerTable();
        m_key.resize(std::size_t(length) + 1); // never empty: data() is a valid pointer
        for (qsizetype i = 0; i < length; ++i)
            m_key[std::size_t(i)] = char(lower[static_cast<unsigned char>(spelling[i])]);
        add(find(m_key.data(), spelling, length), points, firstStamp, lastStamp, spelling);
    }

    // Adds the points of every entry of other as if they had been given here: the totals add
    // up, and the earliest first and latest last stamp (with the spelling of the first) win,
    // whatever order the totals are merged in.
    void merge(const Totals &other)
    {
        for (const Entry &e : other.m_entries) {
            if (e.lastStamp >= 0) // it got points
                addByName(other.m_store.data() + e.nameOffset, e.length, e.total, e.firstStamp,
                          e.lastStamp);
        }
    }

    QList<RankedTopic> ranked() const
    {
        std::vector<RankingEntry> ranking;
        ranking.reserve(m_entries.size());
        for (const Entry &e : m_entries) {
            if (e.total > 0) {
                const QByteArrayView name(m_store.data() + e.nameOffset, e.length);
                ranking.push_back({cp1252::decode(name), e.total, e.lastStamp});
            }
        }
        return orderRanking(std::move(ranking));
    }

private:
    struct Entry {
        qint64 total = 0;
        qint64 firstStamp = std::numeric_limits<qint64>::max();
        qint64 lastStamp = -1;
        qsizetype nameOffset = 0; // spelled as when it first got points
        qsizetype length = 0;
        size_t hash = 0;
    };

    bool keyEquals(const Entry &e, size_t hash, const char *key, qsizetype length) const
    {
        if (e.hash != hash || e.length != length)
            return false;
        const auto &lower = cp1252::lowerTable();
        const char *name = m_store.data() + e.nameOffset;
        for (qsizetype i = 0; i < length; ++i) {
            if (char(lower[static_cast<unsigned char>(name[i])]) != key[i])
                return false;
        }
        return true;
    }

    qsizetype store(const char *bytes, qsizetype length)
    {
        const qsizetype offset = qsizetype(m_store.size());
        m_store.insert(m_store.end(), bytes, bytes + length);
        return offset;
    }

    void grow()
    {
        std::vector<int> table(std::max<size_t>(64, m_table.size() * 2), -1);
        const size_t mask = table.size() - 1;
        for (std::size_t k = 0; k < m_entries.size(); ++k) {
            size_t i = m_entries[k].hash & mask;
            while (table[i] >= 0)
                i = (i + 1) & mask;
            table[i] = int(k);
        }
        m_table = std::move(table);
    }

    std::vector<Entry> m_entries;
    std::vector<int> m_table; // entry indexes by hash, -1 where free
    std::vector<char> m_store;
    std::vector<char> m_key; // addByName's lower-cased name
};

} // namespace tamo
