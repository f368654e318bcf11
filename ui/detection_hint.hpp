#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The words of the hint shown after an analysis that credited no kill of the chosen game.
namespace fragtide::ui {

// "No kill of " + game + " found in " + lines + " lines. This looks like a " + other + " (" +
// kills + " kills).", the numbers grouped by thousands with ","; "line" and "kill" when there is
// one.
std::string detectionHintText(std::string_view game, std::uint64_t lines, std::string_view other,
                              std::uint64_t kills);

}  // namespace fragtide::ui
