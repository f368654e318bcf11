#pragma once

#include <string>
#include <string_view>

#include "engine/stats_store.hpp"

// Every player's frags per weapon as CSV, for spreadsheets.
//
// RFC 4180, UTF-8 without a byte-order mark, every line ended by CR LF. The header
// "player,slot,weapon,frags", then for every player in player order, for every slot with a
// positive count in slot order, one row: the player's displayed name, the slot number, the
// weapon's displayed name, the count. A field holding a comma, a double quote, CR or LF is quoted,
// its inner double quotes doubled; no other field is. An analysis without frags is the header alone.
namespace fragtide::exports {

// `text` as one CSV field.
std::string csvField(std::string_view text);

std::string csvExport(const engine::StatsStore& store);

}  // namespace fragtide::exports
