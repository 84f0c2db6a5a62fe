#include "search/scoring.h"

#include "std/textroutines.h"

#include <algorithm>

namespace tamo {

namespace {

// The unrounded score of a quoted word at edit distance d.
double distanceScore(int distance, qsizetype queryLength, bool heading)
{
    const double c = equalScore(heading);
    const double t = double(std::max<qsizetype>(2, queryLength / 5));
    const double p = distance / t * 20;
    return c - std::min(c, p);
}

} // namespace

QuotedScoreTable::QuotedScoreTable(qsizetype queryLength)
{
    for (const bool heading : {false, true}) {
        // The score falls with the distance and, once 0, stays 0: p only grows.
        int d = 0;
        while (d <= kMaxDistanceLength) {
            const double s = distanceScore(d, queryLength, heading);
            if (s == 0)
                break;
            m_scores[heading][d] = int(roundHalfToEven(s));
            ++d;
        }
        m_max[heading] = d - 1;
    }
}

} // namespace tamo
