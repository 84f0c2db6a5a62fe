#pragma once

#include "search/ranking.h"
#include "search/searchprogress.h"

#include <QList>
#include <QString>

namespace tamo {

// How much of the file one step handles. Small sizes let the tests cross many block and part
// edges.
struct SearchTuning {
    qint64 blockBytes = 256 * 1024; // whole lines are searched a block at a time
    qint64 readBytes = 256 * 1024;  // each read asks for at most this much
    // Bytes the scans look at at once: 32 where the processor can (else 16), 16 (SSE2), or 1
    // (the plain scans, as on targets without SSE2).
    int scanBytes = 32;
    // The file is cut into parts of about this size, which threads score side by side; a part
    // holds the lines that start in it. 0: chosen from the file's size and the cores, a file
    // under 1 MB being one part. 1: one line a part.
    qint64 partBytes = 0;
    int threads = 0; // threads at most; 0: one per core
};

// Searches the documentation file for the words of a normalised query (see normaliseQuery)
// and returns the topics that earned points, best first.
//
// Every word scores every word of every line of a topic (heading lines included) and, once
// per heading, the topic name itself; see scoring.h.
// Lines are read as DocReader reads them, and a line that reads as the end-of-file mark ends
// the search. Lines before the first heading belong to no topic and earn nothing.
//
// The file is read once, block by block, and all words are looked for in each block. A larger
// file is cut into parts at line starts that are scored on all cores at once; their totals are
// merged as if the file had been read from start to end, so the result is the same to the
// last tie. The progress bar runs from 0 to words x file length as if each word had a pass of
// its own over the file: the reading advances all passes at once, so the value is words x bytes
// read; each pass's start value (file length x words before it) is shown when reached, between
// those the bar is repainted at most every 0.2 s, and it ends at the maximum. The bar is only
// ever driven from the calling thread.
//
// A missing or unreadable file or an empty query gives an empty result and no progress; an
// empty file gives an empty result, its bar running from 0 to 0.
QList<RankedTopic> fullSearch(const QString &docPath, const QString &normalisedQuery,
                              SearchProgress *progress = nullptr);
QList<RankedTopic> fullSearch(const QString &docPath, const QString &normalisedQuery,
                              SearchProgress *progress, const SearchTuning &tuning);

} // namespace tamo
