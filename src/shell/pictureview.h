#pragma once

#include <QFrame>
#include <QImage>
#include <QRectF>

namespace tamo {

// The picture beside the topic text: a 2-pixel sunken border around a client area into which
// one picture is drawn, stretched into a rectangle given with fractions.
class PictureView : public QFrame {
    Q_OBJECT
public:
    explicit PictureView(QWidget *parent = nullptr);

    void clear();
    void showPicture(const QImage &picture, const QRectF &target);
    const QRectF &target() const { return m_target; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QRectF m_target;
};

} // namespace tamo
