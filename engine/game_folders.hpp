#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

// Where game files are found, and reading whole folders of them into the catalogue.
//
// The folders, in the order they are read: the user's own (games/ in the program's settings folder:
// $XDG_CONFIG_HOME/fragtide/games, by default ~/.config/fragtide/games, on Linux;
// %APPDATA%\Fragtide\games on Windows), then games/ beside the program, which holds the files
// the program ships. Within a folder, files ending in .toml are read in the order of their names.
namespace fragtide::engine {

// The user's games folder; empty when neither the variable nor the home folder is set.
std::filesystem::path userGamesFolder();

// games/ in the folder that holds the running program (or, installed on Linux, where that is
// missing, ../share/fragtide/games); empty when the program cannot be found.
std::filesystem::path shippedGamesFolder();

// The user's folder, then the shipped one (those that are known).
std::vector<std::filesystem::path> standardGameFolders();

// Reads every game file of `folders` (missing folders are skipped) and installs the games
// (game_catalogue.hpp) after the built-in ones. Returns one message per file refused, naming the
// file and why; the others are installed all the same.
std::vector<std::string> loadGameFolders(std::span<const std::filesystem::path> folders);

}  // namespace fragtide::engine
