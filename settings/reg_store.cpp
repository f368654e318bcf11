#include "settings/reg_store.hpp"

#include <charconv>
#include <limits>

namespace fragtide::settings {
namespace {

std::string hexPairs(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text += kDigits[b >> 4];
        text += kDigits[b & 0x0F];
    }
    return text;
}

std::string dwordText(std::string_view bytes) {
    std::uint32_t n = 0;
    for (int i = 3; i >= 0; --i)
        n = (n << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
    std::string text = std::to_string(n);
    if (text.size() < 3)
        text.insert(0, 3 - text.size(), '0');
    return text;
}

std::int32_t toDword(const SettingValue& value) {
    std::int64_t n = 0;
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        n = *number;
    } else {
        std::string_view text = std::get<std::string>(value);
        while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
        while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
        if (!text.empty() && text.front() == '+') text.remove_prefix(1);
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
        if (ec != std::errc() || end != text.data() + text.size())
            return 0;
    }
    if (n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::int32_t>::max())
        return 0;
    return static_cast<std::int32_t>(n);
}

}  // namespace

std::string RegGetString(SettingsBackend& backend, RootKey root, std::string_view keyPath,
                         std::string_view valueName) {
    // Quiet by design: the caller cannot act on why a setting is missing, it only needs a default.
    const auto stored = backend.queryValue(root, keyPath, valueName, kReadLimit);
    if (!stored)
        return std::string(kNotFound);
    const std::string& data = stored->data;
    switch (stored->type) {
        case kRegBinary:
            return hexPairs(data);
        case kRegDword:
            // Read whole: cutting the decimal text to the stored size would turn 1234 into "123".
            return data.size() < 4 ? std::string(kNotFound) : dwordText(data);
        default:
            // Drops the stored NUL; a value stored without one (size 0) reads as empty.
            return data.empty() ? std::string() : data.substr(0, data.size() - 1);
    }
}

void RegSaveString(SettingsBackend& backend, RootKey root, std::string_view keyPath,
                   std::string_view valueName, ValueType valueType, const SettingValue& value) {
    StoredValue stored;
    if (valueType == kRegDword) {
        const auto n = static_cast<std::uint32_t>(toDword(value));
        stored.type = kRegDword;
        for (int i = 0; i < 4; ++i)
            stored.data += static_cast<char>((n >> (8 * i)) & 0xFF);
    } else {
        if (const auto* number = std::get_if<std::int64_t>(&value))
            stored.data = std::to_string(*number);
        else
            stored.data = std::get<std::string>(value);
        if (valueType == kRegSz)
            stored.data += '\0';
        stored.type = kRegSz;
    }
    // Quiet by design: a failed save leaves the old setting, and the new choice holds in memory.
    (void)backend.setValue(root, keyPath, valueName, stored);
}

}  // namespace fragtide::settings
