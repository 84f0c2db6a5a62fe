#pragma once

#include <QProgressBar>

namespace tamo {

// A progress bar whose range and value are real numbers (a search over a large file counts
// bytes beyond the range of an int); the bar shows them scaled.
class SearchProgressBar : public QProgressBar {
    Q_OBJECT
public:
    explicit SearchProgressBar(QWidget *parent = nullptr);

    double rangeEnd() const { return m_end; }
    double progress() const { return m_value; }
    void setProgressRange(double start, double end);
    void setProgress(double value);

private:
    void updateBar();
    double m_start = 0;
    double m_end = 100;
    double m_value = 0;
};

} // namespace tamo
