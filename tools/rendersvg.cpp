// quarntamo_rendersvg SOURCE.svg TARGET.png SCALE
// Renders an SVG drawing at SCALE times its own width and height onto an opaque white picture
// and saves it as an RGB PNG, so pictures drawn once stay sharp at a higher device pixel ratio.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <cstdio>

int main(int argc, char **argv)
{
    // Text needs the font database of a GUI application, but no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool scaleOk = false;
    const double scale = args.size() == 4 ? args[3].toDouble(&scaleOk) : 0;
    if (!scaleOk || scale <= 0) {
        std::fprintf(stderr, "usage: quarntamo_rendersvg SOURCE.svg TARGET.png SCALE\n");
        return 2;
    }
    QSvgRenderer renderer(args[1]);
    const QSize own = renderer.defaultSize();
    if (!renderer.isValid() || own.isEmpty()) {
        std::fprintf(stderr, "%s: not a readable SVG drawing with a size\n", qPrintable(args[1]));
        return 1;
    }
    QImage image(int(std::lround(own.width() * scale)), int(std::lround(own.height() * scale)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    renderer.render(&painter);
    painter.end();
    if (!image.convertToFormat(QImage::Format_RGB888).save(args[2], "PNG")) {
        std::fprintf(stderr, "%s: cannot write the picture\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
