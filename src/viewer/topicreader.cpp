#include "viewer/topicreader.h"

#include "std/collation.h"
#include "std/cp1252.h"
#include "std/textroutines.h"
#include "store/docreader.h"
#include "store/topicindex.h"

#include <QLocale>

#include <algorithm>

namespace tamo {

namespace {

// Topic display reads little: a block of this size usually holds a whole topic.
constexpr qint64 kTopicBlock = 16 * 1024;

} // namespace

QString cutTopicNote(qsizetype limit)
{
    return newLine() +
           QStringLiteral("[Hier endet die Anzeige: das Thema ist länger als %1 Zeichen. Die "
                          "Suche findet auch den Rest.]")
               .arg(QLocale(QLocale::German).toString(qint64(limit))) +
           newLine();
}

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

TopicContent readTopic(DocReader &reader, const TopicIndex &index, const QString &name,
                       qsizetype textLimit)
{
    reader.setBlockSize(kTopicBlock);
    TopicContent topic;
    topic.title = name;
    // Headings are compared as bytes: decoding is one character per byte, both ways.
    bool encodable = false;
    const QByteArray heading = "###" + cp1252::encode(name, &encodable);

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
        bool longer = false;
        const QByteArrayView line = encodable ? reader.readRawLine(heading.size(), &longer)
                                              : QByteArrayView(lines::kEndMark, 1);
        if (lines::isEndMark(line)) {
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
        if (!longer && line == heading)
            break;
    }

    // The body, up to the first "---" or "###" line or the end.
    qsizetype room = textLimit; // characters the full text may still take
    bool cut = false;
    QByteArrayView line;
    for (;;) {
        const qint64 lineStart = reader.position();
        bool longer = false;
        line = reader.readRawLine(std::max<qsizetype>(cut ? 0 : room, 3), &longer);
        if (lines::isEndMark(line) || lines::isHeading(line))
            break;
        if (lines::isRelatedLine(line)) {
            if (longer) { // a related-topic name is read whole (up to its own limit)
                reader.seek(lineStart);
                line = reader.readRawLine(kTopicTextLimit);
            }
            break;
        }
        if (cut)
            continue; // past the limit: only the end of the body is wanted
        const bool picture = lines::isPictureLine(line);
        if (longer || line.size() + 2 > room) {
            cut = true;
            if (picture)
                continue; // a picture name is kept whole or not at all
            line.truncate(std::min(line.size(), room));
        }
        const QString text = cp1252::decode(line);
        topic.fullText += text;
        if (!picture)
            topic.shownText += text;
        if (!cut) {
            topic.fullText += newLine();
            if (!picture)
                topic.shownText += newLine();
            room -= line.size() + 2;
        }
    }
    if (cut) {
        const QString note = cutTopicNote(textLimit);
        topic.fullText += note;
        topic.shownText += note;
    }

    // The related topics: every non-blank line up to the next heading names one.
    while (!lines::isEndMark(line) && !lines::isHeading(line)) {
        const bool blank = std::all_of(line.begin(), line.end(), [](char c) { return c == ' '; });
        if (!blank)
            topic.related += cp1252::decode(line.size() > 3 ? line.sliced(3) : QByteArrayView());
        line = reader.readRawLine(kTopicTextLimit);
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
