#include "store/splashcountdown.h"

#include "std/textroutines.h"

SplashStep splashTick(const QString &tag)
{
    SplashStep step;
    step.tag = STD::NumberText(tag.toDouble() - 1);
    if (step.tag == u"2")
        step.showMainWindow = true;
    else if (step.tag == u"0")
        step.closeSplash = true;
    return step;
}

bool loadingTookTooLong(double splashStart, double clockAfterLoading)
{
    return float(clockAfterLoading) - float(splashStart) > 2.0f;
}
