#include "viewer/picturethrottle.h"

#include <cmath>

namespace tamo {

PictureRequest pictureRequest(double now, double &lastRequestTime)
{
    const float difference = float(now) - float(lastRequestTime);
    lastRequestTime = now;
    return std::fabs(difference) < 1.0f ? PictureRequest::Defer : PictureRequest::Run;
}

} // namespace tamo
