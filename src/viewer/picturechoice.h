#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace tamo {

// A topic body may carry picture lines: a line that begins with "%%%" names a picture file.
// Picture lines are not shown; the picture beside the text follows the caret.

// The picture for the caret position caret in the shown text, or a null QString when none is
// chosen. fullText is the topic body with its picture lines, every line ending in CR LF.
//
// The choice walks fullText with a count: one for each character it steps on, two for a line
// break followed by the marker, and nothing for the name of a picture it chooses, which it
// steps over. A picture is chosen when the count at its marker, less four, lies before the
// caret; the last one chosen wins. A picture on the first body line starts the count afresh
// and so is chosen wherever the caret stands. A picture line without a name gives an empty,
// non-null name.
QString pictureForCaret(QStringView fullText, qsizetype caret);

// The names of the picture lines of fullText, in text order, each once, at most most of them;
// nameless ones left out.
QStringList pictureNames(QStringView fullText, qsizetype most);

// Where a picture of width x height pixels goes in the square picture area of side area:
// scaled to fill it along its longer side, keeping its proportions, and centred along the
// other side.
struct FitRect {
    double x;
    double y;
    double width;
    double height;
};

// For a picture without a size (width or height 0 or less) the result is empty (width 0),
// and the window hides the picture.
FitRect fitPicture(int width, int height, double area = 413);

} // namespace tamo
