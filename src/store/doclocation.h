#pragma once

#include <QString>

namespace tamo {

// Where the documentation lies, as both programs find it. The first line of tamoini.txt in the
// start directory names the directory of tamo.txw; a missing or empty tamoini.txt, or an
// empty first line, leaves the start directory. A relative directory is taken from the start
// directory.
struct DocLocation {
    QString directory;  // absolute path of the documentation directory
    QString docPath;    // the documentation file in that directory (it need not exist)
    QString error;      // set when the named directory cannot be used; the paths are then empty
    bool named = false; // the directory is the one tamoini.txt names
};

inline constexpr char kSettingsFileName[] = "tamoini.txt";
inline constexpr char kDocFileName[] = "tamo.txw";

// createSettings: the viewer creates a missing tamoini.txt empty (and goes on when it cannot);
// the command line never creates a file. A tamoini.txt that is there but cannot be read (a
// pipe, a device, a directory, no right to read it, a symbolic link that leads nowhere or in a
// circle) is an error, never taken for a missing one.
DocLocation locateDocumentation(const QString &startDirectory, bool createSettings);

// A documentation file named directly (tamo --doc, or the viewer given a file): read as it
// is, from its own directory, whatever its name; tamoini.txt plays no part.
DocLocation documentationFile(const QString &path);

// The installed documentation of a program installed in programDirectory: the install layout
// puts it at a fixed place relative to the programs (../share/quarntamo/doc by default), so
// that every install prefix works.
QString installedDocDirectory(const QString &programDirectory);

// The command line's lookup, in this order: the file given with --doc (docFile); the directory
// named by tamoini.txt in the start directory; tamo.txw in the start directory; tamo.txw in
// installedDirectory. The last is tried only where tamoini.txt names nothing and the start
// directory holds no tamo.txw, so that a directory the user chose is never passed over.
// Nothing is created. Sets error when no documentation exists in any of these places.
DocLocation locateCommandLineDocumentation(const QString &docFile, const QString &startDirectory,
                                           const QString &installedDirectory);

// Creates an empty file where nothing has the name; an existing file is left untouched, and
// so is a symbolic link, even one that leads nowhere (nothing is created where it points).
// Where it cannot be created, the callers go on as if it were empty, or report what is there.
void createIfMissing(const QString &path);

} // namespace tamo
