#include "find/wholeword.h"

namespace tamo {

SeparatorClass separatorClass(QChar c)
{
    switch (c.unicode()) {
    case 32:
        return SeparatorClass::Blank;
    case 9:
    case 10:
    case 13:
        return SeparatorClass::TabAndLineBreak;
    case 95: // _
        return SeparatorClass::Underscore;
    case 45: // -
        return SeparatorClass::Hyphen;
    case 34:  // "
    case 178: // ²
    case 179: // ³
    case 33:  // !
    case 167: // §
    case 37:  // %
    case 38:  // &
    case 47:  // /
    case 40:  // (
    case 41:  // )
    case 63:  // ?
    case 123: // {
    case 91:  // [
    case 93:  // ]
    case 125: // }
    case 92:  // backslash
    case 42:  // *
    case 43:  // +
    case 126: // ~
    case 39:  // '
    case 35:  // #
    case 58:  // :
    case 59:  // ;
    case 46:  // .
    case 44:  // ,
    case 124: // |
    case 60:  // <
    case 62:  // >
    case 64:  // @
    case 181: // µ micro sign (the Greek mu U+03BC is a letter)
    case 94:  // ^
    case 176: // °
    case 180: // ´
    case 96:  // `
        return SeparatorClass::Other;
    default:
        return SeparatorClass::None;
    }
}

bool isSeparator(QChar c, const SeparatorFlags &flags)
{
    const SeparatorClass cls = separatorClass(c);
    return cls != SeparatorClass::None && flags[flagIndex(cls)];
}

namespace {

bool separatorAt(QStringView text, qsizetype pos, const SeparatorFlags &flags)
{
    return pos >= 0 && pos < text.size() && isSeparator(text[pos], flags);
}

} // namespace

bool isWholeWordSelection(QStringView text, qsizetype start, qsizetype length,
                          const SeparatorFlags &flags)
{
    bool result = true;
    if (start > 0)
        result = separatorAt(text, start - 1, flags);
    const qsizetype end = start + length;
    if (end != text.size())
        result = result && separatorAt(text, end, flags);
    return result;
}

} // namespace tamo
