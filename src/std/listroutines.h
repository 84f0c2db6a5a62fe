#pragma once

#include <QString>

#include <initializer_list>
#include <span>
#include <stdexcept>

namespace STD {

// The largest element; of equal largest ones the earliest. Throws on an empty list.
template <typename T> T MaxOf(std::span<const T> values)
{
    if (values.empty())
        throw std::invalid_argument("MaxOf: empty list");
    T best = values[0];
    for (std::size_t i = 1; i < values.size(); ++i) {
        if (best < values[i])
            best = values[i];
    }
    return best;
}

template <typename T> T MaxOf(std::initializer_list<T> values)
{
    return MaxOf(std::span<const T>(values.begin(), values.size()));
}

// The smallest element; of equal smallest ones the earliest. Throws on an empty list.
template <typename T> T MinOf(std::span<const T> values)
{
    if (values.empty())
        throw std::invalid_argument("MinOf: empty list");
    T best = values[0];
    for (std::size_t i = 1; i < values.size(); ++i) {
        if (values[i] < best)
            best = values[i];
    }
    return best;
}

template <typename T> T MinOf(std::initializer_list<T> values)
{
    return MinOf(std::span<const T>(values.begin(), values.size()));
}

// The index of the first entry at or after start that equals text (wholeEntry) or contains
// it, compared exactly (caseSensitive) or both sides lower-cased; -1 when there is none.
// Works on any list that offers count() and at(i); it does not rely on any order.
template <typename List>
int FindListEntry(const List &list, const QString &text, bool wholeEntry, bool caseSensitive,
                  int start)
{
    const auto count = list.count();
    if (start < 0)
        start = 0;
    if (start >= count)
        return -1;
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const QString wanted = caseSensitive ? text : text.toLower();
    for (auto i = decltype(count)(start); i < count; ++i) {
        const QString &entry = list.at(i);
        bool match;
        if (caseSensitive)
            match = wholeEntry ? entry == wanted : entry.contains(wanted, cs);
        else {
            const QString lowered = entry.toLower();
            match = wholeEntry ? lowered == wanted : lowered.contains(wanted);
        }
        if (match)
            return int(i);
    }
    return -1;
}

} // namespace STD
