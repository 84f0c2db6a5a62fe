#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <stop_token>

namespace tamo {

class DocReader;

// The topic the viewer shows at start: the first topic whose name begins with this text,
// compared without regard to case.
inline constexpr char kStartTopic[] = "Verwendung_der_Dokumentation";

// The topic index: every heading's name in alphabetical order (names) and, parallel to it,
// the 1-based byte position of the heading's first '#' (positions). Where several headings
// carry the same name, the first of the equal entries holds the latest heading in the file,
// so a lookup of the first exact match shows the later topic.
struct TopicIndex {
    QStringList names;       // the sorted topic names
    QList<qint64> positions; // heading positions, parallel to names

    qsizetype count() const { return names.size(); }
    // The index of the first entry equal to name (case-sensitive), or -1.
    qsizetype find(const QString &name) const { return names.indexOf(name); }

    // The names whose beginning equals text without regard to case (both sides lower-cased),
    // in index order. text is taken as it stands: blanks count like any other character, and
    // an empty text gives every name.
    QStringList namesStartingWith(const QString &text) const;

private:
    mutable QStringList m_lowerNames; // lower-cased names, made on first use
};

// Called after every heading: the reader's position after the heading line, the file's size
// and the topic's name (the splash window makes its loading caption of them).
using LoadProgress =
    std::function<void(qint64 positionAfter, qint64 fileSize, const QString &name)>;

// Reads the open reader from its current position to the end and indexes every line that
// begins with "###". A heading that is the file's last line without line end gets the
// position one before its first character (0 for a file of that one line).
//
// A stop requested through stop ends the reading early; the index then holds the headings
// read so far, and the caller drops it.
TopicIndex buildTopicIndex(DocReader &reader, const LoadProgress &progress = {},
                           std::stop_token stop = {});

} // namespace tamo
