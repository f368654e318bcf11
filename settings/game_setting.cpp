#include "settings/game_setting.hpp"

#include "settings/reg_store.hpp"

#ifdef _WIN32
#include "settings/reg_windows_backend.hpp"
#else
#include "settings/reg_file_backend.hpp"
#endif

namespace fragtide::settings {

std::unique_ptr<SettingsBackend> makeDefaultBackend() {
#ifdef _WIN32
    return std::make_unique<RegistryBackend>();
#else
    return std::make_unique<RegFileBackend>(defaultSettingsFolder());
#endif
}

std::string loadSelectedGame(SettingsBackend& backend) {
    std::string game = RegGetString(backend, kHkeyLocalMachine, kGameSelectKey, kGameSelectValue);
    // The one quiet fallback: a first start (nothing stored) and an empty setting both mean the
    // default game; the user can pick another at any time.
    if (game.empty() || game == kNotFound)
        return std::string(kDefaultGame);
    return game;
}

void saveSelectedGame(SettingsBackend& backend, std::string_view game) {
    RegSaveString(backend, kHkeyLocalMachine, kGameSelectKey, kGameSelectValue, kRegSz, std::string(game));
}

std::string loadLogFolder(SettingsBackend& backend) {
    std::string folder = RegGetString(backend, kHkeyLocalMachine, kGameSelectKey, kLogFolderValue);
    // Nothing stored yet reads as "Not Found"; the caller's own default is meant then.
    return folder == kNotFound ? std::string() : folder;
}

void saveLogFolder(SettingsBackend& backend, std::string_view folder) {
    RegSaveString(backend, kHkeyLocalMachine, kGameSelectKey, kLogFolderValue, kRegSz, std::string(folder));
}

std::string loadExportFolder(SettingsBackend& backend) {
    std::string folder = RegGetString(backend, kHkeyLocalMachine, kGameSelectKey, kExportFolderValue);
    return folder == kNotFound ? std::string() : folder;
}

void saveExportFolder(SettingsBackend& backend, std::string_view folder) {
    RegSaveString(backend, kHkeyLocalMachine, kGameSelectKey, kExportFolderValue, kRegSz, std::string(folder));
}

}  // namespace fragtide::settings

namespace fragtide::settings {

std::string loadNameDisplay(SettingsBackend& backend) {
    std::string word = RegGetString(backend, kHkeyLocalMachine, kGameSelectKey, kNameDisplayValue);
    if (word == kNotFound)
        return {};
    return word;
}

void saveNameDisplay(SettingsBackend& backend, std::string_view word) {
    RegSaveString(backend, kHkeyLocalMachine, kGameSelectKey, kNameDisplayValue, kRegSz, std::string(word));
}

}  // namespace fragtide::settings
