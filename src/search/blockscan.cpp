#include "search/blockscan_p.h"

#include "std/cp1252.h"
#include "std/linerule.h"

#include <algorithm>
#include <array>

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#define QUARNTAMO_SSE2 1
#endif
// AVX2 code is built into every x86 build and chosen at run time, so one build serves every
// processor.
#if defined(QUARNTAMO_SSE2) && (defined(__GNUC__) || defined(__clang__)) &&                        \
    (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define QUARNTAMO_AVX2 1
#define QUARNTAMO_TARGET_AVX2 __attribute__((target("avx2")))
#endif

namespace tamo::blockscan {

namespace {

enum class Start { Other, Heading, EndMark };

// What the line at s is, judged by the shared line rule from its first bytes: only its first
// four bytes can make it a heading or the end mark, so only they are looked at. A line
// without LF is the file's last and is taken whole.
Start classifyLineStart(const char *d, qsizetype s, qsizetype n, bool atFileEnd)
{
    const qsizetype peek = std::min<qsizetype>(n - s, 4);
    qsizetype lf = s;
    while (lf < s + peek && d[lf] != '\n')
        ++lf;
    qsizetype end;
    if (lf < s + peek)
        end = lines::textEnd(s, lf);
    else if (peek < 4 && atFileEnd)
        end = n;
    else
        end = s + 3; // the text runs on past its first three bytes
    const QByteArrayView text(d + s, end - s);
    if (lines::isHeading(text))
        return Start::Heading;
    if (lines::isEndMark(text))
        return Start::EndMark;
    return Start::Other;
}

// Records the line at s; false once the end mark is found.
bool noteLineStart(LineMarks &marks, const char *d, qsizetype s, qsizetype n, bool atFileEnd)
{
    switch (classifyLineStart(d, s, n, atFileEnd)) {
    case Start::Heading:
        marks.headings.push_back(s);
        return true;
    case Start::EndMark:
        marks.endMark = s;
        return false;
    case Start::Other:
        return true;
    }
    return true;
}

// The file's last line when it is the single byte CR, without LF: the end-of-file mark, which
// the vector scans do not catch as a candidate.
void noteLastLine(LineMarks &marks, const char *d, qsizetype n, bool atFileEnd)
{
    if (atFileEnd && n >= 2 && d[n - 2] == '\n' && d[n - 1] == '\r')
        noteLineStart(marks, d, n - 1, n, atFileEnd);
}

void lowerPlain(char *dst, const char *src, qsizetype n)
{
    const auto &table = cp1252::lowerTable();
    for (qsizetype i = 0; i < n; ++i)
        dst[i] = char(table[static_cast<unsigned char>(src[i])]);
}

LineMarks lineMarksPlain(const char *d, qsizetype n, bool atFileEnd)
{
    LineMarks marks;
    qsizetype s = 0;
    while (s < n && noteLineStart(marks, d, s, n, atFileEnd)) {
        const void *lf = std::memchr(d + s, '\n', size_t(n - s));
        if (!lf)
            break;
        s = static_cast<const char *>(lf) - d + 1;
    }
    return marks;
}

qsizetype countWordsPlain(const char *d, qsizetype begin, qsizetype end)
{
    qsizetype count = 0;
    bool prevSeparator = true;
    for (qsizetype i = begin; i < end; ++i) {
        const char c = d[i];
        const bool separator = c == ' ' || c == '\n';
        const bool nextLf = i + 1 < end && d[i + 1] == '\n';
        if (!separator && prevSeparator && !nextLf)
            ++count;
        prevSeparator = separator;
    }
    return count;
}

using LowerTable = std::array<unsigned char, 256>;

// Whether the text at d, lower-cased, starts with the needle.
bool matchesAt(const LowerTable &table, const char *d, const QByteArray &needle)
{
    for (qsizetype j = 0; j < needle.size(); ++j) {
        if (char(table[static_cast<unsigned char>(d[j])]) != needle[j])
            return false;
    }
    return true;
}

qsizetype findPlain(const QByteArray &needle, const char *d, qsizetype from, qsizetype to)
{
    const auto &table = cp1252::lowerTable();
    const char first = needle[0];
    for (qsizetype i = from; i + needle.size() <= to; ++i) {
        if (char(table[static_cast<unsigned char>(d[i])]) == first &&
            matchesAt(table, d + i, needle))
            return i;
    }
    return -1;
}

#ifdef QUARNTAMO_SSE2

inline __m128i load(const char *p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
}

inline __m128i splat(char c)
{
    return _mm_set1_epi8(c);
}

// The cp1252 upper-case letters and their distance to the lower-case ones: A-Z and À-Þ (but
// not ×) +32, Š Œ Ž +16, Ÿ +96. SSE2 compares signed bytes only, so ranges are shifted to
// start at -128 before comparing.
inline __m128i lowerChunk(__m128i c)
{
    const __m128i ascii =
        _mm_cmplt_epi8(_mm_add_epi8(c, splat(char(0x80 - 'A'))), splat(char(-128 + 26)));
    if (_mm_movemask_epi8(c) == 0)
        return _mm_add_epi8(c, _mm_and_si128(ascii, splat(0x20)));
    __m128i latin =
        _mm_cmplt_epi8(_mm_add_epi8(c, splat(char(0x80 - 0xC0))), splat(char(-128 + 31)));
    latin = _mm_andnot_si128(_mm_cmpeq_epi8(c, splat(char(0xD7))), latin);
    const __m128i caron = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(c, splat(char(0x8A))), _mm_cmpeq_epi8(c, splat(char(0x8C)))),
        _mm_cmpeq_epi8(c, splat(char(0x8E))));
    const __m128i yUmlaut = _mm_cmpeq_epi8(c, splat(char(0x9F)));
    __m128i add = _mm_and_si128(_mm_or_si128(ascii, latin), splat(0x20));
    add = _mm_or_si128(add, _mm_and_si128(caron, splat(0x10)));
    add = _mm_or_si128(add, _mm_and_si128(yUmlaut, splat(0x60)));
    return _mm_add_epi8(c, add);
}

void lowerVector(char *dst, const char *src, qsizetype n)
{
    qsizetype i = 0;
    for (; i + 16 <= n; i += 16)
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + i), lowerChunk(load(src + i)));
    lowerPlain(dst + i, src + i, n - i);
}

// Bit b is set where d[i + b] is an LF and the next line may be a heading ('#' first) or the
// end-of-file mark (CR, any byte, LF; the mark as the file's last line, CR without LF, is left
// to the caller). Computed without branches: LFs are too frequent and too irregular for a
// branch on them to pay.
inline unsigned markCandidates(const char *d, qsizetype i)
{
    const __m128i next = load(d + i + 1);
    const __m128i endMark = _mm_and_si128(_mm_cmpeq_epi8(next, splat('\r')),
                                          _mm_cmpeq_epi8(load(d + i + 3), splat('\n')));
    const __m128i start = _mm_or_si128(_mm_cmpeq_epi8(next, splat('#')), endMark);
    const __m128i at = _mm_cmpeq_epi8(load(d + i), splat('\n'));
    return unsigned(_mm_movemask_epi8(_mm_and_si128(at, start)));
}

// Notes the line starts after the LFs in [from, n) that may begin a heading or the end mark;
// false once the end mark is found.
bool marksVectorFrom(LineMarks &marks, const char *d, qsizetype from, qsizetype n, bool atFileEnd)
{
    for (qsizetype i = from; i < n; i += 32) {
        unsigned bits = markCandidates(d, i) | (markCandidates(d, i + 16) << 16);
        while (bits) {
            const qsizetype s = i + std::countr_zero(bits) + 1;
            bits &= bits - 1;
            if (s >= n)
                break;
            if (!noteLineStart(marks, d, s, n, atFileEnd))
                return false;
        }
    }
    noteLastLine(marks, d, n, atFileEnd);
    return marks.endMark < 0;
}

LineMarks lineMarksVector(const char *d, qsizetype n, bool atFileEnd)
{
    LineMarks marks;
    if (n > 0 && noteLineStart(marks, d, 0, n, atFileEnd))
        marksVectorFrom(marks, d, 0, n, atFileEnd);
    return marks;
}

// Lanes 0 .. k-1 set, for 0 <= k <= 16.
inline __m128i firstLanes(qsizetype k)
{
    alignas(16) static const char ones[32] = {-1, -1, -1, -1, -1, -1, -1, -1,
                                              -1, -1, -1, -1, -1, -1, -1, -1};
    return load(ones + 16 - k);
}

inline qsizetype laneSum(__m128i counts)
{
    const __m128i sums = _mm_sad_epu8(counts, _mm_setzero_si128());
    return _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
}

qsizetype countWordsVector(const char *d, qsizetype begin, qsizetype end)
{
    const __m128i blank = splat(' ');
    const __m128i lf = splat('\n');
    qsizetype count = 0;
    // Word starts are counted per lane (each start subtracts -1) and summed up before a lane
    // can overflow.
    __m128i lanes = _mm_setzero_si128();
    int steps = 0;
    for (qsizetype i = begin; i < end; i += 16) {
        const __m128i cur = load(d + i);
        const __m128i prev = load(d + i - 1);
        const __m128i next = load(d + i + 1);
        const __m128i sepCur = _mm_or_si128(_mm_cmpeq_epi8(cur, blank), _mm_cmpeq_epi8(cur, lf));
        __m128i sepPrev = _mm_or_si128(_mm_cmpeq_epi8(prev, blank), _mm_cmpeq_epi8(prev, lf));
        __m128i nextLf = _mm_cmpeq_epi8(next, lf);
        if (i == begin)
            sepPrev = _mm_or_si128(sepPrev, firstLanes(1)); // the range starts a line
        __m128i valid = _mm_cmpeq_epi8(cur, cur);
        const qsizetype left = end - i;
        if (left <= 16) {
            // Only bytes of the range count, and nothing follows its last byte.
            valid = firstLanes(left);
            nextLf = _mm_and_si128(nextLf, firstLanes(left - 1));
        }
        const __m128i starts =
            _mm_and_si128(valid, _mm_andnot_si128(nextLf, _mm_andnot_si128(sepCur, sepPrev)));
        lanes = _mm_sub_epi8(lanes, starts);
        if (++steps == 255) {
            count += laneSum(lanes);
            lanes = _mm_setzero_si128();
            steps = 0;
        }
    }
    return count + laneSum(lanes);
}

qsizetype findVector(const QByteArray &needle, const char (&firsts)[2], const char (&lasts)[2],
                     const char *d, qsizetype from, qsizetype to)
{
    // Compare the needle's first and last byte (in either case) at 16 places at once; check
    // the rest only where both fit.
    const qsizetype w = needle.size();
    const __m128i first0 = splat(firsts[0]);
    const __m128i first1 = splat(firsts[1]);
    const __m128i last0 = splat(lasts[0]);
    const __m128i last1 = splat(lasts[1]);
    const auto &table = cp1252::lowerTable();
    qsizetype i = from;
    for (; i + 15 + w <= to; i += 16) {
        const __m128i a = load(d + i);
        const __m128i b = load(d + i + w - 1);
        const __m128i hits =
            _mm_and_si128(_mm_or_si128(_mm_cmpeq_epi8(a, first0), _mm_cmpeq_epi8(a, first1)),
                          _mm_or_si128(_mm_cmpeq_epi8(b, last0), _mm_cmpeq_epi8(b, last1)));
        unsigned bits = unsigned(_mm_movemask_epi8(hits));
        while (bits) {
            const qsizetype p = i + std::countr_zero(bits);
            bits &= bits - 1;
            if (matchesAt(table, d + p, needle))
                return p;
        }
    }
    return findPlain(needle, d, i, to);
}

#endif

#ifdef QUARNTAMO_AVX2

bool processorHasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

QUARNTAMO_TARGET_AVX2 inline __m256i load32(const char *p)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p));
}

// As findVector, 32 places at a time; the rest is left to findVector.
QUARNTAMO_TARGET_AVX2 qsizetype findWide(const QByteArray &needle, const char (&firsts)[2],
                                         const char (&lasts)[2], const char *d, qsizetype from,
                                         qsizetype to)
{
    const qsizetype w = needle.size();
    const __m256i first0 = _mm256_set1_epi8(firsts[0]);
    const __m256i first1 = _mm256_set1_epi8(firsts[1]);
    const __m256i last0 = _mm256_set1_epi8(lasts[0]);
    const __m256i last1 = _mm256_set1_epi8(lasts[1]);
    const auto &table = cp1252::lowerTable();
    qsizetype i = from;
    for (; i + 31 + w <= to; i += 32) {
        const __m256i a = load32(d + i);
        const __m256i b = load32(d + i + w - 1);
        const __m256i hits = _mm256_and_si256(
            _mm256_or_si256(_mm256_cmpeq_epi8(a, first0), _mm256_cmpeq_epi8(a, first1)),
            _mm256_or_si256(_mm256_cmpeq_epi8(b, last0), _mm256_cmpeq_epi8(b, last1)));
        auto bits = std::uint32_t(_mm256_movemask_epi8(hits));
        while (bits) {
            const qsizetype p = i + std::countr_zero(bits);
            bits &= bits - 1;
            if (matchesAt(table, d + p, needle))
                return p;
        }
    }
    return findVector(needle, firsts, lasts, d, i, to);
}

#endif

} // namespace

// scanBlock's work, with access to the finders' bytes.
struct FusedScan {
    static constexpr std::size_t kMostWords = 4; // more are looked for one after another

    // Each finder over [0, end) by itself.
    static void findEach(const char *d, qsizetype end, const std::vector<const Finder *> &finders,
                         BlockFinds &out)
    {
        for (std::size_t k = 0; k < finders.size(); ++k) {
            for (qsizetype p = finders[k]->find(d, 0, end); p >= 0;
                 p = finders[k]->find(d, p + 1, end))
                out.places[k].push_back(p);
        }
    }

#ifdef QUARNTAMO_AVX2
    // The marks and up to kMostWords words, 32 places at a time, while the longest word fits
    // before n; the rest as findLineMarks and Finder::find do it.
    QUARNTAMO_TARGET_AVX2 static void wide(const char *d, qsizetype n, bool atFileEnd,
                                           const std::vector<const Finder *> &finders,
                                           BlockFinds &out)
    {
        LineMarks &marks = out.marks;
        if (n == 0 || !noteLineStart(marks, d, 0, n, atFileEnd))
            return;
        struct Word {
            __m256i first0, first1, last0, last1;
            qsizetype size;
            const QByteArray *needle;
            std::vector<qsizetype> *places;
        };
        Word words[kMostWords];
        const std::size_t count = finders.size();
        qsizetype longest = 0;
        for (std::size_t k = 0; k < count; ++k) {
            const Finder &f = *finders[k];
            words[k] = {_mm256_set1_epi8(f.m_first[0]),
                        _mm256_set1_epi8(f.m_first[1]),
                        _mm256_set1_epi8(f.m_last[0]),
                        _mm256_set1_epi8(f.m_last[1]),
                        f.size(),
                        &f.m_needle,
                        &out.places[k]};
            longest = std::max(longest, f.size());
        }
        const auto &table = cp1252::lowerTable();
        const __m256i lf = _mm256_set1_epi8('\n');
        const __m256i hash = _mm256_set1_epi8('#');
        const __m256i cr = _mm256_set1_epi8('\r');
        qsizetype i = 0;
        for (; i + 31 + longest <= n; i += 32) {
            const __m256i a = load32(d + i);
            for (std::size_t k = 0; k < count; ++k) {
                const Word &w = words[k];
                const __m256i b = load32(d + i + w.size - 1);
                const __m256i hits = _mm256_and_si256(
                    _mm256_or_si256(_mm256_cmpeq_epi8(a, w.first0), _mm256_cmpeq_epi8(a, w.first1)),
                    _mm256_or_si256(_mm256_cmpeq_epi8(b, w.last0), _mm256_cmpeq_epi8(b, w.last1)));
                for (auto bits = std::uint32_t(_mm256_movemask_epi8(hits)); bits;
                     bits &= bits - 1) {
                    const qsizetype p = i + std::countr_zero(bits);
                    if (matchesAt(table, d + p, *w.needle))
                        w.places->push_back(p);
                }
            }
            const __m256i next = load32(d + i + 1);
            const __m256i endMark = _mm256_and_si256(_mm256_cmpeq_epi8(next, cr),
                                                     _mm256_cmpeq_epi8(load32(d + i + 3), lf));
            const __m256i start = _mm256_or_si256(_mm256_cmpeq_epi8(next, hash), endMark);
            for (auto bits = std::uint32_t(
                     _mm256_movemask_epi8(_mm256_and_si256(_mm256_cmpeq_epi8(a, lf), start)));
                 bits; bits &= bits - 1) {
                const qsizetype s = i + std::countr_zero(bits) + 1;
                if (s < n && !noteLineStart(marks, d, s, n, atFileEnd)) {
                    dropPlacesFrom(s, finders, out);
                    return;
                }
            }
        }
        // Places before i end before any line start the rest may find: no needle holds an LF.
        marksVectorFrom(marks, d, i, n, atFileEnd);
        const qsizetype end = marks.endMark >= 0 ? marks.endMark : n;
        for (std::size_t k = 0; k < count; ++k) {
            for (qsizetype p =
                     findWide(*words[k].needle, finders[k]->m_first, finders[k]->m_last, d, i, end);
                 p >= 0; p = findWide(*words[k].needle, finders[k]->m_first, finders[k]->m_last, d,
                                      p + 1, end))
                words[k].places->push_back(p);
        }
    }
#endif

    // Forgets the places of words that reach past end.
    static void dropPlacesFrom(qsizetype end, const std::vector<const Finder *> &finders,
                               BlockFinds &out)
    {
        for (std::size_t k = 0; k < out.places.size(); ++k) {
            std::vector<qsizetype> &places = out.places[k];
            while (!places.empty() && places.back() + finders[k]->size() > end)
                places.pop_back();
        }
    }
};

void scanBlock(const char *data, qsizetype n, bool atFileEnd,
               const std::vector<const Finder *> &finders, BlockFinds &out, Kind kind)
{
    out.marks.headings.clear();
    out.marks.endMark = -1;
    out.places.resize(finders.size());
    for (std::vector<qsizetype> &places : out.places)
        places.clear();
#ifdef QUARNTAMO_AVX2
    if (kind == Kind::Wide && processorHasAvx2() && finders.size() <= FusedScan::kMostWords)
        return FusedScan::wide(data, n, atFileEnd, finders, out);
#endif
    out.marks = findLineMarks(data, n, atFileEnd, kind);
    FusedScan::findEach(data, out.marks.endMark >= 0 ? out.marks.endMark : n, finders, out);
}

Kind kindForWidth(int bytes)
{
    return bytes == 1 ? Kind::Plain : bytes == 16 ? Kind::Vector : Kind::Wide;
}

void lowerBytes(char *dst, const char *src, qsizetype n, Kind kind)
{
#ifdef QUARNTAMO_SSE2
    if (kind != Kind::Plain)
        return lowerVector(dst, src, n);
#endif
    Q_UNUSED(kind);
    lowerPlain(dst, src, n);
}

LineMarks findLineMarks(const char *data, qsizetype n, bool atFileEnd, Kind kind)
{
#ifdef QUARNTAMO_SSE2
    if (kind != Kind::Plain)
        return lineMarksVector(data, n, atFileEnd);
#endif
    Q_UNUSED(kind);
    return lineMarksPlain(data, n, atFileEnd);
}

qsizetype countWords(const char *data, qsizetype begin, qsizetype end, Kind kind)
{
#ifdef QUARNTAMO_SSE2
    if (kind != Kind::Plain)
        return countWordsVector(data, begin, end);
#endif
    Q_UNUSED(kind);
    return countWordsPlain(data, begin, end);
}

Finder::Finder(QByteArray needle, Kind kind)
    : m_needle(std::move(needle))
    , m_kind(kind)
{
    if (m_needle.isEmpty())
        return;
    const auto &table = cp1252::lowerTable();
    auto variants = [&table](char lower, char(&out)[2]) {
        out[0] = out[1] = lower;
        for (int b = 0; b < 256; ++b) {
            if (char(table[b]) == lower && char(b) != lower)
                out[1] = char(b);
        }
    };
    variants(m_needle.front(), m_first);
    variants(m_needle.back(), m_last);
}

qsizetype Finder::find(const char *data, qsizetype from, qsizetype to) const
{
    if (m_needle.isEmpty() || from < 0 || to - from < m_needle.size())
        return -1;
#ifdef QUARNTAMO_SSE2
#ifdef QUARNTAMO_AVX2
    if (m_kind == Kind::Wide && processorHasAvx2())
        return findWide(m_needle, m_first, m_last, data, from, to);
#endif
    if (m_kind != Kind::Plain)
        return findVector(m_needle, m_first, m_last, data, from, to);
#endif
    return findPlain(m_needle, data, from, to);
}

} // namespace tamo::blockscan
