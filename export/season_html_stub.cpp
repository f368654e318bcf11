// Stands in for the season page until its own file lands: the page of the season's statistics.
// Remove this file (and its line in CMakeLists.txt) when export/season_html.cpp is merged.
#include "export/season_html.hpp"

#include "export/html_export.hpp"

namespace fragtide::exports {

std::string seasonHtmlExport(const season::SeasonView& view, const std::string& /*seasonName*/) {
    return htmlExport(view.store, {});
}

}  // namespace fragtide::exports
