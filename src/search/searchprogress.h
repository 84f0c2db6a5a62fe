#pragma once

#include <QtGlobal>

namespace tamo {

// The main window's progress bar during a full-text search. Times are seconds since
// midnight.
class SearchProgress {
public:
    virtual ~SearchProgress() = default;
    virtual double now() = 0;               // the clock
    virtual void start(double maximum) = 0; // show the bar: minimum 0, this maximum, value 0
    virtual void update(double value) = 0;  // set the value and repaint at once
    virtual void finish() = 0;              // hide the bar
};

} // namespace tamo
