#include "settings/memory_backend.hpp"

namespace fragtide::settings {

StoreResult<StoredValue> MemoryBackend::queryValue(RootKey root, std::string_view keyPath,
                                                   std::string_view valueName, std::size_t maxBytes) {
    const auto it = m_values.find({root, foldRegistryName(keyPath), foldRegistryName(valueName)});
    if (it == m_values.end())
        return StoreError{StoreErrorKind::NotFound, "no value '" + std::string(valueName) + "'"};
    if (it->second.data.size() > maxBytes)
        return StoreError{StoreErrorKind::TooLarge, "value '" + std::string(valueName) + "' is too large"};
    return it->second;
}

StoreStatus MemoryBackend::setValue(RootKey root, std::string_view keyPath, std::string_view valueName,
                                    const StoredValue& value) {
    if (!m_writable)
        return StoreError{StoreErrorKind::WriteFailed, "the memory store is read-only"};
    if (rootName(root).empty())
        return StoreError{StoreErrorKind::InvalidInput, "no such root key"};
    m_values[{root, foldRegistryName(keyPath), foldRegistryName(valueName)}] = value;
    ++m_savedCount;
    return StoreOk{};
}

}  // namespace fragtide::settings
