// Differential fuzz target: any bytes, read as a log of each game, must give the same statistics
// and the same people (deaths, suicides, team kills, victims) through the program's own file
// analysis as through the plain references, and must never crash it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include <vector>

#include "engine/game_catalogue.hpp"
#include "engine/reference/analyze_bytes.hpp"
#include "engine/reference/reference_matcher.hpp"
#include "engine/reference/reference_people.hpp"
#include "engine/stats_store.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fragtide;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The first byte picks the game, so the fuzzer can steer towards one table. Only the games read
    // by obituary rules: the plain matcher models those; the server-log readers have targets of
    // their own.
    std::vector<const engine::Game*> obituaryGames;
    for (const engine::Game& candidate : engine::games())
        if (candidate.rules)
            obituaryGames.push_back(&candidate);
    const engine::Game& game = *obituaryGames[size ? data[0] % obituaryGames.size() : 0];
    engine::StatsStore store;
    store.CurrentGame = game.displayName;
    // Small pieces on two threads, so that batch cuts and the merge of stores are fuzzed too.
    const auto lines = engine::reference::analyzeBytes(store, bytes, {.partBytes = 61, .threads = 2});
    if (!lines)
        std::abort();
    engine::reference::ReferenceStore ref;
    if (*lines != engine::reference::referenceAnalyze(ref, game.rules, bytes))
        std::abort();
    if (store.WeaponFrags != ref.weaponFrags || store.PlayerWeaponFrags != ref.playerWeaponFrags ||
        store.KillerName != ref.killerName || store.VictimName != ref.victimName)
        std::abort();
    if (store.PlayerNames() != ref.playerNames)
        std::abort();
    if (!engine::reference::differenceFrom(store.People, engine::reference::referencePeople(game, bytes)).empty())
        std::abort();
    return 0;
}
