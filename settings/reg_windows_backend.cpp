#include "settings/reg_windows_backend.hpp"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <limits>
#include <string>
#include <system_error>

namespace fragtide::settings {
namespace {

// The predefined handles are the 32-bit values sign-extended, as HKEY_LOCAL_MACHINE itself is
// defined: ((HKEY)(ULONG_PTR)((LONG)0x80000002)).
HKEY rootHandle(RootKey root) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

StoreError failure(StoreErrorKind kind, std::string_view what, std::string_view name, LONG rc) {
    return StoreError{kind, std::string(what) + " '" + std::string(name) + "': " +
                                std::system_category().message(static_cast<int>(rc))};
}

class OpenKey {
public:
    OpenKey() = default;
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() {
        if (m_key)
            RegCloseKey(m_key);
    }
    HKEY* out() { return &m_key; }
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

}  // namespace

StoreResult<StoredValue> RegistryBackend::queryValue(RootKey root, std::string_view keyPath,
                                                     std::string_view valueName, std::size_t maxBytes) {
    if (rootName(root).empty())
        return StoreError{StoreErrorKind::NotFound, "no such root key"};
    OpenKey key;
    const std::string path(keyPath);
    LONG rc = RegOpenKeyA(rootHandle(root), path.c_str(), key.out());
    if (rc != ERROR_SUCCESS)
        return failure(StoreErrorKind::NotFound, "cannot open the key", keyPath, rc);

    const std::string name(valueName);
    std::string data(std::min<std::size_t>(maxBytes, std::numeric_limits<DWORD>::max()), '\0');
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size());
    // A zero-length buffer must still be a valid pointer, or the call only reports the size.
    BYTE empty = 0;
    BYTE* buffer = data.empty() ? &empty : reinterpret_cast<BYTE*>(data.data());
    rc = RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, buffer, &size);
    if (rc == ERROR_MORE_DATA)
        return failure(StoreErrorKind::TooLarge, "cannot read the value", valueName, rc);
    if (rc == ERROR_FILE_NOT_FOUND)
        return failure(StoreErrorKind::NotFound, "cannot read the value", valueName, rc);
    if (rc != ERROR_SUCCESS)
        return failure(StoreErrorKind::Unreadable, "cannot read the value", valueName, rc);
    data.resize(std::min<std::size_t>(size, data.size()));
    return StoredValue{type, std::move(data)};
}

StoreStatus RegistryBackend::setValue(RootKey root, std::string_view keyPath, std::string_view valueName,
                                      const StoredValue& value) {
    if (rootName(root).empty())
        return StoreError{StoreErrorKind::InvalidInput, "no such root key"};
    if (value.data.size() > std::numeric_limits<DWORD>::max())
        return StoreError{StoreErrorKind::InvalidInput, "the value is too large for the registry"};
    OpenKey key;
    const std::string path(keyPath);
    LONG rc = RegCreateKeyA(rootHandle(root), path.c_str(), key.out());
    if (rc != ERROR_SUCCESS)
        return failure(StoreErrorKind::WriteFailed, "cannot create the key", keyPath, rc);
    const std::string name(valueName);
    rc = RegSetValueExA(key.get(), name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(value.data.data()),
                        static_cast<DWORD>(value.data.size()));
    if (rc != ERROR_SUCCESS)
        return failure(StoreErrorKind::WriteFailed, "cannot write the value", valueName, rc);
    rc = RegFlushKey(key.get());
    if (rc != ERROR_SUCCESS)
        return failure(StoreErrorKind::WriteFailed, "cannot flush the key", keyPath, rc);
    return StoreOk{};
}

}  // namespace fragtide::settings
