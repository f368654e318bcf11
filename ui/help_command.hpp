#pragma once

#include <string>

// How the legacy help viewer is started, the same for every front end; its command line comes
// from the form controller (helpCommandLine).
namespace fragtide::ui {

// Starts `commandLine` (UTF-8) as it is, maximized and with the focus, without waiting for it.
// Only Windows has that viewer; elsewhere nothing is started and the answer is false.
bool startDetachedCommandLine(const std::string& commandLine);

}  // namespace fragtide::ui
