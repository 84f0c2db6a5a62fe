#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Minimal JSON output for the command line: strings escaped as RFC 8259 asks, UTF-8.
namespace tamo::json {

// Appends text as a quoted JSON string.
void appendString(QByteArray &out, const QString &text);

// Appends a JSON array, [item,item,...]: appendItem(out, item) writes each element.
template <typename List, typename AppendItem>
void appendArray(QByteArray &out, const List &items, AppendItem appendItem)
{
    out += '[';
    bool first = true;
    for (const auto &item : items) {
        if (!first)
            out += ',';
        first = false;
        appendItem(out, item);
    }
    out += ']';
}

// Appends texts as a JSON array of strings.
void appendStringArray(QByteArray &out, const QStringList &texts);

} // namespace tamo::json
