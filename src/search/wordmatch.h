#pragma once

#include "search/blockscan.h"
#include "search/query.h"
#include "search/scoring.h"

#include <QByteArray>
#include <QString>

namespace tamo {

// One query word made ready for matching against the lower-cased bytes of the file.

// How the lines other than headings are searched for one word.
enum class Body {
    None,      // no line word can score
    Substring, // only equal and containing words score: find the word's bytes in the block
    Tokens,    // near misses score too: look at every word long enough
    Count,     // the empty quoted word: every word scores the same, so count words
};

struct Word {
    QString text;
    bool quoted = false;
    QByteArray bytes;          // Windows-1252 form of text
    bool encodable = false;    // text is all Windows-1252
    bool canOccur = false;     // a line word can equal or contain it
    bool containsOnly = false; // quoted but too long for the edit distance
    QuotedScoreTable table;
    Body body = Body::None;
    int bodyEqual = 0; // Substring: points for an equal word on a text line
    int minLength = 0; // Tokens: shorter words cannot score
    blockscan::Finder finder;
};

Word prepareWord(const QueryWord &query, blockscan::Kind scans);

// The points a line word (lower-cased bytes) earns against the word, on a heading line or
// another line, as the scoring rules of scoring.h give them.
int scoreWord(const Word &w, const char *lineWord, qsizetype length, bool heading);

} // namespace tamo
