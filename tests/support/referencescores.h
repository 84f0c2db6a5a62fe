#pragma once

#include "search/scoring.h"
#include "std/textroutines.h"

#include <QStringView>

#include <algorithm>
#include <stdexcept>

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
        s = c - std::min(c, tamo::editDistance(lineWord, queryWord) / t * 20);
    } catch (const std::invalid_argument &) {
        s = 0; // too long to compare: containment alone decides
    }
    if (s == 0 && lineWord.contains(queryWord))
        s = tamo::containsScore(heading);
    return int(tamo::roundHalfToEven(s));
}
