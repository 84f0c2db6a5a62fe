#include "search/fullsearch.h"

#include "search/blockreader.h"
#include "search/blockscan.h"
#include "search/query.h"
#include "search/scoring.h"
#include "search/totals.h"
#include "search/wordmatch.h"
#include "std/linerule.h"

#include <QByteArray>
#include <QHash>

#include <algorithm>
#include <cstring>
#include <vector>

namespace tamo {

namespace {

qsizetype lastIndexOf(const char *data, char c, qsizetype from, qsizetype before)
{
    for (qsizetype i = before - 1; i >= from; --i) {
        if (data[i] == c)
            return i;
    }
    return -1;
}

qsizetype indexOf(const char *data, char c, qsizetype from, qsizetype to)
{
    if (from >= to)
        return -1;
    const void *hit = std::memchr(data + from, c, size_t(to - from));
    return hit ? static_cast<const char *>(hit) - data : -1;
}

// Scores the blocks of the file, one after another, for all query words at once.
class Search {
public:
    Search(const QList<QueryWord> &words, qint64 fileSize, blockscan::Kind scans)
        : m_fileSize(fileSize)
        , m_scans(scans)
    {
        // A word given again is matched once: its points count as often as it was given, and
        // its first and last pass mark when its topics first and last got points.
        QHash<QString, std::size_t> seen;
        for (qsizetype k = 0; k < words.size(); ++k) {
            const QueryWord &w = words.at(k);
            const QString key = (w.quoted ? u'"' : u' ') + w.text;
            const auto it = seen.constFind(key);
            if (it != seen.constEnd()) {
                Pass &pass = m_passes[it.value()];
                ++pass.times;
                pass.last = k;
                continue;
            }
            seen.insert(key, m_passes.size());
            m_passes.push_back({prepareWord(w, scans), 1, k, k});
            if (m_passes.back().word.body == BodyScan::Tokens)
                m_lowerAll = true;
        }
    }

    // Scores the lines in [0, n) of a block that starts at file offset offset.
    void block(const char *raw, char *low, qsizetype n, qint64 offset,
               const std::vector<qsizetype> &headingStarts)
    {
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
                substring(w);
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
        }
    }

    QList<RankedTopic> result() const { return m_totals.ranked(); }
    bool lowersAll() const { return m_lowerAll; }

private:
    struct Heading {
        qsizetype start;      // the first '#'
        qsizetype contentEnd; // end of the line's text
        qsizetype next;       // start of the next line
        int entry;            // the topic's entry once it is needed
    };

    // Topics are heading indexes of the block; -1 is the topic carried over from the blocks
    // before, if any.
    bool haveTopic(int h) const { return h >= 0 || m_carriedEntry >= 0; }

    int entryOf(int h)
    {
        if (h < 0)
            return m_carriedEntry;
        Heading &x = m_headings[std::size_t(h)];
        if (x.entry < 0)
            x.entry =
                m_totals.find(m_low + x.start + 3, m_raw + x.start + 3, x.contentEnd - x.start - 3);
        return x.entry;
    }

    void addPoints(int h, qint64 points, qsizetype position)
    {
        if (points <= 0)
            return;
        const char *rawName =
            h < 0 ? m_carriedName.constData() : m_raw + m_headings[std::size_t(h)].start + 3;
        const qint64 at = m_offset + position;
        m_totals.add(entryOf(h), points * m_times, m_firstBase + at, m_lastBase + at, rawName);
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
        if (m_carriedEntry >= 0 && firstEnd > 0)
            f(-1, 0, firstEnd);
        for (std::size_t h = 0; h < m_headings.size(); ++h) {
            const qsizetype begin = m_headings[h].next;
            const qsizetype end = h + 1 < m_headings.size() ? m_headings[h + 1].start : m_n;
            if (begin < end)
                f(int(h), begin, end);
        }
    }

    // Text lines for a word that scores by equality and containment only: jump from one
    // occurrence to the next, and look at the line and the word around it.
    void substring(const SearchWord &w)
    {
        const qsizetype wl = w.bytes.size();
        int h = -1;
        qsizetype lineStart = 0;
        qsizetype lineNext = 0; // lines before this are done
        qsizetype contentEnd = 0;
        bool skipLine = true;
        qsizetype pos = 0;
        while (pos < m_n) {
            const qsizetype p = w.finder.find(m_raw, pos, m_n);
            if (p < 0)
                break;
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
            const qsizetype blankBefore = lastIndexOf(m_raw, ' ', lineStart, p);
            const qsizetype wordStart = blankBefore >= 0 ? blankBefore + 1 : lineStart;
            qsizetype wordEnd = indexOf(m_raw, ' ', p + wl, contentEnd);
            if (wordEnd < 0)
                wordEnd = contentEnd;
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

    qint64 m_fileSize;
    blockscan::Kind m_scans;
    struct Pass {
        SearchWord word;
        qint64 times; // how often the query gives the word
        qsizetype first;
        qsizetype last; // the word's first and last place in the query
    };

    std::vector<Pass> m_passes;
    bool m_lowerAll = false;
    Totals m_totals;
    int m_carriedEntry = -1;
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
    BlockReader reader(tuning.blockBytes, tuning.readBytes);
    if (!reader.open(docPath))
        return {};

    const auto scans = tuning.vectorScans ? blockscan::Kind::Vector : blockscan::Kind::Plain;
    Search search(words, reader.size(), scans);
    ProgressDriver bar(progress, words.size(), reader.size());
    bar.begin();
    while (reader.next()) {
        const blockscan::LineMarks marks =
            blockscan::findLineMarks(reader.data(), reader.length(), reader.atFileEnd(), scans);
        const qsizetype n = marks.endMark >= 0 ? marks.endMark : reader.length();
        // Text lines are scanned as they stand; only headings or long quoted words need the
        // lower-cased twin (not made for a block of one long text line).
        char *low = marks.headings.empty() && !search.lowersAll() ? nullptr : reader.lowered();
        search.block(reader.data(), low, n, reader.offset(), marks.headings);
        if (marks.endMark >= 0)
            break; // the end-of-file mark: no later line is read
        bar.advance(reader.offset() + reader.length());
    }
    bar.end();
    return search.result();
}

} // namespace tamo
