#include "std/controlchars.h"

#include <algorithm>

namespace tamo {

namespace {

// The control characters a terminal obeys: C0 (but tab, and LF where kept), DEL, and C1
// (U+0080..U+009F, in UTF-8 the byte 0xC2 and a second byte 0x80..0x9F). size is what is left
// of the text.
qsizetype controlLength(const char *text, qsizetype size, bool keepLf)
{
    const auto c = static_cast<unsigned char>(text[0]);
    if ((c < 0x20 && c != '\t' && !(c == '\n' && keepLf)) || c == 0x7f)
        return 1;
    if (c == 0xc2 && size > 1) {
        const auto next = static_cast<unsigned char>(text[1]);
        if (next >= 0x80 && next <= 0x9f)
            return 2;
    }
    return 0;
}

void appendEscape(QByteArray &out, unsigned code)
{
    static const char hex[] = "0123456789abcdef";
    out += "\\x";
    out += hex[code >> 4];
    out += hex[code & 15];
}

} // namespace

QByteArray escapeControls(const QByteArray &utf8, LineBreaks lineBreaks)
{
    const bool keepLf = lineBreaks == LineBreaks::Kept;
    const char *data = utf8.constData();
    const qsizetype size = utf8.size();
    qsizetype i = 0;
    while (i < size && controlLength(data + i, size - i, keepLf) == 0)
        ++i;
    if (i == size)
        return utf8; // the common case: nothing to escape (a shared copy)
    QByteArray out;
    out.reserve(size + 16);
    out.append(data, i);
    while (i < size) {
        const qsizetype length = controlLength(data + i, size - i, keepLf);
        if (length == 0) {
            out += data[i++];
            continue;
        }
        // The code of a C1 control is its second byte.
        appendEscape(out, static_cast<unsigned char>(data[i + length - 1]));
        i += length;
    }
    return out;
}

} // namespace tamo
