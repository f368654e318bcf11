#pragma once

#include <map>
#include <string>
#include <tuple>

#include "settings/settings_backend.hpp"

// A settings store that lives in memory and dies with the object: for tests of anything that
// loads or saves a setting. Pre-store a value with setValue (or saveSelectedGame / RegSaveString)
// and read it back the same ways. Not thread-safe.
namespace fragtide::settings {

class MemoryBackend final : public SettingsBackend {
public:
    MemoryBackend() = default;

    StoreResult<StoredValue> queryValue(RootKey root, std::string_view keyPath,
                                        std::string_view valueName, std::size_t maxBytes) override;
    StoreStatus setValue(RootKey root, std::string_view keyPath, std::string_view valueName,
                         const StoredValue& value) override;

    // While false, every setValue fails and changes nothing, like a registry the user may not
    // write. True at construction.
    void setWritable(bool writable) { m_writable = writable; }

    // How many setValue calls succeeded, so a test can tell "saved the same text" from "did not save".
    int savedCount() const { return m_savedCount; }

private:
    using Address = std::tuple<RootKey, std::string, std::string>;  // root, folded key, folded name
    std::map<Address, StoredValue> m_values;
    bool m_writable = true;
    int m_savedCount = 0;
};

}  // namespace fragtide::settings
