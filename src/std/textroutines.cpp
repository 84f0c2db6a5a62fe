#include "std/textroutines.h"

#include "std/linerule.h"

#include <algorithm>
#include <cmath>

namespace tamo {

QString newLine()
{
    return QStringLiteral("\r\n");
}

QString endOfFileMark()
{
    return QString::fromLatin1(lines::kEndMark);
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

QString elidedForMessage(QStringView text, qsizetype most)
{
    if (text.size() <= most)
        return text.toString();
    const qsizetype head = most / 2;
    const qsizetype tail = std::max<qsizetype>(most - head - 1, 0);
    return text.first(head).toString() + u'\u2026' + text.last(tail).toString();
}

} // namespace tamo
