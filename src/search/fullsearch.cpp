#include "search/fullsearch.h"

#include "search/blockscan.h"
#include "search/query.h"
#include "search/scoring.h"
#include "std/cp1252.h"

#include <QByteArray>
#include <QFile>
#include <QHash>

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

namespace tamo {

using blockscan::kPadding;

namespace {

// ---------------------------------------------------------------------------------------
// Reading

// Hands out the file as blocks of whole lines. The blocks live in one buffer that is reused
// (a fresh buffer of the file's size costs more in page faults than the reading), with a
// lower-cased twin of the same layout. A line that does not fit makes the buffer grow.
class BlockReader {
public:
    explicit BlockReader(const SearchTuning &tuning)
        : m_readBytes(std::max<qint64>(tuning.readBytes, 1))
    {
        allocate(qsizetype(std::max<qint64>(tuning.blockBytes, 1)));
    }

    bool open(const QString &path)
    {
        m_file.setFileName(path);
        if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            return false;
        m_size = m_file.size();
        return true;
    }

    qint64 size() const { return m_size; }

    // Moves on to the next block; false at the end of the file.
    bool next()
    {
        char *buf = data();
        if (m_length > 0) {
            std::memmove(buf, buf + m_length, size_t(m_have - m_length));
            m_have -= m_length;
            m_offset += m_length;
            m_length = 0;
        }
        for (;;) {
            while (!m_eof && m_have < m_capacity) {
                // Never beyond the size seen at opening, as the line reader does.
                const qint64 want =
                    std::min({m_readBytes, qint64(m_capacity - m_have), m_size - m_read});
                const qint64 got = want > 0 ? m_file.read(buf + m_have, want) : 0;
                if (got <= 0) {
                    m_eof = true; // a read error ends the file where it happens
                    break;
                }
                m_have += qsizetype(got);
                m_read += got;
            }
            if (m_eof) {
                if (m_have == 0)
                    return false;
                std::memset(buf + m_have, 0, kPadding);
                m_length = m_have;
                return true;
            }
            qsizetype lastLf = m_have - 1;
            while (lastLf >= 0 && buf[lastLf] != '\n')
                --lastLf;
            if (lastLf >= 0) {
                m_length = lastLf + 1;
                return true;
            }
            allocate(m_capacity * 2);
            buf = data();
        }
    }

    char *data() { return m_raw.data() + kPadding; }
    char *lowered() { return m_low.data() + kPadding; }
    qsizetype length() const { return m_length; }
    qint64 offset() const { return m_offset; }
    bool atFileEnd() const { return m_eof && m_length == m_have; }

private:
    void allocate(qsizetype capacity)
    {
        std::vector<char> raw(size_t(capacity + 2 * kPadding));
        if (!m_raw.empty())
            std::memcpy(raw.data() + kPadding, data(), size_t(m_have));
        m_raw = std::move(raw);
        m_low.assign(m_raw.size(), 0);
        m_capacity = capacity;
    }

    QFile m_file;
    qint64 m_readBytes;
    qint64 m_size = 0;
    qint64 m_read = 0;   // bytes read from the file
    qint64 m_offset = 0; // file offset of the first byte in the buffer
    qsizetype m_capacity = 0;
    qsizetype m_have = 0;   // bytes in the buffer
    qsizetype m_length = 0; // bytes of the current block
    bool m_eof = false;
    std::vector<char> m_raw;
    std::vector<char> m_low;
};

// ---------------------------------------------------------------------------------------
// Progress

class ProgressDriver {
public:
    ProgressDriver(SearchProgress *progress, qsizetype words, qint64 length)
        : m_progress(progress)
        , m_words(words)
        , m_length(double(length))
        , m_maximum(double(words) * double(length))
    {}

    void begin()
    {
        if (!m_progress)
            return;
        m_progress->start(m_maximum);
        m_last = m_progress->now();
        reach(0);
    }

    void advance(qint64 bytesRead)
    {
        if (!m_progress)
            return;
        const double value = std::min(m_maximum, double(m_words) * double(bytesRead));
        const double time = m_progress->now();
        if (reach(value)) {
            m_last = time;
            return;
        }
        double elapsed = time - m_last;
        if (elapsed < 0)
            elapsed += 24 * 60 * 60; // the clock passed midnight
        if (elapsed >= 0.2 && value > m_shown) {
            show(value);
            m_last = time;
        }
    }

    void end()
    {
        if (!m_progress)
            return;
        reach(m_maximum);
        show(m_maximum);
        m_progress->finish();
    }

private:
    // Shows the start of each pass whose start value has been reached.
    bool reach(double value)
    {
        bool any = false;
        while (m_nextPass < m_words && m_length * double(m_nextPass) <= value) {
            show(m_length * double(m_nextPass));
            ++m_nextPass;
            any = true;
        }
        return any;
    }

    void show(double value)
    {
        m_progress->update(value);
        m_shown = value;
    }

    SearchProgress *m_progress;
    qsizetype m_words;
    double m_length;
    double m_maximum;
    double m_last = 0;
    double m_shown = 0;
    qsizetype m_nextPass = 0;
};

// ---------------------------------------------------------------------------------------
// Scoring

// How the lines other than headings are searched for one word.
enum class Body {
    None,      // no line word can score
    Substring, // only equal and containing words score: find the word's bytes in the block
    Tokens,    // near misses score too: look at every word long enough
    Count,     // the empty quoted word: every word scores the same, so count words
};

struct Word {
    QString text;
    bool quoted = false;
    QByteArray bytes;          // Windows-1252 form of text
    bool encodable = false;    // text is all Windows-1252
    bool canOccur = false;     // a line word can equal or contain it
    bool containsOnly = false; // quoted but too long for the edit distance
    QuotedScoreTable table;
    Body body = Body::None;
    int bodyEqual = 0; // Substring: points for an equal word on a text line
    int minLength = 0; // Tokens: shorter words cannot score
    blockscan::Finder finder;
};

constexpr int kHeadingContains = 10;
constexpr int kTextContains = 2;

Word prepareWord(const QueryWord &query, blockscan::Kind scans)
{
    Word w;
    w.text = query.text;
    w.quoted = query.quoted;
    bool ok = false;
    w.bytes = cp1252::encode(w.text, &ok);
    w.encodable = ok;
    // Lower-cased text holds no LF within a line and no byte that lower-cases to another.
    const auto &lower = cp1252::lowerTable();
    w.canOccur = ok && !w.bytes.contains('\n') &&
                 std::all_of(w.bytes.begin(), w.bytes.end(), [&lower](char c) {
                     return lower[static_cast<unsigned char>(c)] == static_cast<unsigned char>(c);
                 });
    const qsizetype length = w.text.size();
    if (w.quoted) {
        w.containsOnly = length > kMaxDistanceLength;
        w.table = QuotedScoreTable(length);
    }
    if (w.quoted && length == 0) {
        w.body = Body::Count;
    } else if (w.quoted && !w.containsOnly && w.table.maxDistance(false) > 0) {
        // Long quoted words (30 characters on) score one typo off on text lines too.
        w.body = Body::Tokens;
        w.minLength = int(std::max<qsizetype>(1, length - w.table.maxDistance(false)));
    } else if (w.canOccur) {
        w.body = Body::Substring;
        if (!w.quoted)
            w.bodyEqual = 4;
        else if (w.containsOnly)
            w.bodyEqual = kTextContains;
        else
            w.bodyEqual = w.table.scoreAt(0, false);
        w.finder = blockscan::Finder(w.bytes, scans);
    }
    return w;
}

bool containsBytes(const char *word, qsizetype length, const QByteArray &part)
{
    return std::string_view(word, size_t(length))
               .find(std::string_view(part.constData(), size_t(part.size()))) !=
           std::string_view::npos;
}

int wordDistance(const Word &w, const char *lineWord, int length, int limit)
{
    if (w.encodable) {
        return boundedEditDistance(reinterpret_cast<const unsigned char *>(lineWord), length,
                                   reinterpret_cast<const unsigned char *>(w.bytes.constData()),
                                   int(w.bytes.size()), limit);
    }
    // A query character outside Windows-1252 still counts as one edit.
    char16_t decoded[kMaxDistanceLength];
    for (int i = 0; i < length; ++i)
        decoded[i] = cp1252::toUnicode(static_cast<unsigned char>(lineWord[i]));
    return boundedEditDistance(decoded, length, w.text.utf16(), int(w.text.size()), limit);
}

// quotedWordScore / plainWordScore on lower-cased bytes.
int scoreWord(const Word &w, const char *lineWord, qsizetype length, bool heading)
{
    const qsizetype wl = w.text.size();
    const int contains = heading ? kHeadingContains : kTextContains;
    if (!w.quoted) {
        if (!w.canOccur || length < wl)
            return 0;
        if (length == wl)
            return std::memcmp(lineWord, w.bytes.constData(), size_t(wl)) == 0 ? (heading ? 20 : 4)
                                                                               : 0;
        return containsBytes(lineWord, length, w.bytes) ? contains : 0;
    }
    if (!w.containsOnly && length <= kMaxDistanceLength) {
        const int limit = w.table.maxDistance(heading);
        if (std::abs(length - wl) <= limit) {
            const int d = wordDistance(w, lineWord, int(length), limit);
            if (d <= limit)
                return w.table.scoreAt(d, heading);
        }
    }
    // Score exactly 0 by distance: containment decides (every word contains the empty word).
    if (w.canOccur && length >= wl && containsBytes(lineWord, length, w.bytes))
        return contains;
    return 0;
}

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

// ---------------------------------------------------------------------------------------
// The search

// The totals, one entry per lower-cased topic name. Names live in one growing byte store and
// the entries are found through an open-addressing table, so that thousands of scored topics
// cost no allocation each. Only the spelling is stored: lower-cased, every spelling of an
// entry gives its key. Each topic has its own total under its exact lower-cased name, as in
// RankingList.
class Totals {
public:
    // The entry of a name, made when it is new. key is the name lower-cased, spelling as the
    // heading has it.
    int find(const char *key, const char *spelling, qsizetype length)
    {
        const size_t hash = qHashBits(key, size_t(length), 0);
        if (4 * (m_entries.size() + 1) > 3 * m_table.size())
            grow();
        const size_t mask = m_table.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const int slot = m_table[i];
            if (slot < 0) {
                m_table[i] = int(m_entries.size());
                Entry e;
                e.nameOffset = store(spelling, length);
                e.length = length;
                e.hash = hash;
                m_entries.push_back(e);
                return m_table[i];
            }
            if (keyEquals(m_entries[std::size_t(slot)], hash, key, length))
                return slot;
        }
    }

    // Adds points given at stamp to an entry; spelling is the name as the heading has it.
    void add(int index, qint64 points, qint64 stamp, const char *spelling)
    {
        Entry &e = m_entries[std::size_t(index)];
        e.total += points;
        if (stamp < e.firstStamp) {
            e.firstStamp = stamp;
            if (e.length > 0 &&
                std::memcmp(m_store.data() + e.nameOffset, spelling, size_t(e.length)) != 0)
                e.nameOffset = store(spelling, e.length);
        }
        e.lastStamp = std::max(e.lastStamp, stamp);
    }

    QList<RankedTopic> ranked() const
    {
        std::vector<RankingEntry> ranking;
        ranking.reserve(m_entries.size());
        for (const Entry &e : m_entries) {
            if (e.total > 0) {
                const QByteArrayView name(m_store.data() + e.nameOffset, e.length);
                ranking.push_back({cp1252::decode(name), e.total, e.lastStamp});
            }
        }
        return orderRanking(std::move(ranking));
    }

private:
    struct Entry {
        qint64 total = 0;
        qint64 firstStamp = std::numeric_limits<qint64>::max();
        qint64 lastStamp = -1;
        qsizetype nameOffset = 0; // spelled as when it first got points
        qsizetype length = 0;
        size_t hash = 0;
    };

    bool keyEquals(const Entry &e, size_t hash, const char *key, qsizetype length) const
    {
        if (e.hash != hash || e.length != length)
            return false;
        const auto &lower = cp1252::lowerTable();
        const char *name = m_store.data() + e.nameOffset;
        for (qsizetype i = 0; i < length; ++i) {
            if (char(lower[static_cast<unsigned char>(name[i])]) != key[i])
                return false;
        }
        return true;
    }

    qsizetype store(const char *bytes, qsizetype length)
    {
        const qsizetype offset = qsizetype(m_store.size());
        m_store.insert(m_store.end(), bytes, bytes + length);
        return offset;
    }

    void grow()
    {
        std::vector<int> table(std::max<size_t>(64, m_table.size() * 2), -1);
        const size_t mask = table.size() - 1;
        for (std::size_t k = 0; k < m_entries.size(); ++k) {
            size_t i = m_entries[k].hash & mask;
            while (table[i] >= 0)
                i = (i + 1) & mask;
            table[i] = int(k);
        }
        m_table = std::move(table);
    }

    std::vector<Entry> m_entries;
    std::vector<int> m_table; // entry indexes by hash, -1 where free
    std::vector<char> m_store;
};

class Search {
public:
    Search(const QList<QueryWord> &words, qint64 fileSize, blockscan::Kind scans)
        : m_fileSize(fileSize)
        , m_scans(scans)
    {
        for (const QueryWord &w : words) {
            m_words.push_back(prepareWord(w, scans));
            if (m_words.back().body == Body::Tokens)
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
            m_headings.push_back({s, lf >= 0 ? lf - 1 : n, lf >= 0 ? lf + 1 : n, -1});
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

        for (std::size_t k = 0; k < m_words.size(); ++k) {
            // Each word counts as a pass of its own over the file: its updates come after
            // all updates of the words before it.
            m_stampBase = qint64(k) * (m_fileSize + 2);
            const Word &w = m_words[k];
            headingLines(w);
            switch (w.body) {
            case Body::Substring:
                substring(w);
                break;
            case Body::Tokens:
                tokens(w);
                break;
            case Body::Count:
                count();
                break;
            case Body::None:
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
        m_totals.add(entryOf(h), points, m_stampBase + m_offset + position, rawName);
    }

    // Heading lines: the name test, then every word with heading points.
    void headingLines(const Word &w)
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
    void substring(const Word &w)
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
                contentEnd = lf >= 0 ? std::max(lineStart, lf - 1) : m_n;
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
            addPoints(h, wordEnd - wordStart == wl ? w.bodyEqual : kTextContains, lineStart);
            pos = wordEnd;
        }
    }

    // Text lines for a long quoted word: every word that is long enough is scored in full.
    void tokens(const Word &w)
    {
        forEachTextRange([this, &w](int h, qsizetype begin, qsizetype end) {
            qsizetype line = begin;
            while (line < end) {
                const qsizetype lf = indexOf(m_low, '\n', line, end);
                const qsizetype contentEnd = lf >= 0 ? std::max(line, lf - 1) : end;
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
            addPoints(h, kTextContains * blockscan::countWords(m_raw, begin, end, m_scans), begin);
        });
    }

    qint64 m_fileSize;
    blockscan::Kind m_scans;
    std::vector<Word> m_words;
    bool m_lowerAll = false;
    Totals m_totals;
    int m_carriedEntry = -1;
    QByteArray m_carriedName;

    const char *m_raw = nullptr;
    char *m_low = nullptr;
    qsizetype m_n = 0;
    qint64 m_offset = 0;
    qint64 m_stampBase = 0;
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
    BlockReader reader(tuning);
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
        search.block(reader.data(), reader.lowered(), n, reader.offset(), marks.headings);
        if (marks.endMark >= 0)
            break; // the end-of-file mark: no later line is read
        bar.advance(reader.offset() + reader.length());
    }
    bar.end();
    return search.result();
}

} // namespace tamo
