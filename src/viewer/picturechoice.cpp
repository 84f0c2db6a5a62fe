#include "viewer/picturechoice.h"

#include <QSet>

namespace tamo {

namespace {

const QStringView marker = u"%%%";
const QStringView lineBreakMarker = u"\r\n%%%";

} // namespace

QString pictureForCaret(QStringView fullText, qsizetype caret)
{
    // i is a 1-based position into fullText, so fullText[i - 1] is the character at i.
    const qsizetype length = fullText.size();
    QString chosen;
    qsizetype k = 0;
    for (qsizetype i = 1; i <= length; ++i) {
        ++k;
        bool pictureLine = false;
        if (i == 1 && fullText.startsWith(marker)) {
            i = 3;
            k = 0;
            pictureLine = true;
        } else if (fullText.mid(i - 1).startsWith(lineBreakMarker)) {
            i += 4;
            k += 1;
            pictureLine = true;
        }
        if (!pictureLine)
            continue;
        // The name runs from behind the marker (0-based index i) to the line's CR LF.
        qsizetype end = fullText.indexOf(u"\r\n", i);
        if (end < 0)
            end = length;
        const QStringView name = fullText.sliced(i, end - i);
        if (k - 4 < caret) {
            chosen = name.toString();
            if (chosen.isNull())
                chosen = QStringLiteral(""); // a picture line was chosen, even with no name
            i += name.size();
        }
    }
    return chosen;
}

QStringList pictureNames(QStringView fullText, qsizetype most)
{
    QStringList names;
    QSet<QString> seen;
    for (const QStringView line : fullText.tokenize(u"\r\n")) {
        if (names.size() >= most)
            break;
        if (line.size() > marker.size() && line.startsWith(marker)) {
            const QString name = line.sliced(marker.size()).toString();
            if (!seen.contains(name)) {
                seen.insert(name);
                names.append(name);
            }
        }
    }
    return names;
}

FitRect fitPicture(int width, int height, double area)
{
    if (width <= 0 || height <= 0)
        return {0, 0, 0, 0};
    const double ratio = double(width) / double(height);
    double w = area;
    double h = area;
    if (ratio > 1)
        h = area * height / width;
    else if (ratio < 1)
        w = area * width / height;
    return {(area - w) / 2, (area - h) / 2, w, h};
}

} // namespace tamo
