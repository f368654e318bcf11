#pragma once

#include <windows.h>

#include <functional>

#include <optional>

#include "ui/form_controller.hpp"

// Game Select and About, modal over `owner`, built from their resource templates each time they
// open and laid out from the design's twips at the owner's DPI. F1 inside them calls `onHelp`.
// Widgets only: what the choice means is the form controller's. Both return when closed.
namespace fragtide::ui::win32 {

// The position chosen when OK was pressed, or nothing for Cancel or the window frame. OK with
// nothing picked does not close it (FormController::gameSelectOkAllowed). Enter and Escape are
// bound to neither button.
std::optional<int> runGameSelect(HINSTANCE instance, HWND owner, const GameSelectChoice& choice,
                                 const std::function<void()>& onHelp);

void runAbout(HINSTANCE instance, HWND owner, const AboutTexts& texts, const std::function<void()>& onHelp);

}  // namespace fragtide::ui::win32
