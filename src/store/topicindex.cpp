#include "store/topicindex.h"

#include "std/collation.h"
#include "std/cp1252.h"
#include "std/textroutines.h"
#include "store/docreader.h"

#include <cstring>

QString loadingCaption(qint64 positionAfter, qint64 fileSize, const QString &name)
{
    // Whole-number arithmetic in 64 bits, so files beyond 2 GB still show a true figure.
    const qint64 permille = (positionAfter * 1000) / (fileSize + 1);
    const double percent = double(permille) / 10.0;
    return QStringLiteral("Quarn-Tamo wird geladen... (") + STD::NumberText(percent).left(4)
           + QStringLiteral("%)") + STD::NewLine() + name;
}

TopicIndex buildTopicIndex(DocReader &reader, const LoadProgress &progress)
{
    // Collect the headings in file order first, then sort once: the same result as inserting
    // each name at its sorted place in front of its equals, without the quadratic cost.
    QStringList names;
    QList<qint64> positions;
    const qint64 fileSize = reader.size();
    for (;;) {
        const QByteArrayView line = reader.readRawLine();
        if (DocReader::isEndMark(line))
            break;
        if (line.size() < 3 || std::memcmp(line.data(), "###", 3) != 0)
            continue;
        const QString name = cp1252::decode(line.sliced(3));
        const qint64 after = reader.position();
        positions.append(after - line.size() - 2);
        names.append(name);
        if (progress)
            progress(loadingCaption(after, fileSize, name));
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
