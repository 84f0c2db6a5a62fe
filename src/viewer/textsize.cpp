#include "viewer/textsize.h"

#include "std/textroutines.h"

namespace tamo {

TextFont enlargeText(TextFont f)
{
    if (f.size < 24)
        f.size = roundHalfToEven(f.size + 1);
    if (f.size > 11)
        f.bold = true;
    return f;
}

TextFont shrinkText(TextFont f)
{
    if (f.size > 6)
        f.size = roundHalfToEven(f.size - 1);
    if (f.size < 12)
        f.bold = false;
    return f;
}

} // namespace tamo
