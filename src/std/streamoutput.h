#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstdio>

namespace tamo {

// Writes bytes to a standard stream and flushes it, so that a script learns of every byte
// that did not arrive. Returns false with the system's reason when a write or the flush
// fails: a full disk, a closed stream.
bool writeToStream(std::FILE *stream, QByteArrayView bytes, QString *error);

// Call first thing in main(). Where the program was started with standard input, output or
// error closed, their file descriptors are held by /dev/null opened for reading only: no file
// or descriptor opened later takes their place (output meant for the terminal would go into
// it), and a write to them fails as it should.
void holdClosedStandardStreams();

} // namespace tamo
