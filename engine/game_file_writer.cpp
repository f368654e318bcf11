#include "engine/game_file.hpp"

#include <cstdio>

namespace fragtide::engine {
namespace {

// The length of the valid UTF-8 sequence at `at`, or 0: such text is written as it is, so that a
// modder reads the names and texts in an editor; any other byte becomes \xHH.
std::size_t utf8Length(std::string_view text, std::size_t at) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = b(at);
    std::size_t n = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (n == 0 || at + n > text.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(at + k) & 0xC0) != 0x80)
            return 0;
    }
    // No overlong forms, surrogates or code points past U+10FFFF; and never U+F700..U+F7FF, which
    // the reader turns into single bytes.
    if ((lead == 0xE0 && b(at + 1) < 0xA0) || (lead == 0xED && b(at + 1) >= 0xA0) ||
        (lead == 0xF0 && b(at + 1) < 0x90) || (lead == 0xF4 && b(at + 1) >= 0x90) ||
        (lead == 0xEF && b(at + 1) >= 0x9C && b(at + 1) <= 0x9F))
        return 0;
    return n;
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        char hex[8];
        if (text[i] == '"' || text[i] == '\\') {
            out += '\\';
            out += text[i++];
        } else if (byte < 0x20 || byte == 0x7F) {
            std::snprintf(hex, sizeof hex, "\\u%04X", byte);
            out += hex;
            ++i;
        } else if (byte < 0x80) {
            out += text[i++];
        } else if (const std::size_t n = utf8Length(text, i)) {
            out += text.substr(i, n);
            i += n;
        } else {
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
            ++i;
        }
    }
    return out + '"';
}

void writeMessages(std::string& out, std::string_view key, std::span<const rules::OneNameMessage> messages) {
    if (messages.empty())
        return;
    out += std::string(key) + " = [\n";
    for (const rules::OneNameMessage& message : messages) {
        out += "    ";
        out += message.leading.empty() ? quoted(message.trailing)
                                       : "[" + quoted(message.leading) + ", " + quoted(message.trailing) + "]";
        out += ",\n";
    }
    out += "]\n";
}

}  // namespace

Result<std::string> gameFileText(const rules::Game& game) {
    if (game.kind != rules::KillSource::ObituaryRules || !game.rules)
        return Error{ErrorKind::InvalidInput, "'" + std::string(game.alias) +
                                                  "' reads a server log: only console games can be written as a "
                                                  "game file"};
    std::string out;
    // Quoted even here: a comment, too, must be UTF-8 without control characters.
    out += "# " + quoted(game.displayName) + ", as the program has it built in. Give the copy a name and an\n";
    out += "# alias of its own before you put it in a games folder.\n";
    out += "fragtide_game = 1\n";
    out += "name = " + quoted(game.displayName) + "\n";
    out += "alias = " + quoted(game.alias) + "\n";
    if (!game.description.empty())
        out += "description = " + quoted(game.description) + "\n";
    out += "kind = \"obituaries\"\n";
    out += std::string("killer_first = ") + (game.rules->killerFirst ? "true" : "false") + "\n";
    // Keys after the first [[weapon]] would belong to that weapon: the messages come first.
    if (game.oneName) {
        writeMessages(out, "one_name", game.oneName->suicides);
        writeMessages(out, "one_name_team_kills", game.oneName->teamKills);
    }
    if (!game.champions.empty()) {
        // General Info's extra lines: the player with the most frags of a slot, between two texts.
        out += "champions = [\n";
        for (const rules::Champion& champion : game.champions)
            out += "    [" + std::to_string(champion.slot) + ", " + quoted(champion.opening) + ", " +
                   quoted(champion.closing) + "],\n";
        out += "]\n";
    }
    for (std::size_t i = 0; i < game.rules->slots.size(); ++i) {
        out += "\n[[weapon]]  # slot " + std::to_string(i + 1) + "\n";
        out += "name = " + quoted(i < game.weaponNames.size() ? game.weaponNames[i] : std::string_view()) + "\n";
        out += "rules = [\n";
        for (const rules::ObituaryRule& rule : game.rules->slots[i].rules)
            out += "    [" + quoted(rule.middle) + ", " + quoted(rule.trailing) + "],\n";
        out += "]\n";
    }
    return out;
}

}  // namespace fragtide::engine
