#pragma once

#include <QString>

#include <string>
#include <string_view>

// Where the help document lives and how the legacy help viewer is started.
namespace fragtide::ui {

// "c:\windows\winhelp.exe " followed directly by `helpFilePath`: one space, no quotes, spaces in
// the path passed as they are.
std::string helpCommandLine(std::string_view helpFilePath);

// Starts `commandLine` (UTF-8) as it is, maximized and with the focus, without waiting for it.
// Only Windows has that viewer; elsewhere nothing is started and the answer is false.
bool startDetachedCommandLine(const std::string& commandLine);

// The help document for a program in `programDir`: beside the program (as built and on
// Windows), else in the installed data folder (../share/fragtide). When neither exists, the path
// beside the program, so that the missing file is reported where it was expected.
QString findHelpFile(const QString& programDir);

}  // namespace fragtide::ui
