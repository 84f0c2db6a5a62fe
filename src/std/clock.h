#pragma once

#include <QTime>

namespace tamo {

// The clock of both windows: seconds since midnight of a time of day, with milliseconds.
// Callers take differences of two readings and allow for midnight in between.
double secondsSinceMidnight(const QTime &t);

} // namespace tamo
