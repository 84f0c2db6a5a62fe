#include "search/fullsearch.h"

#include "search/blockreader_p.h"
#include "search/blockscan_p.h"
#include "search/progressdriver_p.h"
#include "search/query.h"
#include "search/scoring.h"
#include "search/totals_p.h"
#include "search/wordmatch_p.h"
#include "std/linerule.h"
#include "std/sidethread.h"

#include <QByteArray>
#include <QHash>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <functional>
#include <limits>
#include <mutex>
#include <system_error>
#include <vector>

namespace tamo {

namespace {

qsizetype lastIndexOf(const char *data, char c, qsizetype from, qsizetype before)
{
    if (from >= before)
        return -1;
    const void *hit = memrchr(data + from, c, size_t(before - from));
    return hit ? static_cast<const char *>(hit) - data : -1;
}

// A file this small is searched on one thread: starting more costs more than it saves.
constexpr qint64 kOneThreadBelow = 1024 * 1024;
// Automatic parts are no smaller than this, and a few per thread, so that a thread slowed down
// by other work leaves its share to the others.
constexpr qint64 kMinPartBytes = 1024 * 1024;
constexpr qint64 kPartsPerThread = 4;

qint64 partSize(qint64 requested, qint64 fileSize, int cores)
{
    if (requested > 0)
        return requested;
    if (fileSize < kOneThreadBelow || cores <= 1)
        return std::max<qint64>(fileSize, 1);
    return std::max(kMinPartBytes, fileSize / (qint64(cores) * kPartsPerThread) + 1);
}

qsizetype indexOf(const char *data, char c, qsizetype from, qsizetype to)
{
    if (from >= to)
        return -1;
    const void *hit = std::memchr(data + from, c, size_t(to - from));
    return hit ? static_cast<const char *>(hit) - data : -1;
}

// The query words made ready for matching, once per search. The threads that score the parts
// of the file share them and only read them.
struct Passes {
    struct Pass {
        SearchWord word;
        qint64 times; // how often the query gives the word
        qsizetype first;
        qsizetype last;  // the word's first and last place in the query
        int placesIndex; // its list in BlockFinds::places, or -1
    };

    Passes(const QList<QueryWord> &words, blockscan::Kind scans)
    {
        // A word given again is matched once: its points count as often as it was given, and
        // its first and last pass mark when its topics first and last got points.
        QHash<QString, std::size_t> seen;
        for (qsizetype k = 0; k < words.size(); ++k) {
            const QueryWord &w = words.at(k);
            const QString key = (w.quoted ? u'"' : u' ') + w.text;
            const auto it = seen.constFind(key);
            if (it != seen.constEnd()) {
                Pass &pass = list[it.value()];
                ++pass.times;
                pass.last = k;
                continue;
            }
            seen.insert(key, list.size());
            list.push_back({prepareWord(w, scans), 1, k, k, -1});
            if (list.back().word.body == BodyScan::Tokens)
                lowerAll = true;
        }
        // The words whose places in the text are looked for, all in the same pass over a block.
        for (Pass &pass : list) {
            if (pass.word.body == BodyScan::Substring) {
                pass.placesIndex = int(finders.size());
                finders.push_back(&pass.word.finder);
            }
        }
    }

    std::vector<Pass> list;
    std::vector<const blockscan::Finder *> finders;
    bool lowerAll = false; // text lines are needed lower-cased too
};

// What one part of the file (whole lines) earned. Points of the lines in front of the part's
// first heading belong to the topic of the last heading before the part, which only the merge
// knows: they are kept apart.
struct PartResult {
    Totals totals;
    qint64 leadingPoints = 0;
    qint64 leadingFirst = std::numeric_limits<qint64>::max();
    qint64 leadingLast = -1;
    bool hasHeading = false;
    QByteArray lastHeading; // the name of the part's last heading, as spelled
    bool endMark = false;   // the part holds the end-of-file mark: no later line counts
};

// Scores the blocks of a part of the file, one after another, for all query words at once.
class Search {
public:
    Search(const Passes &passes, qint64 fileSize, blockscan::Kind scans)
        : m_fileSize(fileSize)
        , m_scans(scans)
        , m_passes(passes.list)
        , m_lowerAll(passes.lowerAll)
    {}

    // Starts a part whose results go to out. Only the part at the start of the file knows
    // that its first lines have no topic.
    void startPart(PartResult *out, bool atFileStart)
    {
        m_out = out;
        m_carriedEntry = atFileStart ? kNoTopic : kTopicBefore;
        m_carriedName.clear();
    }

    // Scores the lines in [0, n) of a block that starts at file offset offset.
    void block(const char *raw, char *low, qsizetype n, qint64 offset,
               const blockscan::BlockFinds &finds)
    {
        const std::vector<qsizetype> &headingStarts = finds.marks.headings;
        m_raw = raw;
        m_low = low;
        m_n = n;
        m_offset = offset;
        m_headings.clear();
        for (const qsizetype s : headingStarts) {
            const qsizetype lf = indexOf(raw, '\n', s + 3, n);
            // The scans found "###" in the line's text, so its name starts three bytes in; the
            // name is never taken shorter than empty.
            const qsizetype textEnd = lf >= 0 ? std::max(s + 3, lines::textEnd(s, lf)) : n;
            m_headings.push_back({s, textEnd, lf >= 0 ? lf + 1 : n, -1});
        }
        // Heading lines are always looked at lower-cased; text lines only for long quoted
        // words (the others are found in the text as it stands).
        if (m_lowerAll) {
            blockscan::lowerBytes(low, raw, n, m_scans);
        } else {
            for (const Heading &h : m_headings)
                blockscan::lowerBytes(low + h.start, raw + h.start, h.contentEnd - h.start,
                                      m_scans);
        }

        for (const Pass &pass : m_passes) {
            // Each word counts as a pass of its own over the file: its updates come after
            // all updates of the words before it.
            m_firstBase = qint64(pass.first) * (m_fileSize + 2);
            m_lastBase = qint64(pass.last) * (m_fileSize + 2);
            m_times = pass.times;
            const SearchWord &w = pass.word;
            headingLines(w);
            switch (w.body) {
            case BodyScan::Substring:
                substring(w, finds.places[std::size_t(pass.placesIndex)]);
                break;
            case BodyScan::Tokens:
                tokens(w);
                break;
            case BodyScan::Count:
                count();
                break;
            case BodyScan::None:
                break;
            }
        }

        if (!m_headings.empty()) {
            const int last = int(m_headings.size()) - 1;
            m_carriedEntry = entryOf(last);
            const Heading &x = m_headings.back();
            m_carriedName = QByteArray(m_raw + x.start + 3, x.contentEnd - x.start - 3);
            m_out->hasHeading = true;
            m_out->lastHeading = m_carriedName;
        }
    }

    bool lowersAll() const { return m_lowerAll; }

private:
    struct Heading {
        qsizetype start;      // the first '#'
        qsizetype contentEnd; // end of the line's text
        qsizetype next;       // start of the next line
        int entry;            // the topic's entry once it is needed
    };

    // Topics are heading indexes of the block; -1 is the topic carried over from the blocks
    // before. m_carriedEntry holds its entry in the part's totals, or one of these.
    static constexpr int kNoTopic = -1;     // the lines before the file's first heading
    static constexpr int kTopicBefore = -2; // the topic of the last heading before the part

    bool haveTopic(int h) const { return h >= 0 || m_carriedEntry != kNoTopic; }

    int entryOf(int h)
    {
        if (h < 0)
            return m_carriedEntry;
        Heading &x = m_headings[std::size_t(h)];
        if (x.entry < 0)
            x.entry = m_out->totals.find(m_low + x.start + 3, m_raw + x.start + 3,
                                         x.contentEnd - x.start - 3);
        return x.entry;
    }

    void addPoints(int h, qint64 points, qsizetype position)
    {
        if (points <= 0)
            return;
        const qint64 at = m_offset + position;
        if (h < 0 && m_carriedEntry == kTopicBefore) {
            m_out->leadingPoints += points * m_times;
            m_out->leadingFirst = std::min(m_out->leadingFirst, m_firstBase + at);
            m_out->leadingLast = std::max(m_out->leadingLast, m_lastBase + at);
            return;
        }
        const char *rawName =
            h < 0 ? m_carriedName.constData() : m_raw + m_headings[std::size_t(h)].start + 3;
        m_out->totals.add(entryOf(h), points * m_times, m_firstBase + at, m_lastBase + at, rawName);
    }

    // Heading lines: the name test, then every word with heading points.
    void headingLines(const SearchWord &w)
    {
        for (int h = 0; h < int(m_headings.size()); ++h) {
            const Heading &x = m_headings[std::size_t(h)];
            const qsizetype nameLength = x.contentEnd - x.start - 3;
            if (w.encodable && nameLength == w.bytes.size() &&
                std::memcmp(m_low + x.start + 3, w.bytes.constData(), size_t(nameLength)) == 0)
                addPoints(h, kNameScore, x.start);
            qsizetype a = x.start;
            while (a < x.contentEnd) {
                if (m_low[a] == ' ') {
                    ++a;
                    continue;
                }
                qsizetype b = indexOf(m_low, ' ', a, x.contentEnd);
                if (b < 0)
                    b = x.contentEnd;
                addPoints(h, scoreWord(w, m_low + a, b - a, true), x.start);
                a = b;
            }
        }
    }

    // Calls f(topic, begin, end) for the runs of text lines in the block that have a topic.
    template <typename F> void forEachTextRange(F f) const
    {
        const qsizetype firstEnd = m_headings.empty() ? m_n : m_headings.front().start;
        if (haveTopic(-1) && firstEnd > 0)
            f(-1, 0, firstEnd);
        for (std::size_t h = 0; h < m_headings.size(); ++h) {
            const qsizetype begin = m_headings[h].next;
            const qsizetype end = h + 1 < m_headings.size() ? m_headings[h + 1].start : m_n;
            if (begin < end)
                f(int(h), begin, end);
        }
    }

    // Text lines for a word that scores by equality and containment only: jump from one of
    // its places to the next, and look at the line and the word around it.
    void substring(const SearchWord &w, const std::vector<qsizetype> &places)
    {
        const qsizetype wl = w.bytes.size();
        int h = -1;
        qsizetype lineStart = 0;
        qsizetype lineNext = 0; // lines before this are done
        qsizetype contentEnd = 0;
        bool skipLine = true;
        qsizetype pos = 0;
        for (const qsizetype p : places) {
            if (p < pos)
                continue; // within a word or line already done
            if (p >= lineNext) {
                const qsizetype previousLf = lastIndexOf(m_raw, '\n', lineNext, p);
                lineStart = previousLf >= 0 ? previousLf + 1 : lineNext;
                const qsizetype lf = indexOf(m_raw, '\n', p, m_n);
                lineNext = lf >= 0 ? lf + 1 : m_n;
                contentEnd = lf >= 0 ? lines::textEnd(lineStart, lf) : m_n;
                while (h + 1 < int(m_headings.size()) &&
                       m_headings[std::size_t(h + 1)].start <= lineStart)
                    ++h;
                const bool headingLine = h >= 0 && m_headings[std::size_t(h)].start == lineStart;
                skipLine = headingLine || !haveTopic(h);
            }
            if (skipLine || p + wl > contentEnd) {
                // Heading lines are scored word by word; a match that runs into the byte the
                // LF drops does not count, nor do later ones on that line.
                pos = lineNext;
                continue;
            }
            // Words are short: the blanks around this one are looked for byte by byte.
            qsizetype wordStart = p;
            while (wordStart > lineStart && m_raw[wordStart - 1] != ' ')
                --wordStart;
            qsizetype wordEnd = p + wl;
            while (wordEnd < contentEnd && m_raw[wordEnd] != ' ')
                ++wordEnd;
            addPoints(h, wordEnd - wordStart == wl ? w.bodyEqual : containsScore(false), lineStart);
            pos = wordEnd;
        }
    }

    // Text lines for a long quoted word: every word that is long enough is scored in full.
    void tokens(const SearchWord &w)
    {
        forEachTextRange([this, &w](int h, qsizetype begin, qsizetype end) {
            qsizetype line = begin;
            while (line < end) {
                const qsizetype lf = indexOf(m_low, '\n', line, end);
                const qsizetype contentEnd = lf >= 0 ? lines::textEnd(line, lf) : end;
                qsizetype a = line;
                while (a < contentEnd) {
                    if (m_low[a] == ' ') {
                        ++a;
                        continue;
                    }
                    qsizetype b = indexOf(m_low, ' ', a, contentEnd);
                    if (b < 0)
                        b = contentEnd;
                    if (b - a >= w.minLength)
                        addPoints(h, scoreWord(w, m_low + a, b - a, false), line);
                    a = b;
                }
                line = lf >= 0 ? lf + 1 : end;
            }
        });
    }

    // Text lines for the empty quoted word, which every word contains.
    void count()
    {
        forEachTextRange([this](int h, qsizetype begin, qsizetype end) {
            addPoints(h, containsScore(false) * blockscan::countWords(m_raw, begin, end, m_scans),
                      begin);
        });
    }

    using Pass = Passes::Pass;

    qint64 m_fileSize;
    blockscan::Kind m_scans;
    const std::vector<Pass> &m_passes;
    bool m_lowerAll;
    PartResult *m_out = nullptr;
    int m_carriedEntry = kNoTopic;
    QByteArray m_carriedName;

    const char *m_raw = nullptr;
    char *m_low = nullptr;
    qsizetype m_n = 0;
    qint64 m_offset = 0;
    qint64 m_firstBase = 0; // stamps of the current word's first and last pass
    qint64 m_lastBase = 0;
    qint64 m_times = 1;
    std::vector<Heading> m_headings;
};

// Scores the parts of the file on up to the given number of threads, reader (open on docPath)
// being the calling thread's; the others open the file for themselves.
std::vector<PartResult> scoreParts(BlockReader &reader, const QString &docPath,
                                   const Passes &passes, blockscan::Kind scans, qsizetype words,
                                   SearchProgress *progress, const SearchTuning &tuning)
{
    const qint64 size = reader.size();
    const int cores = tuning.threads > 0 ? tuning.threads : QThread::idealThreadCount();
    const qint64 partBytes = partSize(tuning.partBytes, size, cores);
    const qint64 partCount = size > 0 ? (size - 1) / partBytes + 1 : 0;
    std::vector<PartResult> parts(static_cast<std::size_t>(partCount));
    const int threads = int(std::clamp<qint64>(partCount, 1, std::max(cores, 1)));

    // Parts are handed out in file order to whichever thread is free. Once a part is known to
    // hold the end-of-file mark, later parts are not begun, and their results are left out.
    std::atomic<qint64> nextPart = 0;
    std::atomic<qint64> endPart = partCount;
    std::atomic<qint64> bytesDone = 0;
    std::atomic<bool> failed = false;
    // The calling thread waits for the others' blocks when it has no part left.
    std::mutex waitLock;
    std::condition_variable blockDone;
    int helpersRunning = 0;
    auto score = [&](BlockReader &partReader, const std::function<void()> &onBlock) {
        Search search(passes, size, scans);
        blockscan::BlockFinds finds;
        for (;;) {
            const qint64 i = nextPart.fetch_add(1);
            if (i >= partCount || i > endPart.load() || failed.load())
                return;
            const qint64 begin = partReader.lineStartFrom(i * partBytes);
            const qint64 end = partReader.lineStartFrom((i + 1) * partBytes);
            if (begin >= end)
                continue; // no line starts in this part
            PartResult &part = parts[std::size_t(i)];
            partReader.setRange(begin, end);
            search.startPart(&part, begin == 0);
            while (i <= endPart.load() && partReader.next()) {
                blockscan::scanBlock(partReader.data(), partReader.length(), partReader.atFileEnd(),
                                     passes.finders, finds, scans);
                const blockscan::LineMarks &marks = finds.marks;
                const qsizetype n = marks.endMark >= 0 ? marks.endMark : partReader.length();
                // Text lines are scanned as they stand; only headings or long quoted words
                // need the lower-cased twin (not made for a block of one long text line).
                char *low =
                    marks.headings.empty() && !search.lowersAll() ? nullptr : partReader.lowered();
                search.block(partReader.data(), low, n, partReader.offset(), finds);
                if (marks.endMark >= 0) {
                    // The end-of-file mark: no later line is read.
                    part.endMark = true;
                    for (qint64 e = endPart.load(); i < e && !endPart.compare_exchange_weak(e, i);)
                        ;
                    break;
                }
                bytesDone += partReader.length();
                onBlock();
            }
        }
    };

    // The calling thread scores parts too, and alone drives the bar: the bar belongs to it.
    ProgressDriver bar(progress, words, size);
    bar.begin();
    std::vector<SideThread> helpers;
    std::vector<std::exception_ptr> errors(static_cast<std::size_t>(threads));
    for (int t = 1; t < threads; ++t) {
        auto help = [&, t] {
            try {
                BlockReader partReader(tuning.blockBytes, tuning.readBytes);
                if (partReader.open(docPath, size))
                    score(partReader, [&blockDone] { blockDone.notify_one(); });
            } catch (...) {
                errors[std::size_t(t)] = std::current_exception();
                failed = true;
            }
            const std::lock_guard<std::mutex> lock(waitLock);
            --helpersRunning;
            blockDone.notify_one();
        };
        try {
            const std::lock_guard<std::mutex> lock(waitLock);
            helpers.emplace_back(help);
            ++helpersRunning;
        } catch (const std::system_error &) {
            break; // no more threads to be had: the threads there are do every part
        }
    }
    try {
        score(reader, [&bar, &bytesDone] { bar.advance(bytesDone.load()); });
    } catch (...) {
        errors[0] = std::current_exception();
        failed = true;
    }
    // The bar keeps moving while the other threads finish their parts. A block's note may
    // come between the test and the wait; the timeout bounds what that costs.
    {
        std::unique_lock<std::mutex> lock(waitLock);
        while (helpersRunning > 0) { // the helpers count themselves out under the lock
            blockDone.wait_for(lock, std::chrono::milliseconds(20));
            lock.unlock();
            bar.advance(bytesDone.load());
            lock.lock();
        }
    }
    for (SideThread &helper : helpers)
        helper.join();
    for (const std::exception_ptr &error : errors) {
        if (error)
            std::rethrow_exception(error);
    }
    bar.end();
    return parts;
}

} // namespace

QList<RankedTopic> fullSearch(const QString &docPath, const QString &normalisedQuery,
                              SearchProgress *progress)
{
    return fullSearch(docPath, normalisedQuery, progress, SearchTuning());
}

QList<RankedTopic> fullSearch(const QString &docPath, const QString &normalisedQuery,
                              SearchProgress *progress, const SearchTuning &tuning)
{
    const QList<QueryWord> words = queryWords(normalisedQuery);
    if (words.isEmpty())
        return {};
    const blockscan::Kind scans = blockscan::kindForWidth(tuning.scanBytes);
    const Passes passes(words, scans);

    BlockReader reader(tuning.blockBytes, tuning.readBytes);
    if (!reader.open(docPath))
        return {};
    std::vector<PartResult> parts =
        scoreParts(reader, docPath, passes, scans, words.size(), progress, tuning);

    // Merged in file order: the lines in front of a part's first heading belong to the last
    // heading of the parts before, if any.
    Totals totals;
    const QByteArray *lastHeading = nullptr;
    for (PartResult &part : parts) {
        if (part.leadingPoints > 0 && lastHeading)
            totals.addByName(lastHeading->constData(), lastHeading->size(), part.leadingPoints,
                             part.leadingFirst, part.leadingLast);
        if (&part == &parts.front())
            totals = std::move(part.totals); // nothing merged yet: take it whole
        else
            totals.merge(part.totals);
        if (part.hasHeading)
            lastHeading = &part.lastHeading;
        if (part.endMark)
            break;
    }
    return totals.ranked();
}

} // namespace tamo
