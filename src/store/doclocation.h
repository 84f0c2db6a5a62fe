#pragma once

#include <QString>

namespace tamo {

// Where the documentation lies, as both programs find it. The first line of tamoini.txt in the
// start directory names the directory of tamo.txw; a missing or empty tamoini.txt, or an
// empty first line, leaves the start directory. A relative directory is taken from the start
// directory.
struct DocLocation {
    QString directory; // absolute path of the documentation directory
    QString docPath;   // tamo.txw in that directory (it need not exist)
    QString error;     // set when the named directory cannot be used; the paths are then empty
};

inline constexpr char kSettingsFileName[] = "tamoini.txt";
inline constexpr char kDocFileName[] = "tamo.txw";

// createSettings: the viewer creates a missing tamoini.txt empty (and goes on when it cannot);
// the command line never creates a file.
DocLocation locateDocumentation(const QString &startDirectory, bool createSettings);

// Creates an empty file where none exists. Returns false (with the reason) when the file is
// missing and cannot be created; an existing file is left untouched.
bool createIfMissing(const QString &path, QString *error = nullptr);

} // namespace tamo
