#include "engine/game_file.hpp"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <utility>

#include <toml++/toml.h>

#include "engine/readers/line_template.hpp"
#include "engine/stats_store.hpp"

namespace fragtide::engine {
namespace {

// \xHH is no TOML escape, so before parsing it becomes \uF7HH, a private-use character a log
// text has no reason to hold, and after parsing that character becomes the byte again.
constexpr char32_t kByteBase = 0xF700;

// The file as toml++ reads it: ASCII only. toml++ 3.3 tests some characters for whitespace in a way
// that is undefined for many (U+00A1..U+0499 among them) when it meets them outside a string, as
// it may after a fault; so none reaches it. In "..." texts a character becomes its \u escape, in
// comments a '?', and one outside quotes and comments (never valid TOML) refuses the file.
struct Prepared {
    std::string text;
    // Per line (from 1): where in the prepared line a replacement starts, and how many characters
    // it added, so that a place toml++ reports maps back to the file's own.
    std::vector<std::vector<std::pair<std::uint32_t, std::uint32_t>>> shifts;
    std::optional<std::pair<FilePlace, std::string>> refusal;
};

bool isHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// The code point of the UTF-8 sequence at `at` and its length, or a length of 0 when it is none.
std::pair<char32_t, std::size_t> decodeUtf8(std::string_view in, std::size_t at) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(in[k]); };
    const unsigned char lead = b(at);
    const std::size_t n = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (n == 0 || at + n > in.size())
        return {0, 0};
    char32_t cp = lead & (0xFF >> (n + 1));
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(at + k) & 0xC0) != 0x80)
            return {0, 0};
        cp = (cp << 6) | (b(at + k) & 0x3Fu);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < least[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return {0, 0};
    return {cp, n};
}

Prepared prepare(std::string_view in) {
    Prepared out;
    out.text.reserve(in.size());
    out.shifts.resize(2);
    std::uint32_t line = 1, column = 1;  // of `in`, counted in characters
    std::size_t lineStart = 0;           // in out.text
    enum class State { Plain, Comment, Basic, MultiBasic, Literal, MultiLiteral } state = State::Plain;
    const auto at = [&](std::size_t i, std::string_view s) { return in.substr(i, s.size()) == s; };
    const auto refuse = [&](std::string message) {
        out.refusal = std::pair{FilePlace{line, column}, std::move(message)};
        return out;
    };
    const auto replace = [&](const std::string& with, std::uint32_t added) {
        out.shifts[line].emplace_back(static_cast<std::uint32_t>(out.text.size() - lineStart + 1), added);
        out.text += with;
        ++column;
    };
    for (std::size_t i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (static_cast<unsigned char>(c) >= 0x80) {
            const auto [cp, length] = decodeUtf8(in, i);
            if (length == 0)
                return refuse("not valid UTF-8; in a \"...\" text, write \\xHH for a byte that is not UTF-8");
            char escape[16];
            switch (state) {
            case State::Plain:
                return refuse("not valid TOML: outside quotes and comments only ASCII characters may stand");
            case State::Literal:
            case State::MultiLiteral:
                return refuse("a '...' text may hold only ASCII characters here; write it in \"...\" quotes");
            case State::Comment:
                replace("?", 0);
                break;
            case State::Basic:
            case State::MultiBasic:
                std::snprintf(escape, sizeof escape, cp > 0xFFFF ? "\\U%08X" : "\\u%04X", static_cast<unsigned>(cp));
                replace(escape, cp > 0xFFFF ? 9 : 5);
                break;
            }
            i += length - 1;
            continue;
        }
        std::size_t take = 1;
        switch (state) {
        case State::Plain:
            if (c == '#')
                state = State::Comment;
            else if (at(i, "\"\"\""))
                state = State::MultiBasic, take = 3;
            else if (c == '"')
                state = State::Basic;
            else if (at(i, "'''"))
                state = State::MultiLiteral, take = 3;
            else if (c == '\'')
                state = State::Literal;
            break;
        case State::Comment:
            if (c == '\n')
                state = State::Plain;
            break;
        case State::Basic:
        case State::MultiBasic:
            if (c == '\\' && i + 3 < in.size() && in[i + 1] == 'x' && isHex(in[i + 2]) && isHex(in[i + 3])) {
                out.shifts[line].emplace_back(static_cast<std::uint32_t>(out.text.size() - lineStart + 1), 2);
                out.text += "\\uF7";
                out.text += in.substr(i + 2, 2);
                i += 3;
                column += 4;
                continue;
            }
            if (c == '\\' && i + 1 < in.size() && static_cast<unsigned char>(in[i + 1]) >= 0x80)
                return refuse("not valid TOML: a backslash begins an escape such as \\n, \\\" or \\xHH");
            if (c == '\\' && i + 1 < in.size() && in[i + 1] != '\n' && in[i + 1] != '\r')
                take = 2;  // an escaped character, a quote or backslash among them
            else if (state == State::Basic && (c == '"' || c == '\n'))
                state = State::Plain;
            else if (state == State::MultiBasic && at(i, "\"\"\""))
                state = State::Plain, take = 3;
            break;
        case State::Literal:
            if (c == '\'' || c == '\n')
                state = State::Plain;
            break;
        case State::MultiLiteral:
            if (at(i, "'''"))
                state = State::Plain, take = 3;
            break;
        }
        for (std::size_t k = 0; k < take && i < in.size(); ++k, ++i) {
            out.text += in[i];
            if (in[i] == '\n') {
                ++line;
                column = 1;
                lineStart = out.text.size();
                out.shifts.emplace_back();
            } else {
                ++column;
            }
        }
        --i;
    }
    return out;
}

// The bytes a parsed string stands for: each U+F7HH back to the byte HH.
std::string bytesOf(std::string_view parsed) {
    std::string out;
    out.reserve(parsed.size());
    for (std::size_t i = 0; i < parsed.size(); ++i) {
        const auto b = [&](std::size_t k) { return static_cast<unsigned char>(parsed[k]); };
        if (b(i) == 0xEF && i + 2 < parsed.size() && (b(i + 1) & 0xC0) == 0x80 && (b(i + 2) & 0xC0) == 0x80) {
            const char32_t cp = (char32_t{0xF} << 12) | (char32_t{b(i + 1) & 0x3Fu} << 6) | (b(i + 2) & 0x3Fu);
            if ((cp & 0xFF00) == kByteBase) {
                out += static_cast<char>(cp & 0xFF);
                i += 2;
                continue;
            }
        }
        out += parsed[i];
    }
    return out;
}

struct Refusal {
    FilePlace place;
    std::string message;
};

}  // namespace

// Reads one game file's table into a FileGame; every check that refuses the file is here.
class GameFileReader {
public:
    GameFileReader(const Prepared& prepared, std::string_view fileName) : m_prepared(prepared) {
        m_game.reset(new FileGame());
        m_game->m_fileName = fileName;
    }

    std::optional<Refusal> read(const toml::table& root);
    std::shared_ptr<const FileGame> take() { return std::move(m_game); }

    FilePlace placeOf(const toml::source_region& region) const {
        FilePlace place{region.begin.line ? region.begin.line : 1, region.begin.column ? region.begin.column : 1};
        if (place.line < m_prepared.shifts.size()) {
            std::uint32_t shift = 0;
            for (const auto& [from, added] : m_prepared.shifts[place.line]) {
                if (from < place.column)
                    shift += std::min(added, place.column - from);
            }
            place.column -= shift;
        }
        return place;
    }

private:
    using Fields = std::initializer_list<std::string_view>;

    Refusal refuse(const toml::node& node, std::string message) const { return {placeOf(node.source()), std::move(message)}; }

    std::optional<Refusal> onlyFields(const toml::table& table, Fields known, std::string_view where);
    std::optional<Refusal> text(const toml::table& table, std::string_view key, std::string& out, bool required);
    std::optional<Refusal> flag(const toml::table& table, std::string_view key, bool& out, bool required);
    std::optional<Refusal> readObituaries(const toml::table& root);
    std::optional<Refusal> readOneName(const toml::node& node, std::string_view key, std::vector<rules::OneNameMessage>& into);
    std::optional<Refusal> readLines(const toml::table& root);
    std::optional<Refusal> readTemplates(const toml::table& root, std::string_view key, bool required,
                                         std::vector<std::string_view>& into);

    const Prepared& m_prepared;
    std::shared_ptr<FileGame> m_game;
    bool m_prefix = false;
};

std::optional<Refusal> GameFileReader::onlyFields(const toml::table& table, Fields known, std::string_view where) {
    for (const auto& [key, node] : table) {
        bool found = false;
        for (const std::string_view k : known)
            found = found || key.str() == k;
        if (!found)
            return Refusal{placeOf(key.source()), "unknown field '" + std::string(key.str()) + "'" + std::string(where)};
    }
    return std::nullopt;
}

std::optional<Refusal> GameFileReader::text(const toml::table& table, std::string_view key, std::string& out,
                                            bool required) {
    const toml::node* node = table.get(key);
    if (!node) {
        if (required)
            return Refusal{placeOf(table.source()), "lacks the field '" + std::string(key) + "'"};
        return std::nullopt;
    }
    if (!node->is_string())
        return refuse(*node, "'" + std::string(key) + "' must be a text in quotes");
    out = bytesOf(node->as_string()->get());
    return std::nullopt;
}

std::optional<Refusal> GameFileReader::flag(const toml::table& table, std::string_view key, bool& out, bool required) {
    const toml::node* node = table.get(key);
    if (!node) {
        if (required)
            return Refusal{placeOf(table.source()), "lacks the field '" + std::string(key) + "' (true or false)"};
        return std::nullopt;
    }
    if (!node->is_boolean())
        return refuse(*node, "'" + std::string(key) + "' must be true or false");
    out = node->as_boolean()->get();
    return std::nullopt;
}

std::optional<Refusal> GameFileReader::read(const toml::table& root) {
    FileGame& g = *m_game;
    const toml::node* version = root.get("fragtide_game");
    if (!version)
        return Refusal{{1, 1}, "lacks the field 'fragtide_game' (the format version: write fragtide_game = 1)"};
    if (!version->is_integer() || version->as_integer()->get() != 1)
        return refuse(*version, "fragtide_game must be 1, the only format version this program reads");
    std::string name, alias, kind;
    if (auto r = text(root, "name", name, true))
        return r;
    if (auto r = text(root, "alias", alias, true))
        return r;
    if (auto r = text(root, "kind", kind, true))
        return r;
    if (name.empty())
        return refuse(*root.get("name"), "the name must not be empty");
    if (alias.empty() || alias == "auto")
        return refuse(*root.get("alias"), alias.empty() ? "the alias must not be empty"
                                                        : "the alias 'auto' is taken by --game auto");
    g.m_namePlace = placeOf(root.get("name")->source());
    g.m_aliasPlace = placeOf(root.get("alias")->source());
    g.m_game.displayName = g.keep(std::move(name));
    g.m_game.alias = g.keep(std::move(alias));
    if (kind == "obituaries")
        return readObituaries(root);
    if (kind == "lines")
        return readLines(root);
    return refuse(*root.get("kind"), "kind must be \"obituaries\" or \"lines\"");
}

std::optional<Refusal> GameFileReader::readObituaries(const toml::table& root) {
    FileGame& g = *m_game;
    if (auto r = onlyFields(root, {"fragtide_game", "name", "alias", "kind", "killer_first", "weapon", "one_name",
                                   "one_name_team_kills"},
                            " in an obituaries game"))
        return r;
    bool killerFirst = false;
    if (auto r = flag(root, "killer_first", killerFirst, true))
        return r;
    const toml::node* weapons = root.get("weapon");
    if (!weapons)
        return Refusal{{1, 1}, "lacks the field 'weapon': an obituaries game needs at least one [[weapon]]"};
    if (!weapons->is_array_of_tables() || weapons->as_array()->empty())
        return refuse(*weapons, "'weapon' must be tables written [[weapon]]");
    const toml::node* oneName[2] = {root.get("one_name"), root.get("one_name_team_kills")};
    std::size_t number = 0;
    for (const toml::node& node : *weapons->as_array()) {
        ++number;
        if (number > static_cast<std::size_t>(kMaxSlot))
            return refuse(node, "more than " + std::to_string(kMaxSlot) + " weapons");
        const toml::table& weapon = *node.as_table();
        const std::string where = " in weapon " + std::to_string(number);
        if (auto r = onlyFields(weapon, {"name", "rules", "one_name", "one_name_team_kills"}, where))
            return r;
        // TOML puts the keys written after a [[weapon]] into that weapon: one_name there is still
        // the game's, as a user who wrote it below the weapons meant.
        for (const std::string_view key : {"one_name", "one_name_team_kills"}) {
            if (const toml::node* messages = weapon.get(key)) {
                if (oneName[key == "one_name" ? 0 : 1])
                    return refuse(*messages, "'" + std::string(key) + "' is given twice");
                oneName[key == "one_name" ? 0 : 1] = messages;
            }
        }
        std::string weaponName;
        if (auto r = text(weapon, "name", weaponName, true))
            return Refusal{r->place, "weapon " + std::to_string(number) + ": " + r->message};
        if (weaponName.empty())
            return refuse(*weapon.get("name"), "weapon " + std::to_string(number) + ": the name must not be empty");
        const std::string what = "rules of weapon " + std::to_string(number) + " (\"" + weaponName + "\")";
        const toml::node* rules = weapon.get("rules");
        if (!rules)
            return Refusal{placeOf(weapon.source()), "weapon " + std::to_string(number) + " (\"" + weaponName +
                                                         "\") lacks the field 'rules'"};
        if (!rules->is_array() || rules->as_array()->empty())
            return refuse(*rules, what + ": must be a list of [middle, trailing] pairs, at least one");
        std::vector<rules::ObituaryRule>& list = g.m_ruleLists.emplace_back();
        for (const toml::node& pair : *rules->as_array()) {
            const toml::array* items = pair.as_array();
            if (!items || items->size() != 2 || !(*items)[0].is_string() || !(*items)[1].is_string())
                return refuse(pair, what + ": each rule must be a pair of texts, [middle, trailing]");
            const std::string middle = bytesOf((*items)[0].as_string()->get());
            if (middle.empty())
                return refuse((*items)[0], what + ": a middle text must not be empty");
            list.push_back({g.keep(middle), g.keep(bytesOf((*items)[1].as_string()->get()))});
        }
        g.m_weaponNames.push_back(g.keep(std::move(weaponName)));
        g.m_slots.push_back(rules::SlotRules{list});
    }
    if (oneName[0]) {
        if (auto r = readOneName(*oneName[0], "one_name", g.m_suicides))
            return r;
    }
    if (oneName[1]) {
        if (auto r = readOneName(*oneName[1], "one_name_team_kills", g.m_teamKills))
            return r;
    }
    g.m_rules = rules::RuleSet{killerFirst, g.m_slots};
    g.m_oneName = rules::OneNameTable{g.m_suicides, g.m_teamKills};
    g.m_game.weaponNames = g.m_weaponNames;
    g.m_game.rules = &g.m_rules;
    g.m_game.kind = rules::KillSource::ObituaryRules;
    if (!g.m_suicides.empty() || !g.m_teamKills.empty())
        g.m_game.oneName = &g.m_oneName;
    return std::nullopt;
}

std::optional<Refusal> GameFileReader::readOneName(const toml::node& node, std::string_view key,
                                                   std::vector<rules::OneNameMessage>& into) {
    FileGame& g = *m_game;
    const std::string what = "'" + std::string(key) + "'";
    if (!node.is_array())
        return refuse(node, what + " must be a list of texts, or of [leading, trailing] pairs");
    for (const toml::node& item : *node.as_array()) {
        std::string leading, trailing;
        const toml::node* end = &item;
        if (item.is_string()) {
            trailing = bytesOf(item.as_string()->get());
        } else if (const toml::array* pair = item.as_array();
                   pair && pair->size() == 2 && (*pair)[0].is_string() && (*pair)[1].is_string()) {
            leading = bytesOf((*pair)[0].as_string()->get());
            trailing = bytesOf((*pair)[1].as_string()->get());
            end = &(*pair)[1];
        } else {
            return refuse(item, what + ": each message must be a text, or a pair of texts [leading, trailing]");
        }
        if (trailing.empty())
            return refuse(*end, what + ": the text after the name must not be empty");
        into.push_back({g.keep(std::move(leading)), g.keep(std::move(trailing))});
    }
    return std::nullopt;
}

std::optional<Refusal> GameFileReader::readTemplates(const toml::table& root, std::string_view key, bool required,
                                                     std::vector<std::string_view>& into) {
    FileGame& g = *m_game;
    const toml::node* node = root.get(key);
    if (!node) {
        if (required)
            return Refusal{{1, 1}, "lacks the field '" + std::string(key) + "'"};
        return std::nullopt;
    }
    std::vector<const toml::node*> items;
    if (node->is_string())
        items.push_back(node);
    else if (node->is_array()) {
        for (const toml::node& item : *node->as_array())
            items.push_back(&item);
    }
    if (items.empty() && (required || !node->is_array()))
        return refuse(*node, "'" + std::string(key) + "' must be a template in quotes, or a list of them");
    std::size_t number = 0;
    for (const toml::node* item : items) {
        ++number;
        const std::string what = std::string(key) + " template " + std::to_string(number);
        if (!item->is_string())
            return refuse(*item, what + ": must be a text in quotes");
        std::string source = bytesOf(item->as_string()->get());
        if (key == "ignore_if") {
            if (source.empty())
                return refuse(*item, "ignore_if text " + std::to_string(number) + ": must not be empty");
            into.push_back(g.keep(std::move(source)));
            continue;
        }
        const auto compiled = LineTemplate::compile(source, m_prefix);
        if (!compiled)
            return refuse(*item, what + ": " + compiled.error().message);
        if (key == "kill" && (!compiled->has(TemplateField::Killer) || !compiled->has(TemplateField::Victim)))
            return refuse(*item, what + ": must hold {killer} and {victim}");
        if (key == "kill" && compiled->has(TemplateField::Player))
            return refuse(*item, what + ": {player} belongs in suicide templates");
        if (key == "suicide" && !compiled->has(TemplateField::Player))
            return refuse(*item, what + ": must hold {player}");
        if (key == "suicide" && (compiled->has(TemplateField::Killer) || compiled->has(TemplateField::Victim)))
            return refuse(*item, what + ": {killer} and {victim} belong in kill templates");
        into.push_back(g.keep(std::move(source)));
    }
    return std::nullopt;
}

std::optional<Refusal> GameFileReader::readLines(const toml::table& root) {
    FileGame& g = *m_game;
    if (auto r = onlyFields(root, {"fragtide_game", "name", "alias", "kind", "kill", "suicide", "ignore_if",
                                   "weapon_names", "weapons_ignore_case", "prefix"},
                            " in a lines game"))
        return r;
    if (auto r = flag(root, "prefix", m_prefix, false))
        return r;
    bool ignoreCase = false;
    if (auto r = flag(root, "weapons_ignore_case", ignoreCase, false))
        return r;
    if (auto r = readTemplates(root, "kill", true, g.m_kills))
        return r;
    if (auto r = readTemplates(root, "suicide", false, g.m_suicideTemplates))
        return r;
    if (auto r = readTemplates(root, "ignore_if", false, g.m_ignoreIf))
        return r;
    if (const toml::node* names = root.get("weapon_names")) {
        if (!names->is_table())
            return refuse(*names, "'weapon_names' must be a table: { \"word\" = \"name shown\", ... }");
        for (const auto& [word, shown] : *names->as_table()) {
            if (!shown.is_string())
                return refuse(shown, "weapon_names: the name shown for '" + std::string(word.str()) +
                                         "' must be a text in quotes");
            const std::string display = bytesOf(shown.as_string()->get());
            if (word.str().empty() || display.empty())
                return refuse(shown, "weapon_names: neither a word nor its name may be empty");
            g.m_words.push_back({g.keep(bytesOf(word.str())), g.keep(display)});
        }
    }
    g.m_lines = rules::LineTemplates{g.m_kills, g.m_suicideTemplates, g.m_ignoreIf, m_prefix};
    g.m_game.kind = rules::KillSource::TemplateLines;
    g.m_game.lines = &g.m_lines;
    g.m_game.weaponWords = g.m_words;
    g.m_game.weaponWordsIgnoreCase = ignoreCase;
    return std::nullopt;
}

Result<std::shared_ptr<const FileGame>> parseGameFile(std::string_view text, std::string_view fileName) {
    const auto refused = [&](FilePlace place, const std::string& message) {
        return Error{ErrorKind::InvalidInput, std::string(fileName) + ":" + std::to_string(place.line) + ":" +
                                                  std::to_string(place.column) + ": " + message};
    };
    const Prepared prepared = prepare(text);
    if (prepared.refusal)
        return refused(prepared.refusal->first, prepared.refusal->second);
    GameFileReader reader(prepared, fileName);
    try {
        const toml::table root = toml::parse(prepared.text, fileName);
        if (auto refusal = reader.read(root))
            return refused(refusal->place, refusal->message);
    } catch (const toml::parse_error& error) {
        return refused(reader.placeOf(error.source()), "not valid TOML: " + std::string(error.description()));
    } catch (const std::exception& error) {
        return refused({1, 1}, std::string("cannot be read: ") + error.what());
    }
    return reader.take();
}

Result<std::shared_ptr<const FileGame>> readGameFile(const std::filesystem::path& path) {
    const std::string name = path.generic_string();
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return Error{ErrorKind::NotAFile, "'" + name + "' is a folder, not a game file"};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Error{std::filesystem::exists(path, ec) ? ErrorKind::PermissionDenied : ErrorKind::NotFound,
                     "cannot read '" + name + "': " +
                         (std::filesystem::exists(path, ec) ? "permission denied" : "no such file")};
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        return Error{ErrorKind::Io, "cannot read '" + name + "': the system reported a read error"};
    return parseGameFile(bytes.str(), name);
}

}  // namespace fragtide::engine
