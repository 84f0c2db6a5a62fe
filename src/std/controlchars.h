#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace tamo {

// Text for a terminal: a documentation file, an argument or a link may hold bytes that a
// terminal obeys (ESC clears the screen or sets the window title, BEL rings, CR overwrites the
// line). Every control character of UTF-8 text is written as a visible escape of its code, "\x"
// and two lower-case hex digits, except tab and, where lines are kept, LF:
//   ESC -> \x1b   BEL -> \x07   CR -> \x0d   DEL -> \x7f   U+009D -> \x9d
// A backslash stays as it is, so text without control characters comes out unchanged.
enum class LineBreaks { Kept, Escaped };
QByteArray escapeControls(const QByteArray &utf8, LineBreaks lineBreaks = LineBreaks::Kept);

} // namespace tamo
