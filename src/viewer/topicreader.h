#pragma once

#include <QString>
#include <QStringList>

namespace tamo {

class DocReader;
struct TopicIndex;

// One topic as the viewer shows it.
struct TopicContent {
    bool found = false;
    QString title;     // the topic name, or the error title
    QString shownText; // body lines without picture lines, each followed by CR LF
    QString fullText;  // body lines with picture lines, each followed by CR LF
    // The related-topic names in the order of the list that shows them: the shared
    // alphabetical order, of equal names the later one in the file first. Empty when not
    // found.
    QStringList related;
};

inline constexpr char16_t kNotFoundTitle[] = u"Fehler: Thema nicht gefunden.";

// A topic text longer than this many characters (one per byte of the file) is shown only up
// to here: beyond it the text view would take seconds per click and gigabytes of memory.
inline constexpr qsizetype kTopicTextLimit = 16 * 1024 * 1024;

// The note that ends a topic text cut at limit characters, on a line of its own.
QString cutTopicNote(qsizetype limit);

// The three-line text shown in place of a topic that cannot be found.
QString notFoundText();

// Reads the topic called name from the open reader. The index gives the heading's position
// (the latest heading of that name); from there the reader reads on until it meets the
// heading. Only when the name is not in the index, or its heading is not found at or after
// the stored position (the file changed since loading), is the file scanned once from the
// start. The body ends at the first line that begins with "---" or "###"; the related-topic
// section runs from that "---" line to the next heading, one name per non-blank line.
//
// A body longer than textLimit characters is cut there: the texts keep what fits (a picture
// line only whole), followed by cutTopicNote(); the related topics are still read (each name
// up to kTopicTextLimit bytes). No line is held in memory beyond those limits.
TopicContent readTopic(DocReader &reader, const TopicIndex &index, const QString &name,
                       qsizetype textLimit = kTopicTextLimit);

} // namespace tamo
