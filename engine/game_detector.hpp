#pragma once

#include <filesystem>
#include <span>
#include <utility>
#include <vector>

#include "common/result.hpp"
#include "engine/game_catalogue.hpp"
#include "engine/stats_store.hpp"

// Which game wrote a log: every game of the catalogue analyses the same bytes, and the one that
// credits the most kills wins. The wording of any hint is the front ends' business.
namespace fragtide::engine {

// A log this size or smaller is read whole; a larger one is sampled.
inline constexpr std::uintmax_t kDetectWholeBytes = std::uintmax_t{64} << 20;
// The bytes read at each of the beginning, middle and end of a larger log, cut at line ends.
inline constexpr std::size_t kDetectSampleBytes = std::size_t{4} << 20;

struct Detection {
    // Every catalogue game, in catalogue order, with the kills its analysis credits.
    std::vector<std::pair<const Game*, FragCount>> kills;
    // The game with the most kills, ties to the earlier one; nullptr when no game credits a kill.
    const Game* best = nullptr;
};

// Analyses the file (or its three samples) with every game. Fails when the file cannot be read.
Result<Detection> detectGame(const std::filesystem::path& path);

// The detection of the first of `paths` that can be read: several logs are one server's season,
// so the first readable one speaks for all. The error of the last one tried when none can be.
Result<Detection> detectFirstReadable(std::span<const std::filesystem::path> paths);

// The same over bytes already in memory, all of them. The games are tried side by side on a few
// threads; the result is the same as one after the other.
Detection detectGameInBytes(std::string_view bytes);

// The kills `game` credits in `detection`, 0 when it is not listed.
FragCount killsOf(const Detection& detection, const Game* game);

}  // namespace fragtide::engine
