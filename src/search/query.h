#pragma once

#include <QList>
#include <QString>

namespace tamo {

// The full-text query as the search box hands it over, and the words the search runs on.

// Runs of blanks become one blank, leading and trailing blanks go, one blank follows the last
// word, and all is lower-cased:   "  Datei   Zugriff " -> "datei zugriff ";  "   " -> "".
QString normaliseQuery(const QString &text);

// One word of the query. A word holding a double quote anywhere is searched "quoted": without
// its first and last character, and near misses score as well. A lone double quote has no
// characters left between its ends and searches the empty quoted word, which every word
// contains.
struct QueryWord {
    QString text;
    bool quoted = false;

    bool operator==(const QueryWord &) const = default;
};

// The words of a normalised query, front to back; a word given twice is searched twice.
QList<QueryWord> queryWords(const QString &normalisedQuery);

} // namespace tamo
