#pragma once

#include <QString>

// The splash window counts down in its timer's tag, a decimal text that starts at "3". Each
// tick lowers it by one:
//   "2"  show the main window, which loads the documentation while the splash stays up;
//   "1"  nothing, the splash stays a moment longer;
//   "0"  close the splash and hand over to the main window.
// When loading alone took more than two seconds the splash has been up long enough: the tag
// is set to "1" and the timer ticks once more at once, which closes the splash.

struct SplashStep {
    QString tag; // the tag after this tick
    bool showMainWindow = false;
    bool closeSplash = false;
};

// One tick without its effects: the lowered tag and what to do. The tag is compared as text.
SplashStep splashTick(const QString &tag);

// Whether loading from splashStart to clockAfterLoading (seconds since midnight) took more than
// two seconds. The difference is taken in single precision like every clock value of the
// viewer; when midnight passes during loading it is negative and the countdown runs on.
bool loadingTookTooLong(double splashStart, double clockAfterLoading);
