#include "search/topicsearch.h"

#include "search/query.h"
#include "store/topicindex.h"

namespace tamo {

QList<RankedTopic> searchTopics(const QString &docPath, const QString &queryText,
                                const std::function<const TopicIndex &()> &index,
                                SearchProgress *progress)
{
    const QString query = normaliseQuery(queryText);
    if (!query.isEmpty())
        return fullSearch(docPath, query, progress);
    const QStringList &names = index().names;
    QList<RankedTopic> all;
    all.reserve(names.size());
    for (const QString &name : names)
        all.append({name, 0});
    return all;
}

QStringList searchTopicList(const TopicIndex &index, const QString &docPath,
                            const QString &queryText, SearchProgress *progress)
{
    const QString query = normaliseQuery(queryText);
    if (query.isEmpty())
        return index.names;
    QStringList names;
    for (const RankedTopic &topic : fullSearch(docPath, query, progress))
        names.append(topic.name);
    return names;
}

} // namespace tamo
