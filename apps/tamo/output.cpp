#include "output.h"

#include <QStringEncoder>

#include <charconv>

namespace tamo::output {

void appendUtf8(QByteArray &out, QStringView text)
{
    QStringEncoder encoder(QStringEncoder::Utf8);
    const qsizetype at = out.size();
    out.resize(at + encoder.requiredSpace(text.size()));
    char *end = encoder.appendToBuffer(out.data() + at, text);
    out.truncate(end - out.constData());
}

void appendNumber(QByteArray &out, qint64 number, int width)
{
    char digits[24];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, number);
    Q_UNUSED(error); // 24 characters hold every 64-bit number
    const qsizetype length = end - digits;
    if (length < width)
        out.append(width - length, ' ');
    out.append(digits, length);
}

} // namespace tamo::output
