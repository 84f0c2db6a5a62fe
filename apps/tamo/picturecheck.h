#pragma once

#include "store/doccheck.h"

#include <QString>

// Loads a picture file as the viewer would, with the same limits, and says whether the viewer
// can show it.
tamo::PictureStatus probePictureFile(const QString &path);
