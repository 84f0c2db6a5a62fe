// The main window's picture beside the topic text, and the text size.

#include "shell/form1.h"

#include "viewer/picturechoice.h"
#include "viewer/picturethrottle.h"

#include <QImageReader>

namespace {

// Pictures larger than this are refused rather than allocated: a small file can declare
// a huge image.
constexpr int kPictureMemoryLimitMB = 256;

QImage loadPicture(const QString &name)
{
    QImageReader reader(name);
    reader.setAllocationLimit(kPictureMemoryLimitMB);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() &&
        qint64(size.width()) * size.height() > qint64(kPictureMemoryLimitMB) * 256 * 1024)
        return {};
    return reader.read();
}

} // namespace

void Form1::Text1_KeyUp(int keyCode, int shift)
{
    Q_UNUSED(keyCode);
    Q_UNUSED(shift);
    if (pictureRequest(m_clock(), PictureRequestTime) == PictureRequest::Defer) {
        if (!Timer2->isActive()) // an enabled timer keeps its pending tick
            Timer2->start();
        return;
    }
    if (!TopicFullText.contains(QStringLiteral("%%%")))
        return;

    const QString name = pictureForCaret(TopicFullText, Text1->SelStart());
    auto hidePicture = [this] {
        Picture1->hide();
        Text1->resize(795, Text1->height());
    };
    if (name.isNull()) {
        hidePicture();
        return;
    }
    // A missing, unreadable or empty picture hides the picture area; the text takes the
    // full width and the viewer goes on.
    TopicPicture = loadPicture(name);
    const FitRect fit = fitPicture(TopicPicture.width(), TopicPicture.height());
    if (TopicPicture.isNull() || fit.width <= 0 || fit.height <= 0) {
        hidePicture();
        return;
    }
    Picture1->Cls();
    Picture1->PaintPicture(TopicPicture, QRectF(fit.x, fit.y, fit.width, fit.height));
    Picture1->show();
    Text1->resize(379, Text1->height());
}

void Form1::Text1_MouseUp()
{
    Text1_KeyUp(0, 0);
}

void Form1::Timer2_Timer()
{
    Text1_KeyUp(0, 0);
    Timer2->stop();
}

void Form1::Command3_Click()
{
    m_textFont = enlargeText(m_textFont);
    applyTopicFont();
}

void Form1::Command4_Click()
{
    m_textFont = shrinkText(m_textFont);
    applyTopicFont();
}
