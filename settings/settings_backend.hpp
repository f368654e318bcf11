#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/result.hpp"

// The store behind RegGetString and RegSaveString: registry-shaped values addressed by a root key,
// a key path and a value name, holding a type and raw bytes. Implementations: the Windows registry
// (reg_windows_backend.hpp, Windows only), a registry-export file (reg_file_backend.hpp) and memory
// (memory_backend.hpp, for tests).
//
// Key paths and value names compare without regard to ASCII case, as in the registry. Nothing here
// converts text: data is bytes, a REG_SZ's data includes whatever terminating NUL was stored.
namespace fragtide::settings {

// A registry root, as the 32-bit handle value Windows gives it.
using RootKey = std::uint32_t;
inline constexpr RootKey kHkeyClassesRoot = 0x80000000;
inline constexpr RootKey kHkeyCurrentUser = 0x80000001;
inline constexpr RootKey kHkeyLocalMachine = 0x80000002;
inline constexpr RootKey kHkeyUsers = 0x80000003;
inline constexpr RootKey kHkeyCurrentConfig = 0x80000005;

using ValueType = std::uint32_t;
inline constexpr ValueType kRegSz = 1;
inline constexpr ValueType kRegBinary = 3;
inline constexpr ValueType kRegDword = 4;

struct StoredValue {
    ValueType type = kRegSz;
    std::string data;  // raw bytes as stored
    friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

enum class StoreErrorKind {
    NotFound,      // no such key or value
    TooLarge,      // the value exists but holds more bytes than the caller can take
    Unreadable,    // the store is there but cannot be read, or the value in it is damaged
    WriteFailed,   // nothing was changed
    InvalidInput,  // a root, key or name this store cannot hold
};

struct StoreError {
    StoreErrorKind kind;
    std::string message;  // what happened, to what: "cannot write '/x/y.reg.tmp': no space left"
};

// A value or the reason there is none: the core's one result type, with the store's own failure
// kinds, which callers branch on (TooLarge, NotFound).
template <typename T>
using StoreResult = Result<T, StoreError>;

using StoreOk = Ok;
using StoreStatus = StoreResult<StoreOk>;

// Implementations say in their own header whether they are safe to share between threads.
class SettingsBackend {
public:
    virtual ~SettingsBackend() = default;

    // The type and data of `valueName` under `keyPath`. NotFound when the key or the value is
    // missing, TooLarge when the data is longer than `maxBytes`.
    virtual StoreResult<StoredValue> queryValue(RootKey root, std::string_view keyPath,
                                                std::string_view valueName, std::size_t maxBytes) = 0;

    // Stores `value`, creating the key and any missing parents. When this returns success the value
    // has reached the disk; on failure the stored setting is unchanged.
    virtual StoreStatus setValue(RootKey root, std::string_view keyPath, std::string_view valueName,
                                 const StoredValue& value) = 0;
};

// The root's name as registry export files spell it ("HKEY_LOCAL_MACHINE"), or "" for a handle
// that is no root.
std::string_view rootName(RootKey root);

// Registry names are equal when they differ at most in ASCII case; other bytes compare exactly.
bool sameRegistryName(std::string_view a, std::string_view b);
std::string foldRegistryName(std::string_view name);

}  // namespace fragtide::settings
