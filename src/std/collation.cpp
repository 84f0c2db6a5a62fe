#include "std/collation.h"

#include "std/sidethread.h"

#include <QCollatorSortKey>
#include <QLocale>
#include <QThread>

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <optional>
#include <system_error>
#include <vector>

namespace tamo::collation {

namespace {

// Sorting thousands of topic names spends most of its time in ICU sort keys and comparisons,
// yet nearly every name is made of printable ASCII, German umlauts and ß. Under a
// case-insensitive collation such texts compare exactly like a key of two levels, as the
// collation algorithm itself builds it: first the primary ranks of their characters (an umlaut
// ranks as its base letter, ß as "ss"), then, where those are equal, the sequence of accent
// weights: one plain weight per base letter, followed by a diaeresis weight after an umlaut's
// letter, and by the weight of ß between its two letters. Texts with any other character go to
// the collator.
struct FastKeyTable {
    std::array<unsigned char, 128> rank{}; // 0: not covered
};

// The printable ASCII characters in the collator's order, characters of equal rank side by
// side. Written out rather than asked of the collator, whose first use costs more than a
// whole search of a small file; the tests hold it against the collator.
constexpr const char *kAsciiOrder[] = {
    " ",  "_",  "-",  ",",  ";",  ":",  "!",  "?",  ".",  "'",  "\"", "(",  ")",  "[",
    "]",  "{",  "}",  "@",  "*",  "/",  "\\", "&",  "#",  "%",  "`",  "^",  "+",  "<",
    "=",  ">",  "|",  "~",  "$",  "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",
    "9",  "Aa", "Bb", "Cc", "Dd", "Ee", "Ff", "Gg", "Hh", "Ii", "Jj", "Kk", "Ll", "Mm",
    "Nn", "Oo", "Pp", "Qq", "Rr", "Ss", "Tt", "Uu", "Vv", "Ww", "Xx", "Yy", "Zz"};

constexpr char kPlain = 1;     // accent weight of a letter without accent
constexpr char kDiaeresis = 2; // follows the letter of an umlaut
constexpr char kSharpS = 3;    // stands between the two letters of ß

constexpr FastKeyTable kFastKeyTable = [] {
    FastKeyTable t;
    unsigned char next = 0;
    for (const char *group : kAsciiOrder) {
        ++next;
        for (const char *c = group; *c; ++c)
            t.rank[std::size_t(*c)] = next;
    }
    return t;
}();

// The base letter of an umlaut, or 0.
char16_t umlautBase(char16_t c)
{
    switch (c) {
    case u'\u00E4':
    case u'\u00C4':
        return u'a';
    case u'\u00F6':
    case u'\u00D6':
        return u'o';
    case u'\u00FC':
    case u'\u00DC':
        return u'u';
    default:
        return 0;
    }
}

// Appends the two-level key of a text to out; false, leaving out as it was, when a character
// is not covered.
bool appendFastKey(QStringView text, std::vector<char> &out)
{
    const FastKeyTable &t = kFastKeyTable;
    const qsizetype n = text.size();
    const std::size_t begin = out.size();
    // At most two ranks and three accent weights per character (ß); written in place.
    out.resize(begin + std::size_t(5 * n + 1));
    char *ranks = out.data() + begin;
    thread_local std::vector<char> accentBuffer;
    accentBuffer.resize(size_t(3 * n));
    char *accents = accentBuffer.data();
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 128 && t.rank[c] != 0) {
            *ranks++ = char(t.rank[c]);
            *accents++ = kPlain;
        } else if (const char16_t base = umlautBase(c)) {
            *ranks++ = char(t.rank[base]);
            *accents++ = kPlain;
            *accents++ = kDiaeresis;
        } else if (c == u'\u00DF') {
            *ranks++ = char(t.rank[u's']);
            *ranks++ = char(t.rank[u's']);
            *accents++ = kPlain;
            *accents++ = kSharpS;
            *accents++ = kPlain;
        } else {
            out.resize(begin);
            return false;
        }
    }
    *ranks++ = '\0'; // ends the ranks: a text that is the beginning of another sorts first
    const size_t accentCount = size_t(accents - accentBuffer.data());
    if (accentCount > 0) // an empty text has no buffer to copy from
        std::memcpy(ranks, accentBuffer.data(), accentCount);
    out.resize(std::size_t(ranks - out.data()) + accentCount);
    return true;
}

// The two-level key of a text, or nothing when a character is not covered.
std::optional<QByteArray> fastKey(const QString &text)
{
    thread_local std::vector<char> key;
    key.clear();
    if (!appendFastKey(text, key))
        return std::nullopt;
    return QByteArray(key.data(), qsizetype(key.size()));
}

// Lists from this size on are keyed and sorted on two threads.
constexpr qsizetype kTwoThreadsFrom = 4096;

int compareBytes(const QByteArray &a, const QByteArray &b)
{
    const int c = std::memcmp(a.constData(), b.constData(), size_t(std::min(a.size(), b.size())));
    if (c != 0)
        return c;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

} // namespace

const QCollator &collator()
{
    static const QCollator instance = [] {
        QCollator c(QLocale(QLocale::German, QLocale::Germany));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        c.setIgnorePunctuation(false);
        return c;
    }();
    return instance;
}

int compare(const QString &a, const QString &b)
{
    const std::optional<QByteArray> ka = fastKey(a);
    if (ka) {
        const std::optional<QByteArray> kb = fastKey(b);
        if (kb)
            return compareBytes(*ka, *kb);
    }
    return collator().compare(a, b);
}

QList<qsizetype> insertionOrder(const QStringList &texts)
{
    // The keys of the fast path lie in one store per thread that makes them, so that thousands
    // of names cost no allocation each.
    struct Key {
        quint64 prefix = 0;         // the first eight bytes of the fast key, for a quick first test
        const char *fast = nullptr; // the fast key, or null: the collator's key decides
        qsizetype length = 0;
        std::optional<QCollatorSortKey> icu;
    };
    const qsizetype n = texts.size();
    std::vector<Key> keys(static_cast<std::size_t>(n));
    std::vector<std::size_t> offsets(keys.size());

    // Makes the fast keys of [from, to) into store; offsets until the store stops growing.
    auto makeFastKeys = [&texts, &keys, &offsets](qsizetype from, qsizetype to,
                                                  std::vector<char> &store) {
        for (qsizetype i = from; i < to; ++i) {
            const std::size_t begin = store.size();
            if (appendFastKey(texts[i], store)) {
                offsets[std::size_t(i)] = begin;
                keys[std::size_t(i)].length = qsizetype(store.size() - begin);
            } else {
                keys[std::size_t(i)].length = -1;
            }
        }
    };
    // Large lists are keyed and sorted on two threads; the collator is only ever asked on the
    // calling thread (its keys) or, where a list needs it to compare, not from two at once.
    const bool twoThreads = n >= kTwoThreadsFrom && QThread::idealThreadCount() > 1;
    const qsizetype half = twoThreads ? n / 2 : n;
    std::vector<char> stores[2];
    {
        SideThread second;
        if (twoThreads) {
            try {
                second = SideThread([&] { makeFastKeys(half, n, stores[1]); });
            } catch (const std::system_error &) {
                makeFastKeys(half, n, stores[1]); // no thread to be had
            }
        }
        makeFastKeys(0, half, stores[0]);
        if (second.joinable())
            second.join();
    }
    bool allFast = true;
    for (qsizetype i = 0; i < n; ++i) {
        Key &k = keys[std::size_t(i)];
        if (k.length < 0) {
            k.icu = collator().sortKey(texts[i]);
            allFast = false;
            continue;
        }
        k.fast = stores[i < half ? 0 : 1].data() + offsets[std::size_t(i)];
        for (qsizetype b = 0; b < 8; ++b)
            k.prefix = (k.prefix << 8) | (b < k.length ? quint8(k.fast[b]) : 0);
    }

    QList<qsizetype> order(n);
    std::iota(order.begin(), order.end(), 0);
    // Later texts go in front of earlier equal ones: with the index as the last criterion the
    // order is total, so sorting the halves apart and merging them gives the same result.
    const auto before = [&keys, &texts](qsizetype a, qsizetype b) {
        const Key &ka = keys[std::size_t(a)];
        const Key &kb = keys[std::size_t(b)];
        int c;
        if (ka.fast && kb.fast) {
            // Keys are compared as bytes; a key shorter than eight bytes is padded with zeros,
            // which sort before every rank, so the prefix order agrees with the byte order.
            c = ka.prefix < kb.prefix ? -1 : (ka.prefix > kb.prefix ? 1 : 0);
            if (c == 0) {
                c = std::memcmp(ka.fast, kb.fast, size_t(std::min(ka.length, kb.length)));
                if (c == 0)
                    c = ka.length < kb.length ? -1 : (ka.length > kb.length ? 1 : 0);
            }
        } else if (ka.icu && kb.icu) {
            c = ka.icu->compare(*kb.icu);
        } else {
            c = collator().compare(texts[a], texts[b]);
        }
        return c != 0 ? c < 0 : a > b;
    };
    const auto upper = order.begin() + half;
    auto sortUpper = [&order, upper, &before] {
        std::sort(upper, order.end(), before);
    };
    if (twoThreads && allFast) {
        SideThread second;
        try {
            second = SideThread(sortUpper);
        } catch (const std::system_error &) {
            sortUpper(); // no thread to be had
        }
        std::sort(order.begin(), upper, before);
        if (second.joinable())
            second.join();
        std::inplace_merge(order.begin(), upper, order.end(), before);
    } else {
        std::sort(order.begin(), order.end(), before);
    }
    return order;
}

} // namespace tamo::collation
