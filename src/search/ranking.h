#pragma once

#include <QHash>
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

// The ranking list of the full-text search. Names that differ only in case share one entry,
// spelled as it was when it first got points; scores of 0 change nothing.
//
// Each topic has its own total under its exact lower-cased name, and names are listed exactly
// as they stand. (Looking entries up by a part of their text would let a name holding double
// quotes collect another topic's points, and stripping quotes for the listing would change
// such names.)
class RankingList {
public:
    void add(const QString &name, int score);

    // Best first, in the ranking order.
    QList<RankedTopic> ranked() const;
    // The names of ranked(), as the result list shows them.
    QStringList listing() const;

    qsizetype count() const { return qsizetype(m_entries.size()); }
    void clear();

private:
    QHash<QString, qsizetype> m_index; // lower-cased name -> entry
    std::vector<RankingEntry> m_entries;
    qint64 m_updates = 0;
};

} // namespace tamo
