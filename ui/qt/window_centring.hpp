#pragma once

class QWidget;

// Places a window, frame included, in the middle of the available area of its screen, as the
// design opens its windows. Call when the window is shown and its frame is known.
namespace fragtide::ui {

void centreOnScreen(QWidget& window);

}  // namespace fragtide::ui
