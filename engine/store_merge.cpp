#include "engine/store_merge.hpp"

#include "engine/stats_store.hpp"

namespace fragtide::engine {
namespace {

// part's events, its people and slots renamed to those of `into`, after the people have merged.
void appendEvents(StatsStore& into, const StatsStore& part, const SlotMap& slotOf) {
    const auto& people = part.People.people();
    std::vector<std::uint32_t> personIn(people.size());
    for (std::size_t i = 0; i < people.size(); ++i)
        personIn[i] = *into.People.find(people[i].name);
    const auto rename = [&](std::uint32_t person) {
        return person == PeopleTable::kNobody ? person : personIn[person];
    };
    into.Events.reserve(into.Events.size() + part.Events.size());
    for (const KillEvent& e : part.Events) {
        const int slot = e.kind == KillEventKind::Frag ? slotOf[e.slot] : 0;
        into.Events.push_back({rename(e.killer), rename(e.victim), static_cast<std::uint8_t>(slot), e.kind});
    }
}

}  // namespace

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
    if (into.KeepEvents && !part.Events.empty())
        appendEvents(into, part, slotOf);
    if (anyKill) {
        into.KillerName = part.KillerName;
        into.VictimName = part.VictimName;
    }
}

}  // namespace fragtide::engine
