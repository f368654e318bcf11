#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "engine/store_merge.hpp"

// One game's way of finding kills in the lines of a log, as the batch reader drives it
// (log_analysis.hpp): obituary rule sets today, readers of structured server logs beside them.
//
// The reader cuts a log into pieces of whole lines, has each piece analysed into a store of its
// own on some thread, and merges the pieces in file order. A source is built once per analysis,
// must outlive it, and is used from several threads at once: analyzeLines and mergePart must not
// change the source.
namespace fragtide::rules {
struct Game;
}

namespace fragtide::engine {

class KillSource {
public:
    virtual ~KillSource() = default;

    // Credits the kills of every line of `bytes` into `store`; CR, LF and CR LF end lines, and a
    // last line without an ending counts. Returns the number of lines. The names of the last kill
    // end up in KillerName and VictimName, as if the lines had been analysed one by one.
    virtual std::uint64_t analyzeLines(StatsStore& store, std::string_view bytes) const = 0;

    // Adds `part`, counted from an empty store over the lines that come right after those counted
    // into `into`, exactly as if they had been counted into `into`. Returns false, leaving `into`
    // alone, when that cannot be exact; the reader then analyses those lines into `into` itself.
    bool mergePart(StatsStore& into, const StatsStore& part) const;
    // mergePart's first step: what carries across pieces (weapon slots, teams) joins `into`, and
    // the slot of `into` each of part's slots counts in is returned; the counts then merge as
    // store_merge.hpp merges them. Nothing, with `into` left alone, when the merge cannot be exact.
    // The default suits sources whose weapon slots are fixed by the game.
    virtual std::optional<SlotMap> prepareMerge(StatsStore& into, const StatsStore& part) const;

    // For a source whose counts depend on what lines far before a piece said (Quake III's teams),
    // so that every piece can be merged rather than read again in order. Before the pieces after
    // the first are analysed, the reader hands each one's empty store and the piece before it to
    // noteCarried (several at once), then, in file order, calls startAfter with the store of the
    // lines before: the batch's own store for the second piece, the part before for every later
    // one. Neither counts anything. The defaults carry nothing.
    virtual bool carriesAcrossPieces() const { return false; }
    // Notes in `part` what the lines of `before` leave for the lines after them.
    virtual void noteCarried(StatsStore& part, std::string_view before) const;
    // Adds to `part` what `before` holds and `part`'s noted lines did not change.
    virtual void startAfter(StatsStore& part, const StatsStore& before) const;
};

// The kill source of `game`: its obituary rules, or the reader of its log; for nullptr, a source
// that credits nothing.
std::unique_ptr<KillSource> makeKillSource(const rules::Game* game);

}  // namespace fragtide::engine
