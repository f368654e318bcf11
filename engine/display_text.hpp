#pragma once

#include <string>
#include <string_view>

// Turning log bytes into text a person can read: the one place where decoding happens.
//
// Names in logs come in no declared encoding. A name that is valid UTF-8 as a whole (strictly: no
// overlong forms, no surrogates, nothing above U+10FFFF) is kept as it is; anything else is read
// as Windows-1252, its five undefined bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) taken as the code
// points of the same value. The result is always valid UTF-8. Display text never goes back into
// matching. Pure functions, thread-safe.
namespace fragtide::engine {

bool isValidUtf8(std::string_view bytes);

// The UTF-8 display form of raw log bytes.
std::string displayText(std::string_view bytes);

// Upper case of UTF-8 display text, character by character with the simple one-to-one Unicode
// mapping; a character without a single upper-case form stays as it is. `text` must be valid UTF-8.
std::string toUpperDisplay(std::string_view text);

}  // namespace fragtide::engine
