#pragma once

#include "search/ranking.h"
#include "search/scoring.h"
#include "std/collation.h"
#include "std/textroutines.h"
#include "store/docreader.h"
#include "support/referencescores.h"

#include <QList>
#include <QString>

// The search as its rules read: one pass over the file per query word, line by line, each
// score entered into a sorted list that takes the entry out and puts it back in front of
// its equals.
inline QList<tamo::RankedTopic> referenceSearch(const QString &path, const QString &query)
{
    QList<tamo::RankedTopic> list;
    auto add = [&list](const QString &name, int score) {
        if (score == 0)
            return;
        tamo::RankedTopic item{name, 0};
        for (qsizetype i = 0; i < list.size(); ++i) {
            if (list[i].name.toLower() == name.toLower()) {
                item = list.takeAt(i);
                break;
            }
        }
        item.score += score;
        qsizetype at = 0;
        while (at < list.size() && (list[at].score != item.score
                                        ? list[at].score > item.score
                                        : tamo::collation::compare(u'"' + list[at].name + u'"',
                                                                   u'"' + item.name + u'"') < 0))
            ++at;
        list.insert(at, item);
    };
    for (QString word : query.split(u' ', Qt::SkipEmptyParts)) {
        const bool quoted = word.contains(u'"');
        if (quoted)
            word = word.size() >= 2 ? word.mid(1, word.size() - 2) : QString();
        tamo::DocReader reader;
        if (!reader.open(path))
            return {};
        QString topic;
        bool inTopic = false;
        for (QString line; (line = reader.readLine()) != tamo::endOfFileMark();) {
            const bool heading = line.startsWith(u"###");
            if (heading) {
                topic = line.mid(3);
                inTopic = true;
                if (topic.toLower() == word)
                    add(topic, tamo::kNameScore);
            }
            for (const QString &w : line.toLower().split(u' ', Qt::SkipEmptyParts)) {
                if (inTopic)
                    add(topic, quoted ? quotedWordScore(w, word, heading)
                                      : plainWordScore(w, word, heading));
            }
        }
    }
    return list;
}
