#include "std/clock.h"

namespace tamo {

double secondsSinceMidnight(const QTime &t)
{
    return t.msecsSinceStartOfDay() / 1000.0;
}

} // namespace tamo
