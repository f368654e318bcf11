#include "ui/qt/window_centring.hpp"

#include <QScreen>
#include <QWidget>

namespace fragtide::ui {

void centreOnScreen(QWidget& window) {
    if (const QScreen* screen = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

}  // namespace fragtide::ui
