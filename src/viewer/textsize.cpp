#include "viewer/textsize.h"

#include <cmath>

namespace {

// Halves go to the even neighbour (11.5 -> 12, 12.5 -> 12). Written out rather than left to
// std::nearbyint, which follows whatever rounding mode the process has set.
double roundHalfEven(double value)
{
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction < 0.5)
        return lower;
    if (fraction > 0.5)
        return lower + 1;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

} // namespace

TextFont enlargeText(TextFont f)
{
    if (f.size < 24)
        f.size = roundHalfEven(f.size + 1);
    if (f.size > 11)
        f.bold = true;
    return f;
}

TextFont shrinkText(TextFont f)
{
    if (f.size > 6)
        f.size = roundHalfEven(f.size - 1);
    if (f.size < 12)
        f.bold = false;
    return f;
}
