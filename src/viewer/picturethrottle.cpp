#include "viewer/picturethrottle.h"

#include <cmath>

PictureRequest pictureRequest(double now, double &lastRequestTime)
{
    const float difference = float(now) - float(lastRequestTime);
    lastRequestTime = now;
    return std::fabs(difference) < 1.0f ? PictureRequest::Defer : PictureRequest::Run;
}

double secondsSinceMidnight(const QTime &t)
{
    return t.msecsSinceStartOfDay() / 1000.0;
}
