#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>

// The documentation and settings files are 8-bit text in Windows-1252. Every byte is one
// character; the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// stand for the code points of the same number, so that decoding never loses a byte and
// encoding the result gives the original bytes back.
namespace tamo::cp1252 {

// The Unicode character of one byte.
char16_t toUnicode(unsigned char byte);

QString decode(QByteArrayView bytes);

// Encodes text; a character without a Windows-1252 byte becomes '?' and clears *ok.
QByteArray encode(QStringView text, bool *ok = nullptr);

// Lower-casing maps every Windows-1252 letter to a letter of the same code page (A-Z, À-Þ
// without ×, Š, Œ, Ž, Ÿ), so matching can lower-case raw bytes one by one with this table and
// still agree with lower-casing the decoded text (the tests hold it against QChar::toLower).
inline constexpr std::array<unsigned char, 256> kLowerTable = [] {
    std::array<unsigned char, 256> table{};
    for (int b = 0; b < 256; ++b) {
        int lower = b;
        if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
            lower = b + 0x20;
        else if (b == 0x8A || b == 0x8C || b == 0x8E) // Š Œ Ž
            lower = b + 0x10;
        else if (b == 0x9F) // Ÿ
            lower = 0xFF;
        table[std::size_t(b)] = static_cast<unsigned char>(lower);
    }
    return table;
}();

inline const std::array<unsigned char, 256> &lowerTable()
{
    return kLowerTable;
}

inline unsigned char toLower(unsigned char byte)
{
    return lowerTable()[byte];
}

} // namespace tamo::cp1252
