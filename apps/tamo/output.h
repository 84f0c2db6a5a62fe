#pragma once

#include <QByteArray>
#include <QStringView>

// Text output of the command line: lists of thousands of names are written into one buffer,
// without a byte array of their own for each name or number on the way.
namespace tamo::output {

// Appends text as UTF-8.
void appendUtf8(QByteArray &out, QStringView text);

// Appends a number in decimal, with blanks in front up to width characters.
void appendNumber(QByteArray &out, qint64 number, int width = 0);

} // namespace tamo::output
