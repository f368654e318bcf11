#pragma once

#include <string>

// The game chosen in Fragtide's Game Select dialog, as the settings hold it: "Quake I : Standard"
// when nothing is stored; any other stored text as it is, even one that names no game.
namespace fragtide::cli {

std::string storedGame();

}  // namespace fragtide::cli
