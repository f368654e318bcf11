#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The pieces every exported page is made of (html_export.hpp, season_html.hpp): its head with the
// one style sheet, its foot, and the escaped cells and tables between. Every count is written one
// way, every text from a log is decoded and escaped (html_text.hpp). Thread-safe.
namespace fragtide::exports::html {

// `<name class="cls">body</name>`; `body` is HTML already.
std::string tag(std::string_view name, std::string_view body, std::string_view cls = {});
// Display text, escaped.
std::string text(std::string_view s);
// A count grouped by thousands, as the window's hint groups it.
std::string count(std::int64_t n);
// A name from the log in a cell that may wrap anywhere: a long name without spaces must never push
// the numbers beside it out of view.
std::string nameCell(std::string_view logBytes);
// A table: the head row, then rows of cells already escaped; `numeric` marks right-aligned columns.
std::string table(const std::vector<std::string_view>& head, const std::vector<bool>& numeric,
                  const std::vector<std::vector<std::string>>& rows);

// The page up to and including <body>: `titleHtml` (escaped) as its title, the shared style
// sheet, then `extraStyle` (a <style> element of the page's own, or nothing).
std::string pageStart(std::string_view titleHtml, std::string_view extraStyle);
// From the end of <main> to the end of the page.
std::string pageEnd();

}  // namespace fragtide::exports::html
