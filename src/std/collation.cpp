#include "std/collation.h"

#include <QCollatorSortKey>
#include <QLocale>

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <optional>
#include <vector>

namespace collation {

namespace {

// Sorting thousands of topic names spends most of its time in ICU sort keys and comparisons,
// yet nearly every name is made of printable ASCII and German umlauts. Under a
// case-insensitive collation such texts compare exactly like a key of two levels: first the
// primary ranks of their characters (umlauts rank with their base letter), then, where those
// are equal, a mark per character that puts the umlaut after its plain letter. The ranks come
// from the collator itself, once; texts with any other character go to the collator.
struct FastKeyTable {
    std::array<unsigned char, 256> rank{}; // 0: not covered
    std::array<unsigned char, 256> mark{};
};

const FastKeyTable &fastKeyTable()
{
    static const FastKeyTable table = [] {
        FastKeyTable t;
        std::vector<char16_t> chars;
        for (char16_t c = 32; c < 127; ++c)
            chars.push_back(c);
        const QCollator &c = collator();
        auto cmp = [&c](char16_t a, char16_t b) {
            return c.compare(QStringView(&a, 1), QStringView(&b, 1));
        };
        std::stable_sort(chars.begin(), chars.end(),
                         [&cmp](char16_t a, char16_t b) { return cmp(a, b) < 0; });
        unsigned char next = 0;
        for (std::size_t i = 0; i < chars.size(); ++i) {
            if (i == 0 || cmp(chars[i - 1], chars[i]) != 0)
                ++next;
            t.rank[chars[i]] = next;
            t.mark[chars[i]] = 1;
        }
        const char16_t umlauts[][2] = {{u'\u00E4', u'a'}, {u'\u00F6', u'o'}, {u'\u00FC', u'u'},
                                       {u'\u00C4', u'a'}, {u'\u00D6', u'o'}, {u'\u00DC', u'u'}};
        for (const auto &u : umlauts) {
            t.rank[u[0]] = t.rank[u[1]];
            t.mark[u[0]] = 2;
        }
        return t;
    }();
    return table;
}

// The two-level key of a text, or nothing when a character is not covered.
std::optional<QByteArray> fastKey(const QString &text)
{
    const FastKeyTable &t = fastKeyTable();
    const qsizetype n = text.size();
    QByteArray key(2 * n + 1, Qt::Uninitialized);
    char *ranks = key.data();
    char *marks = ranks + n + 1;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 256 || t.rank[c] == 0)
            return std::nullopt;
        ranks[i] = char(t.rank[c]);
        marks[i] = char(t.mark[c]);
    }
    ranks[n] = 0; // ends the ranks: a text that is the beginning of another sorts first
    return key;
}

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
    struct Key {
        std::optional<QByteArray> fast;
        std::optional<QCollatorSortKey> icu;
    };
    std::vector<Key> keys(texts.size());
    for (qsizetype i = 0; i < texts.size(); ++i) {
        keys[i].fast = fastKey(texts[i]);
        if (!keys[i].fast)
            keys[i].icu = collator().sortKey(texts[i]);
    }

    QList<qsizetype> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    // Later texts go in front of earlier equal ones.
    std::sort(order.begin(), order.end(), [&keys, &texts](qsizetype a, qsizetype b) {
        const Key &ka = keys[a];
        const Key &kb = keys[b];
        int c;
        if (ka.fast && kb.fast)
            c = compareBytes(*ka.fast, *kb.fast);
        else if (ka.icu && kb.icu)
            c = ka.icu->compare(*kb.icu);
        else
            c = collator().compare(texts[a], texts[b]);
        return c != 0 ? c < 0 : a > b;
    });
    return order;
}

} // namespace collation
