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

// The three-line text shown in place of a topic that cannot be found.
QString notFoundText();

// Reads the topic called name from the open reader. The index gives the heading's position
// (the latest heading of that name); from there the reader reads on until it meets the
// heading. Only when the name is not in the index, or its heading is not found at or after
// the stored position (the file changed since loading), is the file scanned once from the
// start. The body ends at the first line that begins with "---" or "###"; the related-topic
// section runs from that "---" line to the next heading, one name per non-blank line.
TopicContent readTopic(DocReader &reader, const TopicIndex &index, const QString &name);

} // namespace tamo
