#pragma once

#include <QString>
#include <QtGlobal>

// The viewer's start-up as the splash window shows it: its countdown and its loading caption.
namespace tamo {

// The splash window counts down from 3, one step per tick of its timer:
//   2  show the main window, which loads the documentation while the splash stays up;
//   1  nothing, the splash stays a moment longer;
//   0  close the splash and hand over to the main window.
// When loading alone took more than two seconds the splash has been up long enough: the
// countdown is set to 1 and the timer ticks once more at once, which closes the splash.
inline constexpr int kSplashCountdownStart = 3;

struct SplashStep {
    int countdown = 0; // the countdown after this tick
    bool showMainWindow = false;
    bool closeSplash = false;
};

// One tick without its effects: the lowered countdown and what to do.
SplashStep splashTick(int countdown);

// Whether loading from splashStart to clockAfterLoading (seconds since midnight) took more than
// two seconds. The difference is taken in single precision like every clock value of the
// viewer; when midnight passes during loading it is negative and the countdown runs on.
bool loadingTookTooLong(double splashStart, double clockAfterLoading);

// The loading caption for a heading whose line ends at byte positionAfter (the reader's
// position after the line) in a file of fileSize bytes. The percentage is truncated to one
// decimal and its text cut to four characters: "(5.1%)", "(.3%)", "(99.9%)".
//   "Quarn-Tamo wird geladen... (5.1%)" CR LF "Datei"
QString loadingCaption(qint64 positionAfter, qint64 fileSize, const QString &name);

} // namespace tamo
