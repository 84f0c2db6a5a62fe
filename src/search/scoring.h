#pragma once

#include <QStringView>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace tamo {

// The points one word of a line earns against one query word. Both words are lower-case; a
// word on a heading line ("###...") earns more than one in the text.
//
// Plain query word: equalScore for an equal word, containsScore for a word that contains the
// query word; else 0.
//
// Quoted query word: near misses count. With d the edit distance and t = max(2, length div 5)
// the word earns c - min(c, d / t * 20), c being equalScore, rounded half to even. Where that
// is exactly 0 a word containing the query word earns containsScore. Words longer than the
// 255 characters the edit distance takes score by containment alone.
constexpr int equalScore(bool heading)
{
    return heading ? 20 : 4;
}

constexpr int containsScore(bool heading)
{
    return heading ? 10 : 2;
}

// The points a topic gets when its name, lower-cased, equals the query word.
inline constexpr int kNameScore = 30;

// The longest words the edit distance compares.
inline constexpr qsizetype kMaxDistanceLength = 255;

// The quoted word's points by distance, worked out once per query word: only distances up to
// maxDistance() give points by distance (0 after rounding counts as given); at any greater
// distance the score is exactly 0 and containment decides.
class QuotedScoreTable {
public:
    explicit QuotedScoreTable(qsizetype queryLength = 0);

    int maxDistance(bool heading) const { return m_max[heading]; }
    int scoreAt(int distance, bool heading) const { return m_scores[heading][distance]; }

private:
    std::array<int, 2> m_max{};
    std::array<std::array<int, kMaxDistanceLength + 2>, 2> m_scores{};
};

// The edit distance of a and b (lengths up to 255) when it is at most limit, else limit + 1.
// Only cells within limit of the diagonal are worked out, and the work stops as soon as a row
// has no cell within the limit.
template <typename A, typename B>
int boundedEditDistance(const A *a, int m, const B *b, int n, int limit)
{
    const int over = limit + 1;
    if (std::abs(m - n) > limit)
        return over;
    std::array<int, kMaxDistanceLength + 2> rows[2];
    int *prev = rows[0].data();
    int *cur = rows[1].data();
    const int firstHigh = std::min(n, limit);
    for (int j = 0; j <= firstHigh; ++j)
        prev[j] = j;
    if (firstHigh < n)
        prev[firstHigh + 1] = over;
    for (int i = 1; i <= m; ++i) {
        const int low = std::max(1, i - limit);
        const int high = std::min(n, i + limit);
        cur[low - 1] = low == 1 ? std::min(i, over) : over;
        int rowMin = cur[low - 1];
        for (int j = low; j <= high; ++j) {
            int v = prev[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            v = std::min(v, prev[j] + 1);
            v = std::min(v, cur[j - 1] + 1);
            cur[j] = std::min(v, over);
            rowMin = std::min(rowMin, cur[j]);
        }
        if (high < n)
            cur[high + 1] = over; // the next row reads one cell further right
        if (rowMin > limit)
            return over;
        std::swap(prev, cur);
    }
    return std::min(prev[n], over);
}

} // namespace tamo
