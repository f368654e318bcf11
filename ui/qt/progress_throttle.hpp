#pragma once

#include <QElapsedTimer>

class QProgressBar;

// The progress bar of a run, fed once per batch of lines (or per line by other callers). Keeps
// the design's single-precision range and value, draws to scale on QProgressBar's int range, and
// repaints at most every kIntervalMs, except for the steps a user must see at once (the start,
// the end, a step back). Every repaint lets all pending events through, user input included, so
// that a close request is seen during a run: the caller keeps input away from the form while it
// feeds the bar (RunInputBlocker).
//
// GUI thread only; the bar must outlive the throttle.
namespace fragtide::ui {

class ProgressThrottle {
public:
    static constexpr qint64 kIntervalMs = 30;

    explicit ProgressThrottle(QProgressBar* bar) : m_bar(bar) {}

    void setMin(double value);
    void setMax(double value);
    void setValue(double value);
    double value() const { return m_value; }

    // Draws the value now, whatever the throttle last let through.
    void showNow();

private:
    void applyRange();
    int units(double value) const;

    QProgressBar* m_bar;
    double m_min = 0;
    double m_max = 100;
    double m_value = 0;
    double m_scale = 1;  // bar units per progress unit, below 1 only for huge ranges
    QElapsedTimer m_clock;
};

}  // namespace fragtide::ui
