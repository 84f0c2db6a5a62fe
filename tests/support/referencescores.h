#pragma once

#include "search/scoring.h"
#include "std/textroutines.h"

#include <QStringView>

#include <algorithm>
#include <stdexcept>
#include <vector>

// The classic edit distance (insert, delete, substitute, each 1), case-sensitive, by the full
// table. Throws std::invalid_argument beyond 255 characters, the longest words the search's
// distance takes.
inline int editDistance(QStringView a, QStringView b)
{
    if (a.size() > tamo::kMaxDistanceLength || b.size() > tamo::kMaxDistanceLength)
        throw std::invalid_argument("editDistance: longer than 255 characters");
    std::vector<int> prev(size_t(b.size() + 1)), cur(prev.size());
    for (qsizetype j = 0; j <= b.size(); ++j)
        prev[size_t(j)] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        cur[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j)
            cur[size_t(j)] = std::min({prev[size_t(j)] + 1, cur[size_t(j - 1)] + 1,
                                       prev[size_t(j - 1)] + (a[i - 1] == b[j - 1] ? 0 : 1)});
        std::swap(prev, cur);
    }
    return prev[size_t(b.size())];
}

// The word scores of scoring.h written as plainly as the rules read, on decoded text. The
// search scores raw bytes with worked-out tables; tests hold it against these.

inline int plainWordScore(QStringView lineWord, QStringView queryWord, bool heading)
{
    if (lineWord == queryWord)
        return tamo::equalScore(heading);
    return lineWord.contains(queryWord) ? tamo::containsScore(heading) : 0;
}

inline int quotedWordScore(QStringView lineWord, QStringView queryWord, bool heading)
{
    double s = 0;
    try {
        const double c = tamo::equalScore(heading);
        const double t = double(std::max<qsizetype>(2, queryWord.size() / 5));
        s = c - std::min(c, editDistance(lineWord, queryWord) / t * 20);
    } catch (const std::invalid_argument &) {
        s = 0; // too long to compare: containment alone decides
    }
    if (s == 0 && lineWord.contains(queryWord))
        s = tamo::containsScore(heading);
    return int(tamo::roundHalfToEven(s));
}
