#include "export/csv_export.hpp"

#include "engine/display_text.hpp"

namespace fragtide::exports {

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string csvExport(const engine::StatsStore& store) {
    std::string out = "player,slot,weapon,frags\r\n";
    const auto& names = store.PlayerNames();
    for (int p = 1; p <= store.playerCount(); ++p) {
        if (names[p].empty())
            continue;
        const std::string player = csvField(engine::displayText(names[p]));
        for (int slot = 1; slot <= engine::kMaxSlot; ++slot) {
            const engine::FragCount count = store.PlayerWeaponFrags[p][slot];
            if (count <= 0)
                continue;
            out += player + "," + std::to_string(slot) + "," +
                   csvField(engine::displayText(store.WeaponNames[slot])) + "," + std::to_string(count) + "\r\n";
        }
    }
    return out;
}

}  // namespace fragtide::exports
