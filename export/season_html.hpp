#pragma once

#include <string>

#include "season/season_view.hpp"

// The exported page of a season: the page of its statistics (html_export.hpp), plus the ranking,
// a rating-over-time chart of the top ten, the matches and a table of maps.
namespace fragtide::exports {

std::string seasonHtmlExport(const season::SeasonView& view, const std::string& seasonName);

}  // namespace fragtide::exports
