#include "search/scoring.h"

#include "std/textroutines.h"

#include <algorithm>
#include <stdexcept>

namespace tamo {

namespace {

// The unrounded score of a quoted word at edit distance d.
double distanceScore(int distance, qsizetype queryLength, bool heading)
{
    const double c = heading ? 20 : 4;
    const double t = double(std::max<qsizetype>(2, queryLength / 5));
    const double p = distance / t * 20;
    return c - std::min(c, p);
}

int containsScore(bool heading)
{
    return heading ? 10 : 2;
}

} // namespace

int plainWordScore(QStringView lineWord, QStringView queryWord, bool heading)
{
    if (lineWord == queryWord)
        return heading ? 20 : 4;
    if (lineWord.contains(queryWord))
        return containsScore(heading);
    return 0;
}

int quotedWordScore(QStringView lineWord, QStringView queryWord, bool heading)
{
    double s = 0;
    try {
        s = distanceScore(editDistance(lineWord, queryWord), queryWord.size(), heading);
    } catch (const std::invalid_argument &) {
        s = 0; // too long to compare: containment alone decides
    }
    if (s == 0 && lineWord.contains(queryWord))
        s = containsScore(heading);
    return int(roundHalfToEven(s));
}

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
