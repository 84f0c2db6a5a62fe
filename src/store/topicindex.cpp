#include "store/topicindex.h"

#include "std/collation.h"
#include "std/cp1252.h"
#include "std/textroutines.h"
#include "store/docreader.h"

namespace tamo {

namespace {

// Longer text lines are read past, not kept.
constexpr qsizetype kShortLine = 64 * 1024;

// A heading's name as text. Nearly all names are plain ASCII, which Windows-1252 shares with
// Latin-1, whose decoding Qt does many bytes at a time.
QString decodeName(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return cp1252::decode(bytes);
    }
    return QString::fromLatin1(bytes);
}

} // namespace

QStringList TopicIndex::namesStartingWith(const QString &text) const
{
    if (text.isEmpty())
        return names;
    if (m_lowerNames.size() != names.size()) {
        m_lowerNames.clear();
        m_lowerNames.reserve(names.size());
        for (const QString &name : names)
            m_lowerNames.append(lowerCase(name));
    }
    const QString wanted = lowerCase(text);
    QStringList result;
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (m_lowerNames.at(i).startsWith(wanted))
            result.append(names.at(i));
    }
    return result;
}

TopicIndex buildTopicIndex(DocReader &reader, const LoadProgress &progress, std::stop_token stop)
{
    // Collect the headings in file order first, then sort once: the same result as inserting
    // each name at its sorted place in front of its equals, without the quadratic cost.
    QStringList names;
    QList<qint64> positions;
    const qint64 fileSize = reader.size();
    for (;;) {
        // Only headings are read whole: a text line of any length costs no more memory than
        // this much of it.
        const qint64 lineStart = reader.position();
        bool cut = false;
        QByteArrayView line = reader.readRawLine(kShortLine, &cut);
        if (lines::isEndMark(line) || stop.stop_requested())
            break;
        if (!lines::isHeading(line))
            continue;
        if (cut) {
            reader.seek(lineStart);
            line = reader.readRawLine();
        }
        const QString name = decodeName(line.sliced(3));
        const qint64 after = reader.position();
        positions.append(after - line.size() - 2);
        names.append(name);
        if (progress)
            progress(after, fileSize, name);
    }

    const QList<qsizetype> order = collation::insertionOrder(names);
    TopicIndex index;
    index.names.reserve(names.size());
    index.positions.reserve(names.size());
    for (qsizetype i : order) {
        index.names.append(names.at(i));
        index.positions.append(positions.at(i));
    }
    return index;
}

} // namespace tamo
