#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/people_table.hpp"
#include "rules/game.hpp"

// The plain model of the people table (engine/people_table.hpp) for an obituary game: lines split
// byte by byte, every rule of every slot tried position by position, the one-name messages tried
// one by one, and people found by linear search. Slow on purpose. Owns its strings.
namespace fragtide::engine::reference {

struct ReferencePerson {
    std::string name;
    std::int64_t frags = 0, deaths = 0, suicides = 0, teamKills = 0;
    std::vector<std::pair<std::string, std::int64_t>> victims;   // in the order of his first kill of each
    std::vector<std::pair<std::string, std::int64_t>> killedBy;  // in the order of the first frag on him
};

struct ReferencePeople {
    std::vector<ReferencePerson> people;  // in the order of first appearance

    ReferencePerson& personOf(const std::string& name);
    void kill(const std::string& killer, const std::string& victim);
    void teamKill(const std::string& killer, const std::string& victim);
    void suicide(const std::string& name);
};

// Every line of `bytes` for `game` (an obituary game).
ReferencePeople referencePeople(const rules::Game& game, std::string_view bytes);

// "" when `table` holds exactly what `ref` holds, else a description of the first difference.
std::string differenceFrom(const PeopleTable& table, const ReferencePeople& ref);

}  // namespace fragtide::engine::reference
