// The topic index: parallel name and position lists in the shared order, every position at
// its heading, every heading before the end of the file indexed, the same index at every
// block size, and the prefix filter.

#include "fuzzinput.h"

#include "std/collation.h"
#include "std/cp1252.h"
#include "std/linerule.h"
#include "std/textroutines.h"
#include "store/docreader.h"
#include "store/topicindex.h"

#include <QSet>

namespace {

tamo::TopicIndex indexAt(const QString &path, qint64 block)
{
    tamo::DocReader reader;
    FUZZ_CHECK(reader.open(path));
    reader.setBlockSize(block);
    return tamo::buildTopicIndex(reader);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    const qint64 block = data.ConsumeIntegralInRange<qint64>(1, 200);
    const std::string prefixBytes = data.ConsumeRandomLengthString(4);
    const QByteArray file = remainingBytes(data);
    const QString path = writeInputFile(file);

    const tamo::TopicIndex index = indexAt(path, 256 * 1024);
    FUZZ_CHECK(index.names.size() == index.positions.size());
    const tamo::TopicIndex small = indexAt(path, block);
    FUZZ_CHECK(small.names == index.names && small.positions == index.positions);

    // Each position is the first '#' of a heading with that name; a heading that is the last
    // line without line end stands one byte further.
    QSet<qint64> positions;
    for (qsizetype i = 0; i < index.count(); ++i) {
        const QByteArray heading = "###" + tamo::cp1252::encode(index.names.at(i));
        const qint64 p = index.positions.at(i);
        FUZZ_CHECK(p >= 0 && p <= file.size());
        const QByteArray at = file.mid(p > 0 ? p - 1 : 0);
        const bool lastLine = at.mid(p > 0 ? 1 : 0) == heading;
        // Else the heading, the one byte its line end drops (CR, normally), and the LF.
        FUZZ_CHECK(lastLine || (at.startsWith(heading) && at.mid(heading.size() + 1, 1) == "\n"));
        positions.insert(p);
        if (i > 0) {
            const int order = tamo::collation::compare(index.names.at(i - 1), index.names.at(i));
            FUZZ_CHECK(order < 0 || (order == 0 && index.positions.at(i - 1) > p));
        }
    }
    FUZZ_CHECK(positions.size() == index.count());

    // Every heading line before the first line that reads as the end of the file is indexed.
    tamo::DocReader reader;
    FUZZ_CHECK(reader.open(path));
    qsizetype headings = 0;
    for (QByteArrayView line = reader.readRawLine(); !tamo::lines::isEndMark(line);
         line = reader.readRawLine())
        headings += tamo::lines::isHeading(line);
    FUZZ_CHECK(headings == index.count());

    // The prefix filter keeps the index order and exactly the names that begin with the text.
    const QString prefix =
        tamo::cp1252::decode(QByteArrayView(prefixBytes.data(), qsizetype(prefixBytes.size())));
    for (const QString &text : {prefix, QString(), prefix.toUpper()}) {
        QStringList expected;
        for (const QString &name : index.names) {
            if (tamo::lowerCase(name).startsWith(tamo::lowerCase(text)))
                expected += name;
        }
        FUZZ_CHECK(index.namesStartingWith(text) == expected);
    }
    return 0;
}
