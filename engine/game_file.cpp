#include "engine/game_file.hpp"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <utility>

#include <toml++/toml.h>

#include "engine/game_file_text.hpp"
#include "engine/readers/line_template.hpp"
#include "engine/stats_store.hpp"

namespace fragtide::engine {
namespace {

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
    std::optional<Refusal> readChampions(const toml::node& node);
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
    std::string description;  // what the game reads, shown under Game Select's list
    if (auto r = text(root, "description", description, false))
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
    g.m_game.description = g.keep(std::move(description));
    if (kind == "obituaries")
        return readObituaries(root);
    if (kind == "lines")
        return readLines(root);
    return refuse(*root.get("kind"), "kind must be \"obituaries\" or \"lines\"");
}

std::optional<Refusal> GameFileReader::readObituaries(const toml::table& root) {
    FileGame& g = *m_game;
    if (auto r = onlyFields(root, {"fragtide_game", "name", "alias", "kind", "description", "killer_first", "weapon", "one_name",
                                   "one_name_team_kills", "champions"},
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
    const toml::node* champions = root.get("champions");
    std::size_t number = 0;
    for (const toml::node& node : *weapons->as_array()) {
        ++number;
        if (number > static_cast<std::size_t>(kMaxSlot))
            return refuse(node, "more than " + std::to_string(kMaxSlot) + " weapons");
        const toml::table& weapon = *node.as_table();
        const std::string where = " in weapon " + std::to_string(number);
        if (auto r = onlyFields(weapon, {"name", "rules", "one_name", "one_name_team_kills", "champions"}, where))
            return r;
        if (const toml::node* given = weapon.get("champions")) {
            if (champions)
                return refuse(*given, "'champions' is given twice");
            champions = given;
        }
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
    if (champions) {
        if (auto r = readChampions(*champions))
            return r;
    }
    g.m_rules = rules::RuleSet{killerFirst, g.m_slots};
    g.m_oneName = rules::OneNameTable{g.m_suicides, g.m_teamKills};
    g.m_game.weaponNames = g.m_weaponNames;
    g.m_game.rules = &g.m_rules;
    g.m_game.kind = rules::KillSource::ObituaryRules;
    if (!g.m_suicides.empty() || !g.m_teamKills.empty())
        g.m_game.oneName = &g.m_oneName;
    g.m_game.champions = g.m_champions;
    return std::nullopt;
}

std::optional<Refusal> GameFileReader::readChampions(const toml::node& node) {
    FileGame& g = *m_game;
    const std::string what = "'champions' must be a list of [slot, opening, closing]";
    if (!node.is_array())
        return refuse(node, what);
    for (const toml::node& item : *node.as_array()) {
        const toml::array* parts = item.as_array();
        if (!parts || parts->size() != 3 || !(*parts)[0].is_integer() || !(*parts)[1].is_string() ||
            !(*parts)[2].is_string())
            return refuse(item, what);
        const std::int64_t slot = (*parts)[0].as_integer()->get();
        if (slot < 1 || slot > static_cast<std::int64_t>(g.m_weaponNames.size()))
            return refuse((*parts)[0], "a champion's slot must name one of the game's weapons, 1 to " +
                                           std::to_string(g.m_weaponNames.size()));
        g.m_champions.push_back({static_cast<int>(slot), g.keep(bytesOf((*parts)[1].as_string()->get())),
                                 g.keep(bytesOf((*parts)[2].as_string()->get()))});
    }
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
    if (auto r = onlyFields(root, {"fragtide_game", "name", "alias", "kind", "description", "kill", "suicide", "ignore_if",
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
