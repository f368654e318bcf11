#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/kill_source.hpp"
#include "engine/name_index.hpp"
#include "engine/readers/weapon_words.hpp"
#include "rules/game.hpp"

// The kill source of a game whose log is written by the server itself and names the weapons
// (rules::KillSource other than ObituaryRules): each line is read by the game's reader into at
// most one event, and every event goes through onEvent, the one place that credits it.
//
// Crediting: a kill adds 1 to its weapon's total and, when the killer's name is not empty, to the
// killer's row (players in order of first credited kill, at most 200; names exact bytes). Team kills
// and suicides credit no frag. Every event also goes to the store's people table (exact names): a
// kill is a frag of its killer and a death of its victim, a team kill a team kill of its killer
// and a death of its victim, a suicide a suicide of its player. Weapon slots come from the log: 1, 2, 3, ... at each weapon's
// first credited kill; the 50th distinct weapon and every later one share slot 50 "Other weapons".
// A word the game's table knows is its display name (words with one display name share a slot);
// any other word is its own weapon, named by its bytes. Pieces merge by weapon, so the result is
// that of one thread reading line by line.
namespace fragtide::engine {

class KillCrediter;
class StatsStore;
class TemplateReader;

enum class LogEventKind : std::uint8_t {
    Kill,      // a frag
    TeamKill,  // two players of one team: not a frag
    Suicide,   // killer is the player who died; victim is empty
};

// One event of a structured log. The views point into the line and die with it.
struct LogEvent {
    LogEventKind kind;
    std::string_view killer;
    std::string_view victim;
    std::string_view weapon;  // as the log wrote it
};

// The name of slot 50 once the log has named 50 weapons or more.
inline constexpr std::string_view kOtherWeapons = "Other weapons";

// The slot whose WeaponKeys entry is `key` in `store`, given now (named `name`) to the next free
// slot when the store has none; slot 50 once the others are taken. How pieces join by weapon, and
// how a kept history is replayed.
int weaponSlotForKey(StatsStore& store, std::string_view key, std::string_view name);

class ServerLogSource : public KillSource {
public:
    explicit ServerLogSource(const rules::Game& game);

    std::uint64_t analyzeLines(StatsStore& store, std::string_view bytes) const override;
    std::optional<SlotMap> prepareMerge(StatsStore& into, const StatsStore& part) const override;

    // The weapon slots: a piece starts with those of the lines before the batch, which the lines
    // before it keep in place and only add to, so that a piece past the 49th weapon can merge.
    bool carriesAcrossPieces() const override { return true; }
    void startAfter(StatsStore& part, const StatsStore& before) const override;

    // The event of one line (no line ending inside), or nothing; always nothing for a log whose
    // events depend on the lines before (Quake III: quake3_log_source.hpp).
    std::optional<LogEvent> readLine(std::string_view line) const;

    // The slot each weapon word already has in one store, for one analyzeLines call: the store's
    // slots only grow during it, so a word keeps its slot and a kill costs one lookup of its word.
    class WordSlots {
    public:
        // The slot of `word` as slotFor gives it in the one store this belongs to.
        int slotOf(const ServerLogSource& source, StatsStore& store, std::string_view word);

    private:
        int slotOfNew(const ServerLogSource& source, StatsStore& store, std::string_view word);

        // Words of up to 16 bytes by their bytes, packed into two words and the size: a kill's
        // word is found with two compares in most logs, before any hash or index. Size 0: free.
        struct Recent {
            std::uint64_t head = 0, tail = 0;
            std::uint32_t size = 0;
            int slot = 0;
        };
        static constexpr std::size_t kRecent = 256;
        std::array<Recent, kRecent> m_recent{};
        NameIndex m_index;
        std::vector<std::string> m_words;  // as the log wrote them: a word in two cases is two words
        std::vector<int> m_slots;
    };

protected:
    // Every event of the log, in file order, on the thread analysing its piece. Credits kills,
    // their weapons' slots found through `seen`, and every event's people through `crediter`
    // (exact names); both belong to `store` and to this run. The caller sets the store's
    // KillerName and VictimName from the last kill.
    virtual void onEvent(StatsStore& store, const LogEvent& event, WordSlots& seen,
                         KillCrediter& crediter) const;

    // The slot of `weapon` in `store`, given at this call when it has none yet (and named).
    int slotFor(StatsStore& store, std::string_view weapon) const;

private:
    const rules::Game& m_game;
    WeaponWords m_words;
    std::shared_ptr<const TemplateReader> m_templates;  // for a game file's templates only
};

}  // namespace fragtide::engine
