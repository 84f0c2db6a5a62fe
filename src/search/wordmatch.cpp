#include "search/wordmatch_p.h"

#include "std/cp1252.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace tamo {

namespace {

bool containsBytes(const char *word, qsizetype length, const QByteArray &part)
{
    return std::string_view(word, size_t(length))
               .find(std::string_view(part.constData(), size_t(part.size()))) !=
           std::string_view::npos;
}

int wordDistance(const SearchWord &w, const char *lineWord, int length, int limit)
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

} // namespace

SearchWord prepareWord(const QueryWord &query, blockscan::Kind scans)
{
    SearchWord w;
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
        w.body = BodyScan::Count;
    } else if (w.quoted && !w.containsOnly && w.table.maxDistance(false) > 0) {
        // Long quoted words (30 characters on) score one typo off on text lines too.
        w.body = BodyScan::Tokens;
        w.minLength = int(std::max<qsizetype>(1, length - w.table.maxDistance(false)));
    } else if (w.canOccur) {
        w.body = BodyScan::Substring;
        if (!w.quoted)
            w.bodyEqual = equalScore(false);
        else if (w.containsOnly)
            w.bodyEqual = containsScore(false);
        else
            w.bodyEqual = w.table.scoreAt(0, false);
        w.finder = blockscan::Finder(w.bytes, scans);
    }
    return w;
}

int scoreWord(const SearchWord &w, const char *lineWord, qsizetype length, bool heading)
{
    const qsizetype wl = w.text.size();
    const int contains = containsScore(heading);
    if (!w.quoted) {
        if (!w.canOccur || length < wl)
            return 0;
        if (length == wl)
            return std::memcmp(lineWord, w.bytes.constData(), size_t(wl)) == 0 ? equalScore(heading)
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

} // namespace tamo
