#pragma once

#include <string_view>
#include <vector>

#include <filesystem>

// What the Win32 open-file dialog returns with OFN_ALLOWMULTISELECT | OFN_EXPLORER, read into
// paths. Pure text work, toolkit-free, so it is tested on any platform.
namespace fragtide::ui::win32 {

// `buffer` as the dialog filled it: one file chosen gives its full path; several give the folder,
// then each file's name, each ended by NUL, the list ended by a second NUL. The full paths in the
// dialog's order; none for an empty buffer.
std::vector<std::filesystem::path> multiSelectPaths(std::wstring_view buffer);

}  // namespace fragtide::ui::win32
