#pragma once

#include "store/doccheck.h"

#include <QLibrary>
#include <QString>

#include <optional>

// tamo check judges picture files as the viewer loads them, which takes Qt Gui and with it the
// window system's libraries. So that every other call of tamo starts without them, the judgement
// lives in a module of its own (quarntamo_pictureprobe), loaded when the first picture is asked
// about. Its one function answers for the picture file at path (UTF-16, length code units) with
// the PictureStatus as a number.
extern "C" {
using QuarntamoProbePicture = int(const char16_t *path, qsizetype length);
}

namespace tamo {

inline constexpr char kProbePictureSymbol[] = "quarntamo_probe_picture";

// Where the module lies for the program in programDirectory: the same place relative to the
// program once installed and in the build tree.
QString pictureProbeModulePath(const QString &programDirectory);

// The module, loaded on the first question.
class PictureProbeModule {
public:
    explicit PictureProbeModule(const QString &path);

    // The status of the picture file at path as the viewer would load it; none when the module
    // cannot be loaded or gives no known answer (error() says why).
    std::optional<PictureStatus> probe(const QString &path);
    // Why the module gave no answer, as a German clause ("das Bildmodul … fehlt"); empty while
    // it did.
    QString error() const { return m_error; }

private:
    QLibrary m_library; // never unloaded: Qt Gui stays until the program ends
    bool m_tried = false;
    QuarntamoProbePicture *m_probe = nullptr;
    QString m_error;
};

} // namespace tamo
