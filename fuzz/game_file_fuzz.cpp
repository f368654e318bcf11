// Fuzz target for the game-file reader: any bytes must be read or refused, never crash or hang; a
// refusal must say where ("file:line:column: "), and an obituaries game that was read must be
// whole and must write back to a file that reads back to the same definition.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/game_file.hpp"

#ifndef FRAGTIDE_FUZZ_ENTRY
#define FRAGTIDE_FUZZ_ENTRY LLVMFuzzerTestOneInput
#endif

namespace {

bool saysWhere(std::string_view message) {
    constexpr std::string_view kFile = "fuzz.toml:";
    if (!message.starts_with(kFile))
        return false;
    std::size_t i = kFile.size();
    for (int number = 0; number < 2; ++number) {
        const std::size_t digits = i;
        while (i < message.size() && message[i] >= '0' && message[i] <= '9')
            ++i;
        if (i == digits || i >= message.size() || message[i] != ':' || message[digits] == '0')
            return false;
        ++i;
    }
    return message.substr(i, 1) == " ";
}

bool sameRules(const fragtide::rules::Game& a, const fragtide::rules::Game& b) {
    if (a.displayName != b.displayName || a.alias != b.alias || a.rules->killerFirst != b.rules->killerFirst ||
        a.slotCount() != b.slotCount())
        return false;
    for (int s = 0; s < a.slotCount(); ++s) {
        const auto& x = a.rules->slots[static_cast<std::size_t>(s)].rules;
        const auto& y = b.rules->slots[static_cast<std::size_t>(s)].rules;
        if (a.weaponNames[static_cast<std::size_t>(s)] != b.weaponNames[static_cast<std::size_t>(s)] ||
            x.size() != y.size())
            return false;
        for (std::size_t r = 0; r < x.size(); ++r) {
            if (x[r].middle != y[r].middle || x[r].trailing != y[r].trailing)
                return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int FRAGTIDE_FUZZ_ENTRY(const std::uint8_t* data, std::size_t size) {
    using namespace fragtide;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto file = engine::parseGameFile(bytes, "fuzz.toml");
    if (!file) {
        if (!saysWhere(file.error().message))
            std::abort();
        return 0;
    }
    const rules::Game& game = (*file)->game();
    if (!rules::isWellFormed(game))
        std::abort();
    if (game.kind != rules::KillSource::ObituaryRules)
        return 0;
    const auto text = engine::gameFileText(game);
    if (!text)
        std::abort();
    const auto again = engine::parseGameFile(*text, "fuzz.toml");
    if (!again || !sameRules(game, (*again)->game()))
        std::abort();
    return 0;
}
