// The picture probe module of tamo check (see pictureprobe.h): the viewer's own judgement of a
// picture file, behind one C function.

#include "pictureprobe.h"

#include "viewer/pictureload.h"

#include <type_traits>

extern "C" Q_DECL_EXPORT int quarntamo_probe_picture(const char16_t *path, qsizetype length)
{
    return static_cast<int>(
        tamo::probePicture(QString(reinterpret_cast<const QChar *>(path), length)));
}

// The function has the type tamo looks it up as.
static_assert(std::is_same_v<decltype(quarntamo_probe_picture), QuarntamoProbePicture>);
