#pragma once

#include <QChar>
#include <QStringView>

#include <array>
#include <cstddef>

namespace tamo {

// Whether a found occurrence stands as a whole word. The find panel offers five classes of
// word separators, each with its own check box:
enum class SeparatorClass {
    None = -1,       // letters (umlauts and ß too), digits, $, =, the no-break space and every
                     // other character never separate words
    Blank,           // " "                                    (default on)
    TabAndLineBreak, // tab, LF and CR                         (default on)
    Underscore,      // "_"                                    (default off)
    Hyphen,          // "-"                                    (default off)
    Other,           // the punctuation of the reference texts (default on):
                     // " ² ³ ! § % & / ( ) ? { [ ] } \ * + ~ ' # : ; . , | < > @ µ ^ ° ´ `
};

// Which classes separate words, indexed by class.
using SeparatorFlags = std::array<bool, 5>;

inline constexpr std::size_t flagIndex(SeparatorClass c)
{
    return std::size_t(c);
}

inline constexpr SeparatorFlags defaultSeparatorFlags{true, true, false, false, true};

SeparatorClass separatorClass(QChar c);

// True when c belongs to a class whose flag is set.
bool isSeparator(QChar c, const SeparatorFlags &flags);

// Judges the selection [start, start + length) of text: the one character in front of it
// (when it does not begin the text) and the one behind it (when it does not end the text)
// must both be separators. The selection's own characters are not looked at, so an empty
// selection judges the two characters around the caret, and a selection of the whole text is
// always a whole word. A neighbour position that lies outside the text counts as no
// separator.
bool isWholeWordSelection(QStringView text, qsizetype start, qsizetype length,
                          const SeparatorFlags &flags);

} // namespace tamo
