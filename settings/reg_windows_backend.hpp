#pragma once

#include "settings/settings_backend.hpp"

// Settings in the Windows registry, through its ANSI entry points: RegOpenKeyA and
// RegQueryValueExA to read, RegCreateKeyA, RegSetValueExA and RegFlushKey to write, RegCloseKey
// after both. Key and value names are passed in the ANSI code page as they are. Built on Windows
// only. Safe to share between threads.
namespace fragtide::settings {

class RegistryBackend final : public SettingsBackend {
public:
    StoreResult<StoredValue> queryValue(RootKey root, std::string_view keyPath,
                                        std::string_view valueName, std::size_t maxBytes) override;
    StoreStatus setValue(RootKey root, std::string_view keyPath, std::string_view valueName,
                         const StoredValue& value) override;
};

}  // namespace fragtide::settings
