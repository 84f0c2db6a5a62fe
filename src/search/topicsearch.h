#pragma once

#include "search/fullsearch.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace tamo {

struct TopicIndex;

// The full-text search as both programs run it from what the user typed. A query of blanks
// only (empty once normalised) lists every topic in index order with 0 points; any other
// query gives the ranked result of fullSearch. index is asked for only in the first case, so
// a caller may build it on demand.
QList<RankedTopic> searchTopics(const QString &docPath, const QString &queryText,
                                const std::function<const TopicIndex &()> &index,
                                SearchProgress *progress = nullptr);

// The names of searchTopics, as the topic list shows them.
QStringList searchTopicList(const TopicIndex &index, const QString &docPath,
                            const QString &queryText, SearchProgress *progress = nullptr);

} // namespace tamo
