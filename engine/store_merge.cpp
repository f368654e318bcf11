#include "engine/store_merge.hpp"

#include "engine/stats_store.hpp"

namespace fragtide::engine {

void mergeStore(StatsStore& into, const StatsStore& part) {
    SlotMap same;
    for (int s = 0; s < kSlotEntries; ++s)
        same[s] = s;
    mergeStore(into, part, same);
}

void mergeStore(StatsStore& into, const StatsStore& part, const SlotMap& slotOf) {
    bool anyKill = false;
    for (int s = 0; s < kSlotEntries; ++s) {
        if (slotOf[s] < 0)
            continue;
        into.WeaponFrags[slotOf[s]] += part.WeaponFrags[s];
        anyKill = anyKill || part.WeaponFrags[s] > 0;
    }
    for (int p = 1; p <= part.playerCount(); ++p) {
        const std::string& name = part.PlayerNames()[p];
        int player = into.findPlayer(name);
        if (player == 0)
            player = into.addPlayer(name);
        // Rows are fetched after addPlayer, which may move them.
        auto& row = into.PlayerWeaponFrags[static_cast<std::size_t>(player)];
        const auto& partRow = part.PlayerWeaponFrags[static_cast<std::size_t>(p)];
        for (int s = 0; s < kSlotEntries; ++s) {
            if (slotOf[s] >= 0)
                row[slotOf[s]] += partRow[s];
        }
    }
    into.People.merge(part.People);
    if (anyKill) {
        into.KillerName = part.KillerName;
        into.VictimName = part.VictimName;
    }
}

}  // namespace fragtide::engine
