#pragma once

#include <QString>
#include <QStringView>

// Small text routines shared by every part of the viewer. They keep no state.
namespace tamo {

// The line break of every text the viewer builds: CR LF.
QString newLine();

// The end-of-file mark of DocReader::readLine (lines::kEndMark, see linerule.h) as text.
// Readers compare a line with it to detect the end of the file.
QString endOfFileMark();

// Removes leading and trailing blanks (code 32 only; tabs stay).
QString trimBlanks(QStringView text);

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

// File content as a message quotes it: at most most characters, the middle left out, so that
// a hostile file cannot fill the screen:   a 300-character path -> its first 100 characters,
// "…", its last 99.
QString elidedForMessage(QStringView text, qsizetype most = 200);

} // namespace tamo
