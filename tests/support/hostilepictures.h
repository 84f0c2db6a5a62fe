#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QtEndian>

// Picture files made to hurt, for the tests of the programs that read pictures.

// A small PNG whose header says it has width x height pixels: a decoder that trusts it
// allocates gigabytes.
inline QByteArray pngDeclaring(quint32 width, quint32 height)
{
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    QByteArray png = buffer.data();
    // The header chunk: its type at 12, width and height at 16 and 20, its CRC-32 at 29.
    qToBigEndian(width, png.data() + 16);
    qToBigEndian(height, png.data() + 20);
    quint32 crc = 0xffffffff;
    for (const char c : QByteArrayView(png).sliced(12, 17)) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320 & (0 - (crc & 1)));
    }
    qToBigEndian(~crc, png.data() + 29);
    return png;
}

// An SVG picture with text, which Qt's SVG plugin draws only with a GUI application object (a
// program without one aborts), and circles large and translucent, which take it seconds each
// thousand to draw.
inline QByteArray hostileSvg(int circles = 2000)
{
    QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400\" height=\"300\">"
                     "<text x=\"10\" y=\"20\">Hallo</text>";
    for (int i = 0; i < circles; ++i)
        svg += "<circle cx=\"200\" cy=\"150\" r=\"3000\" fill-opacity=\"0.01\"/>";
    return svg + "</svg>";
}

// The smallest GIF, 1 x 1 pixel (Qt writes no GIF).
inline QByteArray smallGif()
{
    return QByteArray("GIF89a\1\0\1\0\200\0\0\377\377\377\0\0\0!\371\4\1\0\0\0\0,\0\0\0\0"
                      "\1\0\1\0\0\2\2D\1\0;",
                      43);
}
