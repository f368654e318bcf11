#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "common/default_game.hpp"
#include "settings/settings_backend.hpp"

// The settings the program keeps: the selected game and the name display, under HKEY_LOCAL_MACHINE,
// "Software\Fragtide", value "GameSelect", REG_SZ.
namespace fragtide::settings {

inline constexpr std::string_view kGameSelectKey = "Software\\Fragtide";
inline constexpr std::string_view kGameSelectValue = "GameSelect";

// The backend of this platform: the registry on Windows, a registry-format file elsewhere.
std::unique_ptr<SettingsBackend> makeDefaultBackend();

// The stored game. An empty text and a missing setting ("Not Found") both give the default game,
// kDefaultGame; any other stored text is returned as it is, even if it names no game.
std::string loadSelectedGame(SettingsBackend& backend);

// Stores `game` as REG_SZ. Failures are not reported: the choice still holds in memory.
void saveSelectedGame(SettingsBackend& backend, std::string_view game);

// How names are shown, under the same key as the game, value "NameDisplay", REG_SZ: the word of
// the choice ("auto", "utf-8", "windows-1252", "quake"; engine::parseNameDisplay reads it). A missing
// setting gives "" (the caller then keeps its default); any stored text is returned as it is.
inline constexpr std::string_view kNameDisplayValue = "NameDisplay";
std::string loadNameDisplay(SettingsBackend& backend);
void saveNameDisplay(SettingsBackend& backend, std::string_view word);

}  // namespace fragtide::settings
