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
bool openRegularFile(QFile &file, const QString &path, QString *error = nullptr);

} // namespace tamo
