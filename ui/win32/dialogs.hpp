#pragma once

#include <windows.h>

#include <functional>

namespace fragtide::engine {
class StatsStore;
class WindowOps;
}  // namespace fragtide::engine
namespace fragtide::settings {
class SettingsBackend;
}

// Game Select and About, modal over `owner`, built from their resource templates each time they
// open and laid out from the design's twips at the owner's DPI. F1 inside them calls `onHelp`.
// Both return when the dialog has closed.
namespace fragtide::ui::win32 {

// OK applies the chosen game: the store's CurrentGame, the stored setting, the main caption
// (through `window`) and the weapon names. OK with no game picked does nothing; Cancel and the
// window frame change nothing. Enter and Escape are bound to neither button.
void runGameSelect(HINSTANCE instance, HWND owner, engine::StatsStore& store, settings::SettingsBackend& backend,
                   engine::WindowOps& window, const std::function<void()>& onHelp);

void runAbout(HINSTANCE instance, HWND owner, const std::function<void()>& onHelp);

}  // namespace fragtide::ui::win32
