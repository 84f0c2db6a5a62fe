#include "search/searchhits.h"

#include "search/query.h"
#include "search/wordmatch_p.h"
#include "std/cp1252.h"
#include "std/textroutines.h"

namespace tamo {

QList<TextRange> searchHits(QStringView text, const QString &normalisedQuery)
{
    // A word given twice marks nothing more than once.
    QList<QueryWord> unique;
    for (const QueryWord &w : queryWords(normalisedQuery)) {
        if (!unique.contains(w))
            unique.append(w);
    }
    std::vector<SearchWord> words;
    for (const QueryWord &w : unique)
        words.push_back(prepareWord(w, blockscan::Kind::Plain));

    QList<TextRange> hits;
    if (words.empty())
        return hits;
    const QString lowered = lowerCase(text);
    const qsizetype n = lowered.size();
    // Words end at a blank and at the CR LF that ends every line; a lone CR belongs to its
    // word, as it does for the search.
    auto isBreak = [&lowered, n](qsizetype k) {
        const QChar c = lowered.at(k);
        return c == u' ' || c == u'\n' || (c == u'\r' && k + 1 < n && lowered.at(k + 1) == u'\n');
    };
    qsizetype i = 0;
    while (i < n) {
        if (isBreak(i)) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < n && !isBreak(end))
            ++end;
        const QByteArray bytes = cp1252::encode(QStringView(lowered).mid(i, end - i));
        for (const SearchWord &w : words) {
            if (scoreWord(w, bytes.constData(), bytes.size(), false) > 0) {
                hits.append({i, end - i});
                break;
            }
        }
        i = end;
    }
    return hits;
}

} // namespace tamo
