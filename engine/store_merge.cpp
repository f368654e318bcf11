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
    for (int p = 1; p <= kMaxPlayers; ++p) {
        const std::string& name = part.PlayerNames()[p];
        if (name.empty())
            break;  // entries fill from 1 without gaps
        int player = into.findPlayer(name);
        if (player == 0)
            player = into.addPlayer(name);
        if (player == 0)
            continue;  // the table is full: as in one pass, a latecomer is credited nothing
        for (int s = 0; s < kSlotEntries; ++s) {
            if (slotOf[s] >= 0)
                into.PlayerWeaponFrags[player][slotOf[s]] += part.PlayerWeaponFrags[p][s];
        }
    }
    into.People.merge(part.People);
    if (anyKill) {
        into.KillerName = part.KillerName;
        into.VictimName = part.VictimName;
    }
}

bool storeIsFull(const StatsStore& part) { return !part.PlayerNames()[kMaxPlayers].empty(); }

}  // namespace fragtide::engine
