// The line reader against a reading one byte at a time, as the format describes it: the same
// lines and the same positions, at every block size, with and without a limit, after any seek.

#include "fuzzinput.h"

#include "store/docreader.h"

namespace {

struct Line {
    QByteArray text;
    qint64 position; // after the line
};

// The next line from the 1-based position p, one byte at a time.
Line referenceLine(const QByteArray &file, qint64 p)
{
    const qint64 n = file.size();
    if (p < 1 || p > n)
        return {QByteArray("\r"), p};
    QByteArray line;
    while (p <= n) {
        const char b = file[p - 1];
        line += b;
        ++p;
        if (b == '\n') {
            line.chop(std::min<qsizetype>(2, line.size()));
            return {line, p};
        }
    }
    return {line, n + 2}; // the reader looked one byte past the end
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    const qint64 block = data.ConsumeIntegralInRange<qint64>(1, 300);
    const qsizetype limit = data.ConsumeIntegralInRange<qsizetype>(0, 40);
    const uint32_t limitedCalls = data.ConsumeIntegral<uint32_t>(); // bit i: call i limited
    const qint64 seekTo = data.ConsumeIntegralInRange<qint64>(-2, 300);
    const QByteArray file = remainingBytes(data);
    const QString path = writeInputFile(file);

    for (const qint64 blockSize : {block, qint64(256 * 1024)}) {
        tamo::DocReader reader;
        FUZZ_CHECK(reader.open(path));
        reader.setBlockSize(blockSize);
        FUZZ_CHECK(reader.size() == file.size());
        qint64 p = 1;
        for (int call = 0;; ++call) {
            const Line expected = referenceLine(file, p);
            const bool limited = call < 32 && (limitedCalls >> call & 1);
            bool cut = false;
            const QByteArrayView got =
                limited ? reader.readRawLine(limit, &cut) : reader.readRawLine();
            // At least one byte, so that a line reading as the end of the file stays one.
            const qsizetype most = std::max<qsizetype>(limit, 1);
            const bool longer = limited && expected.text.size() > most;
            FUZZ_CHECK(got == (longer ? expected.text.first(most) : expected.text));
            FUZZ_CHECK(cut == longer);
            FUZZ_CHECK(reader.position() == expected.position);
            if (p > file.size())
                break; // the end-of-file mark, and the position stays
            p = expected.position;
        }
        reader.seek(seekTo);
        const Line expected = referenceLine(file, seekTo);
        FUZZ_CHECK(reader.readRawLine() == expected.text);
        FUZZ_CHECK(reader.position() == expected.position);
    }
    return 0;
}
