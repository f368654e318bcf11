#pragma once

#include <string_view>

// The game selected when none was chosen yet (first start, an empty stored choice, the command
// line without --game). Here rather than in the catalogue because settings, which knows no game,
// must fall back to it too.
namespace fragtide {

inline constexpr std::string_view kDefaultGame = "Quake I : Standard";

}  // namespace fragtide
