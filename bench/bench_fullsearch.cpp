// The full search in process on generated documentation of several sizes: on one thread as
// one part, and cut into parts on all cores. The ratio of the two, size by size, shows what
// the threads gain and from which file size on they pay (the search keeps files under 1 MB
// on one thread). At 20 and 80 MB, the same search scanning 16 bytes at a time instead of 32
// shows what the wider scans gain. Run with
// --benchmark_repetitions=N for medians on a busy machine.

#include "search/fullsearch.h"
#include "search/query.h"

#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tamo;

namespace {

// A generated documentation of about bytes bytes, one topic per 9 KB as in real text.
QString docPath(qint64 bytes)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench-%1.txw").arg(bytes));
    if (!QFile::exists(path))
        QProcess::execute(QStringLiteral(GENDOC_BINARY),
                          {"--topics", QString::number(std::max<qint64>(1, bytes / 9000)),
                           "--bytes", QString::number(bytes), path});
    return path;
}

// threads 1: one part, as before the search used the cores; 0: the automatic parts, one
// thread below 1 MB; -1: four parts a core at any size, to see where the threads pay.
void search(benchmark::State &state, const QString &query, int threads)
{
    const QString path = docPath(state.range(0));
    const QString normalised = normaliseQuery(query);
    SearchTuning tuning{.partBytes = threads == 1 ? qint64(1) << 60 : 0, .threads = threads};
    if (threads < 0)
        tuning = {.partBytes = state.range(0) / 8 + 1, .threads = 0};
    for (auto _ : state)
        benchmark::DoNotOptimize(fullSearch(path, normalised, nullptr, tuning));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void oneWordOneThread(benchmark::State &state)
{
    search(state, "datei", 1);
}
void oneWordAllCores(benchmark::State &state)
{
    search(state, "datei", 0);
}
void oneWordForcedParts(benchmark::State &state)
{
    search(state, "datei", -1);
}
void twoWordsOneThread(benchmark::State &state)
{
    search(state, "datei zugriff", 1);
}
void twoWordsAllCores(benchmark::State &state)
{
    search(state, "datei zugriff", 0);
}

// What the 32-byte scans gain: two words on all cores, scanned 16 bytes at a time.
void twoWordsSixteenBytes(benchmark::State &state)
{
    const QString path = docPath(state.range(0));
    const QString normalised = normaliseQuery("datei zugriff");
    for (auto _ : state)
        benchmark::DoNotOptimize(fullSearch(path, normalised, nullptr, {.scanBytes = 16}));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void sizes(benchmark::internal::Benchmark *b)
{
    for (const qint64 bytes :
         {128'000, 256'000, 512'000, 1'000'000, 2'000'000, 4'000'000, 20'000'000, 80'000'000})
        b->Arg(bytes);
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

BENCHMARK(oneWordOneThread)->Apply(sizes);
BENCHMARK(oneWordAllCores)->Apply(sizes);
BENCHMARK(oneWordForcedParts)->Apply(sizes);
BENCHMARK(twoWordsOneThread)->Apply(sizes);
BENCHMARK(twoWordsAllCores)->Apply(sizes);
BENCHMARK(twoWordsSixteenBytes)
    ->Arg(20'000'000)
    ->Arg(80'000'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_MAIN();
