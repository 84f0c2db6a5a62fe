#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <algorithm>
#include <cstring>

namespace tamo {

// How the documentation's lines read, for every reader of the file (the line reader, the topic
// index, the full-text search and its block scans).
//
// A line ends with LF. Its text drops the LF and the one byte in front of it, normally the CR
// of CR LF, so a line that ends in a bare LF loses its last character:
//   "###Datei" CR LF -> "###Datei"      "###" LF -> "##"      "x" LF -> ""
// The last line of a file may lack the LF; its text is then the whole rest.
namespace lines {

// The end (exclusive) of the text of the line that starts at start and ends with the LF at
// lf; both are offsets into the same bytes.
constexpr qsizetype textEnd(qsizetype start, qsizetype lf)
{
    return std::max(start, lf - 1);
}

// A line's kind is told by its first three bytes, compared exactly.
inline bool beginsWith(QByteArrayView text, const char (&marker)[4])
{
    return text.size() >= 3 && std::memcmp(text.data(), marker, 3) == 0;
}

// A heading is a line whose text begins with "###"; the rest of the text is the topic name.
inline bool isHeading(QByteArrayView text)
{
    return beginsWith(text, "###");
}

// A picture line, "%%%" and the picture's file name, belongs to a topic's text but is not shown.
inline bool isPictureLine(QByteArrayView text)
{
    return beginsWith(text, "%%%");
}

// A related-topic line, "---" and a topic's name: the first one ends a topic's text.
inline bool isRelatedLine(QByteArrayView text)
{
    return beginsWith(text, "---");
}

// The end-of-file mark: the text every reader returns at the end, the single byte CR. A line
// whose text is just CR (the bytes CR x LF) reads the same, and so ends the file for every
// reader.
inline constexpr char kEndMark[] = "\r";

inline bool isEndMark(QByteArrayView text)
{
    return text.size() == 1 && text[0] == '\r';
}

} // namespace lines
} // namespace tamo
