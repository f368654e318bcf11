#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "settings/settings_backend.hpp"

// The two general-purpose procedures the program keeps its setting with. Both are quiet by
// design: a read that fails in any way gives "Not Found", a write that fails leaves the stored
// value as it was, and neither reports anything to its caller. Thread safety is the backend's.
namespace fragtide::settings {

inline constexpr std::string_view kNotFound = "Not Found";
// The largest value RegGetString reads, in bytes; anything longer reads as "Not Found".
inline constexpr std::size_t kReadLimit = 2048;

using SettingValue = std::variant<std::string, std::int64_t>;

// The value converted to text:
// - REG_BINARY: each data byte as two upper-case hex digits, in order (0x0A 0xFF gives "0AFF");
// - REG_DWORD: the little-endian unsigned number in decimal, at least three digits ("007", "1234");
// - REG_SZ and every other type: the data without its last byte (the stored NUL); empty data
//   gives "".
// "Not Found" for a missing key or value, data over kReadLimit bytes, a REG_DWORD shorter than
// four bytes, or an unreadable store.
std::string RegGetString(SettingsBackend& backend, RootKey root, std::string_view keyPath,
                         std::string_view valueName);

// Stores `value` under `keyPath`, creating the key.
// - REG_DWORD: the value as a signed 32-bit number, four bytes; a text that is not a decimal
//   number, or a number out of range, stores 0.
// - REG_SZ: the text (a number as decimal text) with one NUL appended.
// - any other type: the text without a NUL, and stored as REG_SZ all the same; such a value reads
//   back one character short. The program only ever writes REG_SZ.
void RegSaveString(SettingsBackend& backend, RootKey root, std::string_view keyPath,
                   std::string_view valueName, ValueType valueType, const SettingValue& value);

}  // namespace fragtide::settings
