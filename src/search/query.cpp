#include "search/query.h"

#include "std/textroutines.h"

namespace tamo {

QString normaliseQuery(const QString &text)
{
    QString query = trimBlanks(collapseBlanks(text));
    if (!query.isEmpty())
        query += u' ';
    return lowerCase(query);
}

QList<QueryWord> queryWords(const QString &normalisedQuery)
{
    QList<QueryWord> words;
    for (const QStringView word : QStringView(normalisedQuery).split(u' ', Qt::SkipEmptyParts)) {
        QueryWord w;
        w.quoted = word.contains(u'"');
        if (!w.quoted)
            w.text = word.toString();
        else if (word.size() >= 2)
            w.text = word.sliced(1, word.size() - 2).toString();
        words.append(w);
    }
    return words;
}

} // namespace tamo
