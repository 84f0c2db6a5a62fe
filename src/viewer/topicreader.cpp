#include "viewer/topicreader.h"

#include "std/collation.h"
#include "std/textroutines.h"
#include "store/docreader.h"
#include "store/topicindex.h"

#include <algorithm>

namespace tamo {

namespace {

// Topic display reads little: a block of this size usually holds a whole topic.
constexpr qint64 kTopicBlock = 16 * 1024;

} // namespace

QString notFoundText()
{
    return QStringLiteral("Das Thema wurde nicht gefunden. Die Dokumentation ist möglicherweise "
                          "beschädigt. Stellen Sie sicher, dass der Verweis und die Überschrift "
                          "des") +
           newLine() +
           QStringLiteral("Themas richtig geschrieben und in der Datei TAMO.TXW eingetragen "
                          "sind.") +
           newLine() +
           QStringLiteral("Geben Sie das Thema als Suchbegriff ein, um es suchen zu lassen.");
}

TopicContent readTopic(DocReader &reader, const TopicIndex &index, const QString &name)
{
    reader.setBlockSize(kTopicBlock);
    TopicContent topic;
    topic.title = name;

    const qsizetype count = index.count();
    qsizetype i = index.find(name);
    if (i < 0) {
        i = count;
        reader.seek(1);
    } else {
        // A heading that is the whole file has the stored position 0, which no read can
        // start from; reading from byte 1 finds it just the same.
        reader.seek(std::max<qint64>(1, index.positions.at(i)));
    }

    // Find the heading: read on from the stored position; at the end, scan once from byte 1.
    for (;;) {
        const QString line = reader.readLine();
        if (line == endOfFileMark()) {
            if (i == count) {
                topic.title = QString::fromUtf16(kNotFoundTitle);
                topic.shownText = notFoundText();
                topic.fullText = topic.shownText;
                return topic;
            }
            reader.seek(1);
            i = count;
            continue;
        }
        if (line.startsWith(u"###") && QStringView(line).mid(3) == name)
            break;
    }

    // The body, up to the first "---" or "###" line or the end.
    QString line;
    for (;;) {
        line = reader.readLine();
        if (line == endOfFileMark() || line.startsWith(u"---") || line.startsWith(u"###"))
            break;
        topic.fullText += line + newLine();
        if (!line.startsWith(u"%%%"))
            topic.shownText += line + newLine();
    }

    // The related topics: every non-blank line up to the next heading names one.
    while (line != endOfFileMark() && !line.startsWith(u"###")) {
        qsizetype lead = 0;
        while (lead < line.size() && line[lead] == u' ')
            ++lead;
        if (lead < line.size())
            topic.related += line.mid(3);
        line = reader.readLine();
    }
    QStringList sorted;
    sorted.reserve(topic.related.size());
    for (const qsizetype k : collation::insertionOrder(topic.related))
        sorted.append(topic.related.at(k));
    topic.related = std::move(sorted);
    topic.found = true;
    return topic;
}

} // namespace tamo
