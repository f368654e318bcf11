#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/game_file.hpp"

// A game file's text as toml++ gets to read it, and the bytes its parsed strings stand for: the
// two steps around the parse that give game files their \xHH escapes and keep toml++ safe.
// Pure functions; thread-safe.
namespace fragtide::engine {

// The file as toml++ reads it: ASCII only. toml++ 3.3 tests some characters for whitespace in a way
// that is undefined for many (U+00A1..U+0499 among them) when it meets them outside a string, as
// it may after a fault; so none reaches it. In "..." texts a character becomes its \u escape, in
// comments a '?', and one outside quotes and comments (never valid TOML) refuses the file.
struct Prepared {
    std::string text;
    // Per line (from 1): where in the prepared line a replacement starts, and how many characters
    // it added, so that a place toml++ reports maps back to the file's own.
    std::vector<std::vector<std::pair<std::uint32_t, std::uint32_t>>> shifts;
    std::optional<std::pair<FilePlace, std::string>> refusal;
};

// `in` prepared for toml++; a refusal when a character stands where TOML allows none.
Prepared prepare(std::string_view in);

// The bytes a parsed string stands for: each U+F7HH back to the byte HH.
std::string bytesOf(std::string_view parsed);

}  // namespace fragtide::engine
