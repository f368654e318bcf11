#pragma once

#include <optional>
#include <cstdint>
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

// Decodes one strictly valid UTF-8 sequence at `pos` (no overlong forms, no surrogates, nothing
// past U+10FFFF) into `out`; returns its length, or 0 when the bytes there are none.
std::size_t decodeUtf8(std::string_view s, std::size_t pos, char32_t& out);

// The UTF-8 display form of raw log bytes.
std::string displayText(std::string_view bytes);

// How a user asks names to be shown. Matching never depends on it.
enum class NameDisplay {
    Automatic,    // displayText(): UTF-8 when the whole name is valid UTF-8, else Windows-1252
    Utf8,         // UTF-8; every ill-formed sequence (its maximal subpart) shown as U+FFFD
    Windows1252,  // every byte as Windows-1252, the five undefined bytes as their own code points
    Quake,        // the Quake character set: the 256-entry table documented in docs/engine.md
};

// The UTF-8 display form of raw log bytes under the chosen display; always valid UTF-8.
std::string displayText(std::string_view bytes, NameDisplay display);

// The word of each display, as the command line and the settings write it: "auto", "utf-8",
// "windows-1252", "quake".
std::string_view nameDisplayWord(NameDisplay display);
// The display a word names (exactly, lower case), or nothing.
std::optional<NameDisplay> parseNameDisplay(std::string_view word);

// Upper case of UTF-8 display text, character by character with the simple one-to-one Unicode
// mapping; a character without a single upper-case form stays as it is. `text` must be valid UTF-8.
std::string toUpperDisplay(std::string_view text);
// Lower case the same way, for the cased scripts whose upper and lower forms lie a fixed distance
// apart (Latin, Greek, Cyrillic, Armenian). A byte of no valid sequence stays as it is.
std::string toLowerDisplay(std::string_view text);

// Appends code point `c` (at most U+10FFFF, no surrogate) to `out` as UTF-8.
void appendUtf8(std::string& out, char32_t c);


}  // namespace fragtide::engine
