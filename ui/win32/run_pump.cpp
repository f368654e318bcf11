#include "ui/win32/run_pump.hpp"

namespace fragtide::ui::win32 {
namespace {

// Keys and clicks aimed at the window; the frame's caption, close, minimise and maximise
// buttons stay usable, so the window can be moved or closed during a run.
bool isInputToDrop(const MSG& msg) {
    if ((msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
        (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST))
        return true;
    if (msg.message >= WM_NCLBUTTONDOWN && msg.message <= WM_NCXBUTTONDBLCLK) {
        switch (msg.wParam) {
        case HTCAPTION: case HTCLOSE: case HTMINBUTTON: case HTMAXBUTTON: return false;
        default: return true;
        }
    }
    return false;
}

}  // namespace

void pumpMessagesDuringRun() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop, after the run
            return;
        }
        if (isInputToDrop(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace fragtide::ui::win32
