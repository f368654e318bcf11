#include "settings/settings_backend.hpp"

#include <algorithm>

namespace fragtide::settings {
namespace {

// Locale-free on purpose: the registry folds ASCII letters only, and text here is bytes.
char foldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string_view rootName(RootKey root) {
    switch (root) {
        case kHkeyClassesRoot: return "HKEY_CLASSES_ROOT";
        case kHkeyCurrentUser: return "HKEY_CURRENT_USER";
        case kHkeyLocalMachine: return "HKEY_LOCAL_MACHINE";
        case kHkeyUsers: return "HKEY_USERS";
        case kHkeyCurrentConfig: return "HKEY_CURRENT_CONFIG";
        default: return "";
    }
}

bool sameRegistryName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return foldAscii(x) == foldAscii(y); });
}

std::string foldRegistryName(std::string_view name) {
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), foldAscii);
    return folded;
}

}  // namespace fragtide::settings
