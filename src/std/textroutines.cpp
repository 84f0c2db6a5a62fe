#include "std/textroutines.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace tamo {

QString newLine()
{
    return QStringLiteral("\r\n");
}

QString endOfFileMark()
{
    return QStringLiteral("\r");
}

QString trimBlanks(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    qsizetype begin = 0;
    while (begin < end && text[begin] == u' ')
        ++begin;
    return text.mid(begin, end - begin).toString();
}

QString numberText(double value)
{
    // 'g' with 15 digits gives the shortest form with at most 15 significant digits and no
    // trailing zeros; the C locale gives "." and no grouping.
    QString text = QLocale::c().toString(value, 'g', 15);
    text.replace(u'e', u'E');
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0.")))
        text.remove(1, 1);
    return text;
}

double roundHalfToEven(double value)
{
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction < 0.5)
        return lower;
    if (fraction > 0.5)
        return lower + 1;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

QString lowerCase(QStringView text)
{
    QString lowered = text.toString();
    char16_t *data = reinterpret_cast<char16_t *>(lowered.data());
    const qsizetype n = lowered.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (QChar::isHighSurrogate(data[i]) && i + 1 < n && QChar::isLowSurrogate(data[i + 1])) {
            const char32_t lower = QChar::toLower(QChar::surrogateToUcs4(data[i], data[i + 1]));
            if (QChar::requiresSurrogates(lower)) {
                data[i] = QChar::highSurrogate(lower);
                data[i + 1] = QChar::lowSurrogate(lower);
            }
            ++i;
        } else if (data[i] == u'\u0130') {
            data[i] = u'i'; // Qt keeps it: its full mapping (i and a combining dot) is special
        } else {
            data[i] = QChar::toLower(data[i]);
        }
    }
    return lowered;
}

QString collapseBlanks(QStringView text)
{
    QString out;
    out.reserve(text.size());
    bool lastWasBlank = false;
    for (QChar c : text) {
        const bool blank = c == u' ';
        if (!(blank && lastWasBlank))
            out.append(c);
        lastWasBlank = blank;
    }
    return out;
}

qsizetype countOccurrences(QStringView text, QStringView part)
{
    if (part.isEmpty())
        return 0;
    qsizetype count = 0;
    qsizetype from = 0;
    while ((from = text.indexOf(part, from)) >= 0) {
        ++count;
        ++from;
    }
    return count;
}

int editDistance(QStringView first, QStringView second)
{
    const qsizetype m = first.size();
    const qsizetype n = second.size();
    if (m > 255 || n > 255)
        throw std::invalid_argument("editDistance: strings are limited to 255 characters");
    if (m == 0 || n == 0)
        return int(m + n);

    // Two rows of 8-bit cells suffice: no distance exceeds the longer length.
    std::array<std::array<unsigned char, 257>, 2> rows{};
    for (qsizetype i = 0; i <= m; ++i)
        rows[0][i] = static_cast<unsigned char>(i);
    for (qsizetype j = 1; j <= n; ++j) {
        auto &cur = rows[j % 2];
        const auto &prev = rows[(j + 1) % 2];
        cur[0] = static_cast<unsigned char>(j);
        for (qsizetype i = 1; i <= m; ++i) {
            const int cost = first[i - 1] == second[j - 1] ? 0 : 1;
            const int best = std::min(std::min(cur[i - 1] + 1, prev[i] + 1), prev[i - 1] + cost);
            cur[i] = static_cast<unsigned char>(best);
        }
    }
    return rows[n % 2][m];
}

} // namespace tamo
