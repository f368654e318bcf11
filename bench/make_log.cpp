// Writes a synthetic log for benchmarks: kill lines of one game (from its own rule table, or in the
// form its server log writes them), a few dozen players, some chat and server lines between them.
//
//   make_log GAME MEGABYTES FILE      e.g. make_log q2 1024 /tmp/q2.log
//   make_log --middles GAME           the game's distinct middle texts, one a line (for rg -F -f)
//   make_log --games-dir DIR ...      either of the above, knowing the game files of DIR too (the
//                                     game files this repository ships are always known)
//   make_log --names N GAME MEGABYTES FILE   N distinct names instead of a few dozen: the killers
//                                     take turns through all of them, and each kills one of the
//                                     two after him (a public server's passing visitors)
#include <cstdio>
#include <filesystem>
#include <vector>
#include <cstdlib>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "engine/game_catalogue.hpp"
#include "engine/game_folders.hpp"
#include "engine/reference/log_lines.hpp"

namespace {

const fragtide::engine::Game* gameNamed(std::string_view name) {
    for (const auto& g : fragtide::engine::games())
        if (g.alias == name || g.displayName == name)
            return &g;
    std::fprintf(stderr, "unknown game %.*s\n", static_cast<int>(name.size()), name.data());
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace fragtide;
    std::vector<std::filesystem::path> folders = {FRAGTIDE_SOURCE_GAMES};
    while (argc > 2 && std::string_view(argv[1]) == "--games-dir") {
        folders.emplace_back(argv[2]);
        argv += 2;
        argc -= 2;
    }
    for (const std::string& refusal : engine::loadGameFolders(folders))
        std::fprintf(stderr, "make_log: %s\n", refusal.c_str());
    if (argc == 3 && std::string_view(argv[1]) == "--middles") {
        const engine::Game* game = gameNamed(argv[2]);
        if (!game || !game->rules)
            return 2;
        std::set<std::string_view> middles;
        for (const auto& slot : game->rules->slots)
            for (const auto& rule : slot.rules)
                if (!rule.middle.empty())
                    middles.insert(rule.middle);
        for (const std::string_view m : middles)
            std::printf("%.*s\n", static_cast<int>(m.size()), m.data());
        return 0;
    }
    std::uint64_t distinct = 0;  // 0: the usual few dozen players
    if (argc == 6 && std::string_view(argv[1]) == "--names") {
        distinct = std::strtoull(argv[2], nullptr, 10);
        argv += 2;
        argc -= 2;
    }
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_log [--names N] GAME MEGABYTES FILE | make_log --middles GAME\n");
        return 2;
    }
    const engine::Game* game = gameNamed(argv[1]);
    if (!game)
        return 2;
    const std::uint64_t bytes = std::strtoull(argv[2], nullptr, 10) << 20;
    std::ofstream out(argv[3], std::ios::binary);
    std::mt19937 rng(7);
    std::string names[40];
    for (int i = 0; i < 40; ++i)
        names[i] = (i % 3 ? "Player" : "[Clan] Fragger ") + std::to_string(i);
    const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    // With distinct names, the kill's two names in turn; names differ in length as real ones do.
    std::uint64_t turn = 0;
    std::string many[2];
    const auto manyName = [&](std::uint64_t n) { return (n % 3 ? "Visitor" : "[Pub] Passer-by ") + std::to_string(n); };
    const auto twoNames = [&]() -> std::pair<std::string_view, std::string_view> {
        if (distinct == 0) {
            const std::size_t killer = pick(40);
            return {names[killer], names[pick(40)]};
        }
        many[0] = manyName(turn % distinct);
        many[1] = manyName((turn + 1 + pick(2)) % distinct);
        ++turn;
        return {many[0], many[1]};
    };
    std::string block;
    std::uint64_t written = 0;
    while (written < bytes) {
        block.clear();
        while (block.size() < (1 << 20)) {
            if (pick(8) == 0) {
                block += names[pick(40)] + ": gg, nice shot\r\n";
                continue;
            }
            if (game->kind == rules::KillSource::Quake3ServerLog && pick(3) == 0) {
                // Pick-ups: the line a Quake III games.log holds most of.
                block += " 12:02 Item: " + std::to_string(pick(32)) + " weapon_rocketlauncher\r\n";
                continue;
            }
            if (game->kind == rules::KillSource::Quake3ServerLog && pick(64) == 0) {
                // Clients join teams and leave them, as on a team server: the kills between them
                // then depend on lines far before, across every cut of the log.
                block += " 12:01 ClientUserinfoChanged: " + std::to_string(pick(32)) + " n\\" + names[pick(40)] +
                         "\\t\\" + std::to_string(pick(4)) + "\\model\\sarge\r\n";
                continue;
            }
            if (!game->rules) {  // a server log: its own kill form, weapons named by the log
                const auto [a, b] = twoNames();
                block += engine::reference::killLine(*game, rng, a, b,
                                                     engine::reference::weaponWord(*game, rng));
                block += "\r\n";
                continue;
            }
            const auto& slot = game->rules->slots[pick(game->rules->slots.size())];
            const auto& rule = slot.rules[pick(slot.rules.size())];
            const auto [a, b] = twoNames();
            block += a;
            block += rule.middle;
            block += b;
            block += rule.trailing;
            block += "\r\n";
        }
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
        written += block.size();
    }
    return out ? 0 : 1;
}
