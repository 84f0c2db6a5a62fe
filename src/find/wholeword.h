#pragma once

#include <QChar>
#include <QStringView>

#include <array>

namespace tamo {

// Whether a found occurrence stands as a whole word. The find panel offers five classes of
// word separators, each with its own check box, in this order (index into SeparatorFlags):
//   0 blank                                  (default on)
//   1 tab, LF and CR                         (default on)
//   2 underscore "_"                         (default off)
//   3 hyphen "-"                             (default off)
//   4 other special characters, see below    (default on)
// Class 4 holds the punctuation of the reference texts: " ² ³ ! § % & / ( ) ? { [ ] } \ * + ~
// ' # : ; . , | < > @ µ ^ ° ´ `. Letters (umlauts and ß too), digits, $, =, the no-break
// space and every other character never separate words.
using SeparatorFlags = std::array<bool, 5>;

inline constexpr SeparatorFlags defaultSeparatorFlags{true, true, false, false, true};

// The separator class (0..4) of a character, or -1 for a character that belongs to words.
int separatorClass(QChar c);

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
