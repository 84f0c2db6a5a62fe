#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace tamo {

// One line of the search result: a topic and its total points.
struct RankedTopic {
    QString name;
    qint64 score = 0;

    bool operator==(const RankedTopic &) const = default;
};

// A topic's total and the moment it last received points (any count that grows with time).
struct RankingEntry {
    QString name;
    qint64 score = 0;
    qint64 lastUpdate = 0;
};

// The ranking order: higher totals first; equal totals in the shared alphabetical order of the
// name in double quotes, so that "Datei lesen" and "Datei_lesen" come before "Datei" (blank and
// underscore sort before the double quote) and "Datei" before "Dateien"; where the names tie as
// well, the entry that received points last comes first. This is the order a sorted list gets
// when every update takes the entry out and puts it back in front of its equals.
QList<RankedTopic> orderRanking(std::vector<RankingEntry> entries);

} // namespace tamo
