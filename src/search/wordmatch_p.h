#pragma once

// Internal to the full-text search (fullsearch.h and topicsearch.h are its interface).

#include "search/blockscan_p.h"
#include "search/query.h"
#include "search/scoring.h"

#include <QByteArray>
#include <QString>

namespace tamo {

// How the lines other than headings are searched for one word.
enum class BodyScan {
    None,      // no line word can score
    Substring, // only equal and containing words score: find the word's bytes in the block
    Tokens,    // near misses score too: look at every word long enough
    Count,     // the empty quoted word: every word scores the same, so count words
};

// One query word made ready for matching against the raw and lower-cased bytes of the file.
struct SearchWord {
    QString text;
    bool quoted = false;
    QByteArray bytes;          // Windows-1252 form of text
    bool encodable = false;    // text is all Windows-1252
    bool canOccur = false;     // a line word can equal or contain it
    bool containsOnly = false; // quoted but too long for the edit distance
    QuotedScoreTable table;
    BodyScan body = BodyScan::None;
    int bodyEqual = 0; // Substring: points for an equal word on a text line
    int minLength = 0; // Tokens: shorter words cannot score
    blockscan::Finder finder;
};

SearchWord prepareWord(const QueryWord &query, blockscan::Kind scans);

// The points a line word (lower-cased bytes) earns against the word, on a heading line or
// another line, as the scoring rules of scoring.h give them.
int scoreWord(const SearchWord &w, const char *lineWord, qsizetype length, bool heading);

} // namespace tamo
