#include "engine/store_merge.hpp"

#include <vector>

#include "engine/stats_store.hpp"

namespace fragtide::engine {
namespace {

// part's events, its people and slots renamed to those of `into`, after the people have merged
// (`personIn`: each of part's people's number in `into`, as PeopleTable::merge gives them).
void appendEvents(StatsStore& into, const StatsStore& part, const SlotMap& slotOf,
                  const std::vector<std::uint32_t>& personIn) {
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
    const PartMerge merge = startMerge(into, part, slotOf);
    mergePeopleCounts(into, merge);
    mergePlayers(into, merge);
}

PartMerge startMerge(StatsStore& into, const StatsStore& part, const SlotMap& slotOf) {
    for (int s = 0; s < kSlotEntries; ++s) {
        if (slotOf[s] >= 0)
            into.WeaponFrags[slotOf[s]] += part.WeaponFrags[s];
    }
    return {&part, slotOf, into.People.numberPeople(part.People)};
}

void mergePeopleCounts(StatsStore& into, const PartMerge& merge) {
    into.People.addCounts(merge.part->People, merge.personIn);
}

void mergePlayers(StatsStore& into, const PartMerge& merge) {
    const StatsStore& part = *merge.part;
    const SlotMap& slotOf = merge.slotOf;
    const std::vector<std::uint32_t>& personHere = merge.personIn;
    // Each player's person gives his player index here by its tag, with no name lookup in a table
    // of perhaps millions (a tag is set for every scorer; the lookup stays for a store filled
    // otherwise).
    std::vector<std::uint32_t> personOfPlayer(static_cast<std::size_t>(part.playerCount()) + 1, PeopleTable::kNobody);
    for (std::uint32_t i = 0; i < personHere.size(); ++i) {
        if (const std::int32_t tag = part.People.playerTag(i); tag > 0 && tag <= part.playerCount())
            personOfPlayer[static_cast<std::size_t>(tag)] = personHere[i];
    }
    for (int p = 1; p <= part.playerCount(); ++p) {
        const std::uint32_t person = personOfPlayer[static_cast<std::size_t>(p)];
        int player = 0;
        if (person != PeopleTable::kNobody) {
            player = into.makePlayerOf(person);
        } else {
            const std::string_view name = part.PlayerNames()[p];
            player = into.findPlayer(name);
            if (player == 0)
                player = into.addPlayer(name);
        }
        part.PlayerWeaponFrags.forEachCount(static_cast<std::size_t>(p), [&](int s, FragCount n) {
            if (slotOf[s] >= 0)
                into.PlayerWeaponFrags.add(static_cast<std::size_t>(player), slotOf[s], n);
        });
    }
    if (into.KeepEvents && !part.Events.empty())
        appendEvents(into, part, slotOf, personHere);
    bool anyKill = false;
    for (int s = 0; s < kSlotEntries; ++s)
        anyKill = anyKill || (slotOf[s] >= 0 && part.WeaponFrags[s] > 0);
    if (anyKill) {
        into.KillerName = part.KillerName;
        into.VictimName = part.VictimName;
    }
}

}  // namespace fragtide::engine
