#pragma once

#include <QList>
#include <QString>

namespace tamo {

// A run of characters in a shown topic text: 0-based start and length.
struct TextRange {
    qsizetype start = 0;
    qsizetype length = 0;

    bool operator==(const TextRange &) const = default;
};

// The words of a shown topic text (lines ended by CR LF, words separated by blanks) that earn
// points for at least one word of a normalised query, by the rules the full search scores text
// lines with: equal or containing for a plain word, near misses as well for a quoted one.
// They are what the window marks after showing a topic from a search result, e.g.
//   text "Datei lesen\r\nDateien\r\n", query "datei "  ->  {0, 5}, {13, 7}
QList<TextRange> searchHits(QStringView text, const QString &normalisedQuery);

} // namespace tamo
