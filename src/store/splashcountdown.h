#pragma once

#include <QString>

#include <functional>

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

// What the splash window does on a tick.
struct SplashActions {
    std::function<double()> clock; // seconds since midnight
    // Timer off, show the main window (it loads the documentation), timer on again, focus the
    // splash window.
    std::function<void()> showMainWindow;
    // Close the splash window; make the main window visible and usable and focus it.
    std::function<void()> closeSplash;
};

// One timer tick with its effects, including the immediate extra tick after a long load.
// Returns the new tag.
QString runSplashTick(const QString &tag, const SplashActions &actions);
