#include "ui/qt/progress_throttle.hpp"

#include <QCoreApplication>
#include <QProgressBar>

#include <algorithm>
#include <climits>
#include <cmath>

namespace fragtide::ui {

void ProgressThrottle::setMin(double value) {
    m_min = value;
    applyRange();
}

void ProgressThrottle::setMax(double value) {
    m_max = value;
    applyRange();
}

void ProgressThrottle::setValue(double value) {
    const bool mustShow = value <= m_min || value >= m_max || value < m_value;
    m_value = value;
    if (mustShow || !m_clock.isValid() || m_clock.elapsed() >= kIntervalMs)
        showNow();
}

void ProgressThrottle::showNow() {
    const double shown = std::clamp(m_value, m_min, std::max(m_min, m_max));
    m_bar->setValue(units(shown));
    m_clock.start();
    // Paint the bar and let every pending event through: Qt counts the frame's close request as
    // user input, and it must reach the run's input blocker now, not after the run.
    QCoreApplication::processEvents();
}

int ProgressThrottle::units(double value) const {
    return static_cast<int>(std::clamp(value * m_scale, double(INT_MIN), double(INT_MAX)));
}

void ProgressThrottle::applyRange() {
    // QProgressBar counts in int; a log of more than INT_MAX lines is drawn to scale.
    const double span = std::max(std::abs(m_min), std::abs(m_max));
    m_scale = span > INT_MAX ? INT_MAX / span : 1.0;
    m_bar->setRange(units(m_min), units(m_max));
}

}  // namespace fragtide::ui
