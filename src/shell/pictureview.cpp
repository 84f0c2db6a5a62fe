#include "shell/pictureview.h"

#include "shell/layout.h"

#include <QPainter>

namespace tamo {

PictureView::PictureView(QWidget *parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(layout::kPictureBorder);
    setAutoFillBackground(true);
}

void PictureView::clear()
{
    m_picture = QImage();
    m_target = QRectF();
    update();
}

void PictureView::showPicture(const QImage &picture, const QRectF &target)
{
    m_picture = picture;
    m_target = target;
    update();
}

void PictureView::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect client = contentsRect();
    painter.setClipRect(client);
    painter.drawImage(m_target.translated(client.topLeft()), m_picture);
}

} // namespace tamo
