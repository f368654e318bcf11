#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "common/default_game.hpp"
#include "settings/settings_backend.hpp"

// The settings the program keeps, under kSettingsRoot, "Software\Fragtide": the selected game
// (value "GameSelect", REG_SZ), the folder the last log was chosen in (value "LogFolder", REG_SZ,
// UTF-8) and the name display (value "NameDisplay", REG_SZ), each a value of its own so that none
// can spoil another.
namespace fragtide::settings {

// Where choices are written. On Windows the user's own hive: the installer installs per user, and a
// standard user cannot write HKEY_LOCAL_MACHINE. Elsewhere the settings file keeps the name it has
// always had (HKEY_LOCAL_MACHINE.reg in the user's own folder).
#ifdef _WIN32
inline constexpr RootKey kSettingsRoot = kHkeyCurrentUser;
#else
inline constexpr RootKey kSettingsRoot = kHkeyLocalMachine;
#endif
// Where earlier Windows versions wrote them. Each load reads kSettingsRoot first and this root
// only when the value is not there, so a choice made before still counts; nothing is written here.
inline constexpr RootKey kOldSettingsRoot = kHkeyLocalMachine;

inline constexpr std::string_view kGameSelectKey = "Software\\Fragtide";
inline constexpr std::string_view kGameSelectValue = "GameSelect";
inline constexpr std::string_view kLogFolderValue = "LogFolder";

// The backend of this platform: the registry on Windows, a registry-format file elsewhere.
std::unique_ptr<SettingsBackend> makeDefaultBackend();

// The stored game. An empty text and a missing setting ("Not Found") both give the default game,
// kDefaultGame; any other stored text is returned as it is, even if it names no game.
std::string loadSelectedGame(SettingsBackend& backend);

// Stores `game` as REG_SZ. Failures are not reported: the choice still holds in memory.
void saveSelectedGame(SettingsBackend& backend, std::string_view game);

// The folder the last log was chosen in, or "" when none was chosen yet (or it cannot be read).
std::string loadLogFolder(SettingsBackend& backend);

// Stores `folder` as REG_SZ. Failures are not reported: Browse then opens where it did before.
void saveLogFolder(SettingsBackend& backend, std::string_view folder);

// The folder the last export was written to (value "ExportFolder", REG_SZ, UTF-8), kept like
// LogFolder: "" when none was written yet; failures to store it are not reported.
inline constexpr std::string_view kExportFolderValue = "ExportFolder";
std::string loadExportFolder(SettingsBackend& backend);
void saveExportFolder(SettingsBackend& backend, std::string_view folder);

// The season last opened or made (value "LastSeason", REG_SZ, UTF-8: its full path), kept like
// LogFolder: "" when none was opened yet; failures to store it are not reported.
inline constexpr std::string_view kLastSeasonValue = "LastSeason";
std::string loadLastSeason(SettingsBackend& backend);
void saveLastSeason(SettingsBackend& backend, std::string_view path);

// How names are shown, under the same key as the game, value "NameDisplay", REG_SZ: the word of
// the choice ("auto", "utf-8", "windows-1252", "quake"; engine::parseNameDisplay reads it). A missing
// setting gives "" (the caller then keeps its default); any stored text is returned as it is.
inline constexpr std::string_view kNameDisplayValue = "NameDisplay";
std::string loadNameDisplay(SettingsBackend& backend);
void saveNameDisplay(SettingsBackend& backend, std::string_view word);

}  // namespace fragtide::settings
