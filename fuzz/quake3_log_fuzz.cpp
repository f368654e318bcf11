// Differential fuzz target: any bytes, read as a Quake III server log in small pieces on two
// threads, must give the statistics and the people that the plain reference gives reading line
// after line, and must never crash the reader. The pieces make the teams cross every kind of cut.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/reference/analyze_bytes.hpp"
#include "engine/reference/reference_people.hpp"
#include "engine/reference/server_log_reference.hpp"
#include "engine/stats_store.hpp"
#include "rules/quake3_server_log.hpp"

#ifndef FRAGTIDE_FUZZ_ENTRY
#define FRAGTIDE_FUZZ_ENTRY LLVMFuzzerTestOneInput
#endif

extern "C" int FRAGTIDE_FUZZ_ENTRY(const std::uint8_t* data, std::size_t size) {
    using namespace fragtide::engine;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The reference recurses per byte: keep its lines short.
    for (std::size_t at = 0, from = 0; at <= bytes.size(); ++at) {
        if (at == bytes.size() || bytes[at] == '\n' || bytes[at] == '\r') {
            if (at - from > 2048)
                return 0;
            from = at + 1;
        }
    }
    const fragtide::rules::Game& game = fragtide::rules::quake3_server_log::kGame;
    StatsStore store;
    store.CurrentGame = game.displayName;
    if (!reference::analyzeBytes(store, bytes, {.partBytes = 61, .threads = 2}))
        std::abort();
    reference::ServerLogReferenceStore plain;
    reference::referenceAnalyzeServerLog(plain, game, bytes);
    if (store.WeaponFrags != plain.counts.weaponFrags || store.PlayerWeaponFrags != plain.counts.playerWeaponFrags ||
        store.KillerName != plain.counts.killerName || store.VictimName != plain.counts.victimName ||
        store.WeaponNames != plain.weaponNames)
        std::abort();
    if (!reference::differenceFrom(store.People, reference::referenceServerLogPeople(game, bytes)).empty())
        std::abort();
    return 0;
}
