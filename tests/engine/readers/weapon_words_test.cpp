#include "engine/readers/weapon_words.hpp"

#include <gtest/gtest.h>

#include <string>

namespace fragtide::engine {
namespace {

using Shown = std::optional<std::string_view>;

TEST(WeaponWords, NamesHalfLifeWordsExactlyAndLeavesOthersAsWritten) {
    const WeaponWords& words = halfLifeWeaponWords();
    struct Case {
        std::string_view word;
        Shown shown;
    };
    const Case cases[] = {
        {"ak47", "AK-47"},
        {"glock", "Glock 18"},
        {"glock18", "Glock 18"},  // two words, one weapon
        {"colt", "Colt M4A1 Carbine"},
        {"m4a1", "Colt M4A1 Carbine"},
        {"grenade", "HE Grenade"},
        {"AK47", std::nullopt},  // case-sensitive
        {"ak47 ", std::nullopt},
        {"crowbar", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.word));
        EXPECT_EQ(words.displayName(c.word), c.shown);
    }
}

TEST(WeaponWords, NamesStdLogWordsWhateverTheirAsciiCase) {
    const WeaponWords& words = quake2StdLogWeaponWords();
    struct Case {
        std::string_view word;
        Shown shown;
    };
    const Case cases[] = {
        {"railgun", "Railgun"},
        {"RAILGUN", "Railgun"},
        {"RaIlGuN", "Railgun"},
        {"machinegun", "Machine Gun"},
        {"Machine Gun", "Machine Gun"},
        {"grenades", "Handgrenade"},
        {"hand grenade", "Handgrenade"},
        {"HandGrenade", "Handgrenade"},
        {"bfg", "BFG 10k"},
        {"bfg 10k", "BFG 10k"},
        {"Bfg10K", "BFG 10k"},
        {"super shotgun", "Super Shotgun"},
        {"Super  Shotgun", std::nullopt},
        {"Railgun\xff", std::nullopt},
        {"R\xc1ILGUN", std::nullopt},  // only ASCII letters fold
        {"Grappling Hook", std::nullopt},
        {"Telefrag", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.word));
        EXPECT_EQ(words.displayName(c.word), c.shown);
    }
}

}  // namespace
}  // namespace fragtide::engine
