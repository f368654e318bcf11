#include "settings/game_setting.hpp"

#include "settings/reg_store.hpp"

#ifdef _WIN32
#include "settings/reg_windows_backend.hpp"
#else
#include "settings/reg_file_backend.hpp"
#endif

namespace fragtide::settings {
namespace {

// The value as RegGetString gives it, from the current root or else the old one.
std::string readSetting(SettingsBackend& backend, std::string_view valueName) {
    std::string text = RegGetString(backend, kSettingsRoot, kGameSelectKey, valueName);
    if (text == kNotFound && kOldSettingsRoot != kSettingsRoot)
        text = RegGetString(backend, kOldSettingsRoot, kGameSelectKey, valueName);
    return text;
}

}  // namespace

std::unique_ptr<SettingsBackend> makeDefaultBackend() {
#ifdef _WIN32
    return std::make_unique<RegistryBackend>();
#else
    return std::make_unique<RegFileBackend>(defaultSettingsFolder());
#endif
}

std::string loadSelectedGame(SettingsBackend& backend) {
    std::string game = readSetting(backend, kGameSelectValue);
    // The one quiet fallback: a first start (nothing stored) and an empty setting both mean the
    // default game; the user can pick another at any time.
    if (game.empty() || game == kNotFound)
        return std::string(kDefaultGame);
    return game;
}

void saveSelectedGame(SettingsBackend& backend, std::string_view game) {
    RegSaveString(backend, kSettingsRoot, kGameSelectKey, kGameSelectValue, kRegSz, std::string(game));
}

std::string loadLogFolder(SettingsBackend& backend) {
    std::string folder = readSetting(backend, kLogFolderValue);
    // Nothing stored yet reads as "Not Found"; the caller's own default is meant then.
    return folder == kNotFound ? std::string() : folder;
}

void saveLogFolder(SettingsBackend& backend, std::string_view folder) {
    RegSaveString(backend, kSettingsRoot, kGameSelectKey, kLogFolderValue, kRegSz, std::string(folder));
}

std::string loadExportFolder(SettingsBackend& backend) {
    std::string folder = readSetting(backend, kExportFolderValue);
    return folder == kNotFound ? std::string() : folder;
}

void saveExportFolder(SettingsBackend& backend, std::string_view folder) {
    RegSaveString(backend, kSettingsRoot, kGameSelectKey, kExportFolderValue, kRegSz, std::string(folder));
}

std::string loadLastSeason(SettingsBackend& backend) {
    std::string path = readSetting(backend, kLastSeasonValue);
    return path == kNotFound ? std::string() : path;
}

void saveLastSeason(SettingsBackend& backend, std::string_view path) {
    RegSaveString(backend, kSettingsRoot, kGameSelectKey, kLastSeasonValue, kRegSz, std::string(path));
}

}  // namespace fragtide::settings

namespace fragtide::settings {

std::string loadNameDisplay(SettingsBackend& backend) {
    std::string word = readSetting(backend, kNameDisplayValue);
    if (word == kNotFound)
        return {};
    return word;
}

void saveNameDisplay(SettingsBackend& backend, std::string_view word) {
    RegSaveString(backend, kSettingsRoot, kGameSelectKey, kNameDisplayValue, kRegSz, std::string(word));
}

}  // namespace fragtide::settings
