#include "controlchars.h"

#include <algorithm>

namespace tamo {

namespace {

void appendEscape(QByteArray &out, unsigned code)
{
    static const char hex[] = "0123456789abcdef";
    out += "\\x";
    out += hex[code >> 4];
    out += hex[code & 15];
}

} // namespace

QByteArray escapeControls(const QByteArray &utf8)
{
    const auto isControl = [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        // 0xC2 leads the two-byte form of U+0080..U+00BF, among them the C1 controls.
        return (c < 0x20 && c != '\t' && c != '\n') || c == 0x7f || c == 0xc2;
    };
    if (std::none_of(utf8.begin(), utf8.end(), isControl))
        return utf8; // the common case: nothing to escape (a shared copy)
    QByteArray out;
    out.reserve(utf8.size() + 16);
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c == 0xc2 && i + 1 < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[i + 1]);
            if (next >= 0x80 && next <= 0x9f) { // U+0080..U+009F, the C1 controls
                appendEscape(out, next);
                ++i;
                continue;
            }
        }
        if ((c < 0x20 && c != '\t' && c != '\n') || c == 0x7f)
            appendEscape(out, c);
        else
            out += char(c);
    }
    return out;
}

} // namespace tamo
