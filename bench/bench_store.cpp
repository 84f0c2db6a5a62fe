// Loading the topic index from a generated 20 MB / 30,000-topic documentation, with and
// without a progress hook, against a bare read of the same file as the baseline.

#include "store/docreader.h"
#include "store/topicindex.h"
#include "viewer/startup.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tamo;

namespace {

const QString &docPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath("bench.txw");
        QProcess::execute(QStringLiteral(GENDOC_BINARY),
                          {"--topics", "30000", "--bytes", "20000000", p});
        return p;
    }();
    return path;
}

void readWholeFile(benchmark::State &state)
{
    for (auto _ : state) {
        QFile f(docPath());
        f.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(f.readAll());
    }
}

void buildIndex(benchmark::State &state)
{
    const bool withProgress = state.range(0) != 0;
    qsizetype captions = 0;
    for (auto _ : state) {
        DocReader reader;
        reader.open(docPath());
        LoadProgress progress;
        if (withProgress)
            progress = [&captions](qint64 after, qint64 size, const QString &name) {
                captions += loadingCaption(after, size, name).size();
            };
        const TopicIndex index = buildTopicIndex(reader, progress);
        benchmark::DoNotOptimize(index.names.size());
    }
    benchmark::DoNotOptimize(captions);
}

} // namespace

BENCHMARK(readWholeFile)->Unit(benchmark::kMillisecond);
BENCHMARK(buildIndex)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
