#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.hpp"
#include "rules/game.hpp"

// Games that users write: a game file is TOML (docs/game-files.md) holding either a console rule
// set ("obituaries", what the built-in console games are) or line templates of a server log
// ("lines"). Reading one gives the same rules::Game the built-in games are, with storage of its
// own, so every matcher and reader runs it as it runs those.
//
// Strings of a game file are the log's bytes as written; \xHH in a "..." string stands for the
// byte HH (for texts that are not UTF-8). Nothing is ever written into a game file.
namespace fragtide::engine {

// A place in a game file, both counted from 1.
struct FilePlace {
    std::uint32_t line = 1;
    std::uint32_t column = 1;
};

// A game read from a game file: its definition, and the texts and tables its views point into.
// Neither copied nor moved, so those views stay valid as long as the object lives. Immutable;
// safe to share between threads.
class FileGame {
public:
    const rules::Game& game() const { return m_game; }
    const std::string& fileName() const { return m_fileName; }  // as given to the reader
    FilePlace namePlace() const { return m_namePlace; }
    FilePlace aliasPlace() const { return m_aliasPlace; }

    FileGame(const FileGame&) = delete;
    FileGame& operator=(const FileGame&) = delete;

private:
    friend class GameFileReader;
    FileGame() = default;

    std::string_view keep(std::string text) { return m_texts.emplace_back(std::move(text)); }

    std::string m_fileName;
    FilePlace m_namePlace, m_aliasPlace;
    std::deque<std::string> m_texts;  // a deque: adding a text moves none of the others
    std::vector<std::string_view> m_weaponNames;
    std::deque<std::vector<rules::ObituaryRule>> m_ruleLists;
    std::vector<rules::SlotRules> m_slots;
    rules::RuleSet m_rules{};
    std::vector<rules::OneNameMessage> m_suicides, m_teamKills;
    rules::OneNameTable m_oneName{};
    std::vector<rules::Champion> m_champions;
    std::vector<std::string_view> m_kills, m_suicideTemplates, m_ignoreIf;
    rules::LineTemplates m_lines{};
    std::vector<rules::WeaponWord> m_words;
    rules::Game m_game{};
};

// The game of a game file's `text`. `fileName` is how messages name the file. A refusal is
// InvalidInput with the message "<fileName>:<line>:<column>: <what is wrong>", the place being
// that of the value at fault (1:1 for what the whole file lacks).
[[nodiscard]] Result<std::shared_ptr<const FileGame>> parseGameFile(std::string_view text, std::string_view fileName);

// The game file at `path`, named in messages by `path` as given; a file that cannot be read is
// refused with the reason.
[[nodiscard]] Result<std::shared_ptr<const FileGame>> readGameFile(const std::filesystem::path& path);

// `game` written as a game file that reads back to the identical definition. For an obituary
// game; for any other kind the result says it cannot be written.
[[nodiscard]] Result<std::string> gameFileText(const rules::Game& game);

}  // namespace fragtide::engine
