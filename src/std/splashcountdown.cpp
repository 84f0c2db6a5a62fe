#include "std/splashcountdown.h"

namespace tamo {

SplashStep splashTick(int countdown)
{
    SplashStep step;
    step.countdown = countdown - 1;
    step.showMainWindow = step.countdown == 2;
    step.closeSplash = step.countdown == 0;
    return step;
}

bool loadingTookTooLong(double splashStart, double clockAfterLoading)
{
    return float(clockAfterLoading) - float(splashStart) > 2.0f;
}

} // namespace tamo
