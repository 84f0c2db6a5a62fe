#pragma once

#include <QByteArray>
#include <QString>

// Minimal JSON output for the command line: strings escaped as RFC 8259 asks, UTF-8.
namespace json {

// Appends text as a quoted JSON string.
void appendString(QByteArray &out, const QString &text);

} // namespace json
