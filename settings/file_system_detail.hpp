#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "settings/settings_backend.hpp"

// What the POSIX and the Windows file systems (file_system_posix.cpp, file_system_windows.cpp)
// share: how a failure is worded. Private to settings/.
namespace fragtide::settings::detail {

// The path in quotes, or a plain description when the narrow code page cannot spell it.
std::string shown(const std::filesystem::path& p);

// "cannot write '/x/y.reg.tmp': no space left on device"
StoreError failure(StoreErrorKind kind, std::string_view what, const std::filesystem::path& p,
                   const std::error_code& ec);

}  // namespace fragtide::settings::detail
