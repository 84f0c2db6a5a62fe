#pragma once

#include <QString>
#include <QStringView>

// Small text routines shared by every part of the viewer. They keep no state.
namespace tamo {

// The line break of every text the viewer builds: CR LF.
QString newLine();

// The end-of-file mark of readLine: the one-character text CR. Readers compare a line
// with it to detect the end of the file (a line holding just CR reads as the end too).
QString endOfFileMark();

// Removes leading and trailing blanks (code 32 only; tabs stay).
QString trimBlanks(QStringView text);

// Decimal text of a number: "." as separator, no grouping, at most 15 significant digits,
// no leading zero below 1, no blanks.   4711 -> "4711", 0.3 -> ".3", -2.5 -> "-2.5"
QString numberText(double value);

// The nearest whole number, halves to the even neighbour: 11.5 -> 12, 12.5 -> 12, 2.5 -> 2.
// Written out rather than left to std::nearbyint, which follows whatever rounding mode the
// process has set.
double roundHalfToEven(double value);

// Lower-cases one UTF-16 unit (or surrogate pair) at a time with the simple case mapping, so
// the result has the length of the text and positions in it are positions in the text.
// (QString::toLower maps U+0130 to two characters.)   "İSTANBUL" -> "istanbul", "ß" -> "ß"
QString lowerCase(QStringView text);

// Every run of blanks becomes one blank; tabs and other characters are left alone.
QString collapseBlanks(QStringView text);

// Occurrences of part in text, overlapping ones included: "    " holds "  " three times.
// An empty part counts 0.
qsizetype countOccurrences(QStringView text, QStringView part);

// The classic edit distance (insert, delete, substitute, each 1), case-sensitive.
// Throws std::invalid_argument when either string is longer than 255 characters.
int editDistance(QStringView first, QStringView second);

} // namespace tamo
