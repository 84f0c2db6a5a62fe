#include "viewer/startup.h"

#include "std/textroutines.h"

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

QString loadingCaption(qint64 positionAfter, qint64 fileSize, const QString &name)
{
    // Whole-number arithmetic in 64 bits, so files beyond 2 GB still show a true figure. The
    // percentage has one decimal at most, so its number text is formed directly: 5.1 -> "5.1",
    // 0.3 -> ".3", 100 -> "100": no leading zero below 1, no trailing zero.
    const qint64 permille = (positionAfter * 1000) / (fileSize + 1);
    const qint64 whole = permille / 10;
    const qint64 tenth = permille % 10;
    QString number;
    if (tenth == 0)
        number = QString::number(whole);
    else
        number = (whole == 0 ? QString() : QString::number(whole)) + u'.' +
                 QChar(char16_t(u'0' + tenth));
    number.truncate(4);
    return QStringLiteral("Quarn-Tamo wird geladen... (") + number + QStringLiteral("%)") +
           newLine() + name;
}

} // namespace tamo
