#pragma once

#include <filesystem>
#include <string_view>

#include "common/result.hpp"

// Replacing a file whole or not at all.
namespace fragtide::exports {

// Writes `bytes` to a new file beside `target` and renames it over `target`, so that a reader
// sees the old file or the new one, never a part. On a failure the temporary file is removed, any
// earlier `target` is left whole, and the error says what and why ("cannot write 'season.html':
// no space left on device"). Safe to call from several threads for different targets.
[[nodiscard]] Status writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace fragtide::exports
