// The full-text search: the same ranking at the default block size, at tiny blocks and reads
// with the plain scans, and with the file cut into parts of a few bytes (one line each at
// the least) scored on several threads; on small files the same as the search written as its
// rules read (tests/support). Query words are taken from the file, quoted, cut, in capitals or
// repeated, so that they match.

#include "fuzzinput.h"

#include "search/fullsearch.h"
#include "search/query.h"
#include "std/cp1252.h"
#include "support/referencesearch.h"

namespace {

QString queryFrom(FuzzedDataProvider &data, const QByteArray &file)
{
    const QList<QByteArray> words = file.simplified().split(' ');
    QStringList query;
    for (int n = data.ConsumeIntegralInRange(1, 5); n > 0; --n) {
        QString word = tamo::cp1252::decode(
            words.at(data.ConsumeIntegralInRange<qsizetype>(0, words.size() - 1)));
        switch (data.ConsumeIntegralInRange(0, 5)) {
        case 0:
            word = u'"' + word + u'"';
            break;
        case 1:
            word = u'"' + word.left(word.size() / 2 + 1) + u'x' + u'"';
            break;
        case 2:
            word = word.mid(1, 3);
            break;
        case 3:
            word = word.toUpper();
            break;
        case 4:
            if (!query.isEmpty())
                word = query.first();
            break;
        default:
            break;
        }
        query += word;
    }
    return tamo::normaliseQuery(query.join(u' '));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    const tamo::SearchTuning tiny{.blockBytes = data.ConsumeIntegralInRange<qint64>(1, 64),
                                  .readBytes = data.ConsumeIntegralInRange<qint64>(1, 16),
                                  .scanBytes = data.PickValueInArray({1, 16, 32})};
    tamo::SearchTuning parts = tiny;
    parts.partBytes = data.ConsumeIntegralInRange<qint64>(1, 200);
    parts.threads = data.ConsumeIntegralInRange(1, 3);
    const std::string queryBytes = data.ConsumeBytesAsString(64);
    const QByteArray file = remainingBytes(data);
    const QString path = writeInputFile(file);
    FuzzedDataProvider queryData(reinterpret_cast<const uint8_t *>(queryBytes.data()),
                                 queryBytes.size());
    const QString query = queryFrom(queryData, file);

    const QList<tamo::RankedTopic> result = tamo::fullSearch(path, query);
    FUZZ_CHECK(tamo::fullSearch(path, query, nullptr, tiny) == result);
    FUZZ_CHECK(tamo::fullSearch(path, query, nullptr, parts) == result);
    if (file.size() <= 2048)
        FUZZ_CHECK(referenceSearch(path, query) == result);
    return 0;
}
