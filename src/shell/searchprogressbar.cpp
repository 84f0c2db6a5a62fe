#include "shell/searchprogressbar.h"

#include <algorithm>

namespace tamo {

namespace {
constexpr int kBarSteps = 10000;
}

SearchProgressBar::SearchProgressBar(QWidget *parent)
    : QProgressBar(parent)
{
    QProgressBar::setRange(0, kBarSteps);
    setTextVisible(false);
    updateBar();
}

void SearchProgressBar::setProgressRange(double start, double end)
{
    m_start = start;
    m_end = end;
    updateBar();
}

void SearchProgressBar::setProgress(double value)
{
    m_value = value;
    updateBar();
}

void SearchProgressBar::updateBar()
{
    const double span = m_end - m_start;
    const double share = span > 0 ? std::clamp((m_value - m_start) / span, 0.0, 1.0) : 0.0;
    QProgressBar::setValue(int(share * kBarSteps));
}

} // namespace tamo
