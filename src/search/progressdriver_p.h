#pragma once

// Internal to the full-text search (fullsearch.h and topicsearch.h are its interface).

#include "search/searchprogress.h"

#include <algorithm>

namespace tamo {

// Drives the bar through one search as if each word had a pass of its own over the file (see
// fullSearch). Does nothing without a bar.
class ProgressDriver {
public:
    ProgressDriver(SearchProgress *progress, qsizetype words, qint64 length)
        : m_progress(progress)
        , m_words(words)
        , m_length(double(length))
        , m_maximum(double(words) * double(length))
    {}

    void begin()
    {
        if (!m_progress)
            return;
        m_progress->start(m_maximum);
        m_last = m_progress->now();
        reach(0);
    }

    void advance(qint64 bytesRead)
    {
        if (!m_progress)
            return;
        const double value = std::min(m_maximum, double(m_words) * double(bytesRead));
        const double time = m_progress->now();
        if (reach(value)) {
            m_last = time;
            return;
        }
        double elapsed = time - m_last;
        if (elapsed < 0)
            elapsed += 24 * 60 * 60; // the clock passed midnight
        if (elapsed >= 0.2 && value > m_shown) {
            show(value);
            m_last = time;
        }
    }

    void end()
    {
        if (!m_progress)
            return;
        reach(m_maximum);
        show(m_maximum);
        m_progress->finish();
    }

private:
    // Shows the start of each pass whose start value has been reached.
    bool reach(double value)
    {
        bool any = false;
        while (m_nextPass < m_words && m_length * double(m_nextPass) <= value) {
            show(m_length * double(m_nextPass));
            ++m_nextPass;
            any = true;
        }
        return any;
    }

    void show(double value)
    {
        m_progress->update(value);
        m_shown = value;
    }

    SearchProgress *m_progress;
    qsizetype m_words;
    double m_length;
    double m_maximum;
    double m_last = 0;
    double m_shown = 0;
    qsizetype m_nextPass = 0;
};

} // namespace tamo
