#include "engine/reference/reference_people.hpp"

#include "engine/reference/one_name_reference.hpp"
#include "engine/reference/reference_matcher.hpp"

namespace fragtide::engine::reference {
namespace {

std::string plainName(std::string s) {
    while (!s.empty() && s.front() == ' ')
        s.erase(0, 1);
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    if (s.size() >= 2 && s.substr(s.size() - 2) == "'s")
        s.resize(s.size() - 2);
    return s;
}

void addRival(std::vector<std::pair<std::string, std::int64_t>>& list, const std::string& name) {
    for (auto& [n, count] : list) {
        if (n == name) {
            ++count;
            return;
        }
    }
    list.emplace_back(name, 1);
}

}  // namespace

ReferencePerson& ReferencePeople::personOf(const std::string& name) {
    for (ReferencePerson& p : people) {
        if (p.name == name)
            return p;
    }
    people.push_back({});
    people.back().name = name;
    return people.back();
}

void ReferencePeople::kill(const std::string& killer, const std::string& victim) {
    if (!killer.empty())
        ++personOf(killer).frags;
    if (!victim.empty())
        ++personOf(victim).deaths;
    if (!killer.empty() && !victim.empty()) {
        addRival(personOf(killer).victims, victim);
        addRival(personOf(victim).killedBy, killer);
    }
}

void ReferencePeople::teamKill(const std::string& killer, const std::string& victim) {
    if (!killer.empty())
        ++personOf(killer).teamKills;
    if (!victim.empty())
        ++personOf(victim).deaths;
}

void ReferencePeople::suicide(const std::string& name) {
    if (!name.empty())
        ++personOf(name).suicides;
}

ReferencePeople referencePeople(const rules::Game& game, std::string_view bytes) {
    ReferencePeople ref;
    for (const std::string& line : referenceLines(bytes)) {
        bool credited = false;
        ReferenceStore names;  // referenceMatch leaves the names of the last matching rule here
        for (int slot = 1; game.rules && slot <= static_cast<int>(game.rules->slots.size()); ++slot) {
            int count = 0;
            for (const auto& rule : game.rules->slots[slot - 1].rules)
                count += referenceMatch(names, line, rule.middle, rule.trailing, game.rules->killerFirst);
            if (count > 0) {
                ref.kill(plainName(names.killerName), plainName(names.victimName));
                credited = true;
            }
        }
        if (credited || !game.oneName)
            continue;
        if (const auto event = matchOneName(*game.oneName, line, KillVerdict::NotAKill)) {
            if (event->kind == OneNameKind::Suicide)
                ref.suicide(std::string(event->name));
            else
                ref.teamKill(std::string(event->name), "");
        }
    }
    return ref;
}

std::string differenceFrom(const PeopleTable& table, const ReferencePeople& ref) {
    const auto& people = table.people();
    if (people.size() != ref.people.size())
        return "people: " + std::to_string(people.size()) + " instead of " + std::to_string(ref.people.size());
    const auto sameRivals = [&](const PeopleTable::Rivals& fast,
                                const std::vector<std::pair<std::string, std::int64_t>>& plain) {
        if (fast.size() != plain.size())
            return false;
        for (std::size_t j = 0; j < fast.size(); ++j) {
            if (people[fast[j].person].name != plain[j].first || fast[j].frags != plain[j].second)
                return false;
        }
        return true;
    };
    for (std::size_t i = 0; i < people.size(); ++i) {
        const auto& a = people[i];
        const ReferencePerson& b = ref.people[i];
        const std::string where = "person " + std::to_string(i) + " '" + b.name + "': ";
        if (a.name != b.name)
            return where + "named '" + std::string(a.name) + "'";
        if (a.frags != b.frags || a.deaths != b.deaths || a.suicides != b.suicides || a.teamKills != b.teamKills)
            return where + "counts " + std::to_string(a.frags) + "/" + std::to_string(a.deaths) + "/" +
                   std::to_string(a.suicides) + "/" + std::to_string(a.teamKills) + " instead of " +
                   std::to_string(b.frags) + "/" + std::to_string(b.deaths) + "/" + std::to_string(b.suicides) +
                   "/" + std::to_string(b.teamKills);
        if (!sameRivals(a.victims, b.victims))
            return where + "victims differ";
        if (!sameRivals(a.killedBy, b.killedBy))
            return where + "killers differ";
    }
    return {};
}

}  // namespace fragtide::engine::reference
