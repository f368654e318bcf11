#pragma once

#include <windows.h>

// The message pump an analysis runs on the window's own thread, between batches of lines.
namespace fragtide::ui::win32 {

// Dispatches what is queued: paint, timer and window-frame messages go through (the window
// repaints and can be moved or closed), the user's clicks and keys aimed at the window are
// dropped. A WM_QUIT is posted again for the main loop after the run.
void pumpMessagesDuringRun();

}  // namespace fragtide::ui::win32
