#pragma once

#include <QFile>
#include <QString>

namespace tamo {

// Opens a file for reading only when it is a regular file: the documentation, tamoini.txt and
// pictures come from wherever the user got them, and a named pipe, a device or a socket would
// block the reader or never end. Anything else is refused at once with a German reason:
//   "keine gewöhnliche Datei, sondern eine benannte Pipe (FIFO)"
// The file is opened without waiting (a pipe without writer, a lease held elsewhere), and the
// open descriptor is checked again, so a file swapped for a pipe meanwhile is refused too.
// An empty path is refused quietly (no warning from the file system layer).
//
// A symbolic link is followed; one that leads nowhere, or round in a circle, is refused with a
// reason that says so, never as a missing file.
bool openRegularFile(QFile &file, const QString &path, QString *error = nullptr);

// True when nothing at all carries this name: no file, and no symbolic link either (a link
// that leads nowhere is something). Only where this holds may a program create the file, or
// take its absence as "not there".
bool nothingAt(const QString &path);

} // namespace tamo
