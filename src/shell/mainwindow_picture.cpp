// The main window's picture beside the topic text, and the text size.

#include "shell/mainwindow.h"

#include "shell/layout.h"
#include "shell/pictureview.h"
#include "shell/topictextview.h"
#include "viewer/picturechoice.h"
#include "viewer/pictureload.h"
#include "viewer/picturethrottle.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPushButton>
#include <QTimer>

namespace tamo {

namespace {

// What tells one picture file from another: its path, size and time of the last change. Empty
// for a name that is no regular file, which is read again every time.
QString pictureKey(const QString &name)
{
    const QFileInfo info(name);
    if (!info.isFile())
        return {};
    return info.absoluteFilePath() + u'\n' + QString::number(info.size()) + u'\n' +
           QString::number(info.lastModified().toMSecsSinceEpoch());
}

} // namespace

void MainWindow::requestPictureUpdate()
{
    if (pictureRequest(m_clock(), m_lastPictureRequest) == PictureRequest::Defer) {
        if (!m_pictureDelay->isActive()) // an enabled timer keeps its pending tick
            m_pictureDelay->start();
        return;
    }
    updatePicture();
}

void MainWindow::updatePicture()
{
    if (!m_topicFullText.contains(QStringLiteral("%%%")))
        return;

    const QString name = pictureForCaret(m_topicFullText, m_topicText->selectionStart());
    if (name.isNull()) {
        hidePicture();
        return;
    }
    // The decoded picture is kept while the same file stays chosen: decoding a large picture
    // again on every caret move would take seconds each time.
    const QString key = pictureKey(name);
    if (key.isEmpty() || key != m_topicPictureKey) {
        m_topicPicture = loadPicture(name).image;
        m_topicPictureKey = key;
    }
    // A missing, unreadable or empty picture hides the picture area; the text takes the
    // full width and the viewer goes on.
    const FitRect fit =
        fitPicture(m_topicPicture.width(), m_topicPicture.height(), layout::kPictureArea);
    if (m_topicPicture.isNull() || fit.width <= 0 || fit.height <= 0) {
        hidePicture();
        return;
    }
    m_picture->showPicture(m_topicPicture, QRectF(fit.x, fit.y, fit.width, fit.height));
    m_picture->show();
    m_topicText->resize(layout::kTextBesidePicture, m_topicText->height());
}

void MainWindow::hidePicture()
{
    m_picture->hide();
    m_topicText->resize(layout::kTextFullWidth, m_topicText->height());
}

void MainWindow::runDeferredPictureUpdate()
{
    // The deferred update is carried out whatever came since: it counts as a request of its
    // own, so the next release within a second is deferred again.
    m_pictureDelay->stop();
    m_lastPictureRequest = m_clock();
    updatePicture();
}

void MainWindow::enlargeText()
{
    m_textFont = tamo::enlargeText(m_textFont);
    applyTopicFont();
}

void MainWindow::shrinkText()
{
    m_textFont = tamo::shrinkText(m_textFont);
    applyTopicFont();
}

void MainWindow::zoomText(int steps)
{
    QPushButton *button = steps > 0 ? m_largerTextButton : m_smallerTextButton;
    for (int i = 0; i < std::abs(steps); ++i)
        button->click();
}

void MainWindow::applyTopicFont()
{
    QFont f(QStringLiteral("Times New Roman"));
    f.setPointSizeF(m_textFont.size);
    f.setBold(m_textFont.bold);
    m_topicText->setFont(f);
}

} // namespace tamo
