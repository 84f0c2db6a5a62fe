#include "json.h"

#include <algorithm>

namespace tamo::json {

void appendString(QByteArray &out, const QString &text)
{
    static const char hex[] = "0123456789abcdef";
    out += '"';
    const QByteArray utf8 = text.toUtf8();
    const bool plain = std::none_of(utf8.begin(), utf8.end(), [](char ch) {
        return ch == '"' || ch == '\\' || static_cast<unsigned char>(ch) < 0x20;
    });
    if (plain) { // the common case: nothing to escape
        out += utf8;
        out += '"';
        return;
    }
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

void appendStringArray(QByteArray &out, const QStringList &texts)
{
    appendArray(out, texts, appendString);
}

} // namespace tamo::json
