#include "export/html_page.hpp"

#include "common/thousands.hpp"
#include "export/export_texts.hpp"
#include "export/html_text.hpp"

namespace fragtide::exports::html {
namespace {

// Charts are drawn at their own width (svg_chart.hpp) and never scaled up: their 12 px labels stay
// 12 px at 1280 px, and a chart shares a row with its table only where that keeps them above 11 px.
// Print packs the page (a 22-player season fits five A4 pages): charts a little smaller and beside
// their tables, cards in four columns, no section forced whole onto a new page; a pixel either side
// keeps the right-hand borders, which Chromium's print otherwise clips at the page's edge.
constexpr std::string_view kStyle = R"(<style>
:root{color-scheme:light dark;--bg:#f6f7fb;--fg:#1c2230;--muted:#5d6678;--line:#d8dce6;--card:#fff;--head:#eceff6;--accent:#c2410c;--s0:#e0611f;--s1:#2f6fdb}
@media (prefers-color-scheme:dark){:root{--bg:#11141b;--fg:#e5e8ef;--muted:#9aa3b6;--line:#2d3444;--card:#191e28;--head:#232a39;--accent:#fb8a4b;--s0:#fb8a4b;--s1:#6ea2ff}}
*{box-sizing:border-box}
body{margin:0;background:var(--bg);color:var(--fg);font:15px/1.45 system-ui,"Segoe UI",Roboto,"Noto Sans","DejaVu Sans",sans-serif}
header{padding:26px 32px 18px;border-bottom:4px solid var(--accent);background:var(--card)}
header h1{margin:0 0 6px;font-size:28px;letter-spacing:.01em}
header p{margin:2px 0}
main{max-width:1080px;margin:0 auto;padding:4px 32px 28px}
section{margin-top:30px}
h2{font-size:20px;margin:0 0 10px;padding-bottom:4px;border-bottom:2px solid var(--line)}
h3{font-size:15px;margin:0 0 6px}
.muted{color:var(--muted)}
.name{overflow-wrap:anywhere}
.note{font-weight:400;font-size:13px;color:var(--muted);margin:0 0 10px}
figcaption .note{display:block;margin:0}
.pair{display:grid;grid-template-columns:minmax(0,1fr) minmax(0,1fr);gap:18px;align-items:start}
@media (max-width:1000px){.pair{grid-template-columns:1fr}}
figure{margin:0;background:var(--card);border:1px solid var(--line);border-radius:8px;padding:10px 12px;width:fit-content;max-width:100%}
figcaption{font-weight:600;margin-bottom:6px}
svg.chart{display:block;max-width:100%;height:auto}
svg.chart text{fill:currentColor;font-size:12px}
svg.chart text.value{fill:var(--muted)}
.s0{fill:var(--s0)}.s1{fill:var(--s1)}
.table-wrap{overflow-x:auto}
figure+.table-wrap{margin-top:14px}
.pair>figure+.table-wrap{margin-top:0}
table{border-collapse:collapse;background:var(--card);border:1px solid var(--line);border-radius:8px;width:100%}
th,td{padding:5px 10px;border-bottom:1px solid var(--line);text-align:left;vertical-align:top}
thead th{background:var(--head);font-weight:600}
.n{text-align:right;font-variant-numeric:tabular-nums;white-space:nowrap}
th.n{white-space:normal}
tbody tr:last-child td{border-bottom:0}
.cards{display:grid;grid-template-columns:repeat(auto-fill,minmax(240px,1fr));gap:14px}
.card{background:var(--card);border:1px solid var(--line);border-radius:8px;padding:10px 12px}
.card table{border:0}
.card th,.card td{padding:4px 6px}
.motm{font-size:16px;margin:12px 0 0}
footer{max-width:1080px;margin:0 auto;padding:12px 32px 28px;font-size:13px}
@media print{
@page{size:A4;margin:12mm}
:root{--bg:#fff;--fg:#000;--muted:#333;--line:#999;--card:#fff;--head:#e8e8e8;--accent:#000;--s0:#444;--s1:#aaa}
body{font-size:9pt;line-height:1.3;padding:0 1px}
header{padding:0 0 6px;border-bottom-width:2px}
header h1{font-size:16pt;margin:0 0 2px}
header,main,footer{padding-left:0;padding-right:0;max-width:none}
section{margin-top:14px}
h2{font-size:12pt;margin-bottom:6px;break-after:avoid}
h3{font-size:9pt;margin-bottom:2px}
.note{font-size:8pt;margin-bottom:4px}
figure,.card,tr,.motm{break-inside:avoid}
figure{padding:4px 6px;border-radius:0}
.pair{grid-template-columns:auto minmax(0,1fr);gap:10px}
svg.chart{width:380px}
.table-wrap{overflow:visible}
th,td{padding:1px 6px}
.cards{grid-template-columns:repeat(4,minmax(0,1fr));gap:6px}
.card{padding:4px 6px;border-radius:0;font-size:8pt}
.card th,.card td{padding:1px 3px}
.motm{font-size:10pt;margin-top:6px}
footer{padding:6px 0 0}
}
</style>
)";

}  // namespace

std::string tag(std::string_view name, std::string_view body, std::string_view cls) {
    std::string out = "<" + std::string(name);
    if (!cls.empty())
        out += " class=\"" + std::string(cls) + "\"";
    return out + ">" + std::string(body) + "</" + std::string(name) + ">";
}

std::string text(std::string_view s) { return htmlText(s); }

std::string count(std::int64_t n) { return withThousands(n); }

std::string nameCell(std::string_view logBytes) { return "<span class=\"name\">" + htmlFromLog(logBytes) + "</span>"; }

std::string table(const std::vector<std::string_view>& head, const std::vector<bool>& numeric,
                  const std::vector<std::vector<std::string>>& rows) {
    std::string out = "<div class=\"table-wrap\"><table>\n<thead><tr>";
    for (std::size_t i = 0; i < head.size(); ++i)
        out += tag("th", text(head[i]), numeric[i] ? "n" : "");
    out += "</tr></thead>\n<tbody>\n";
    for (const auto& row : rows) {
        out += "<tr>";
        for (std::size_t i = 0; i < row.size(); ++i)
            out += tag("td", row[i], numeric[i] ? "n" : "");
        out += "</tr>\n";
    }
    return out + "</tbody></table></div>\n";
}

std::string pageStart(std::string_view titleHtml, std::string_view extraStyle) {
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                      "<meta name=\"color-scheme\" content=\"light dark\">\n";
    out += "<title>" + std::string(titleHtml) + "</title>\n";
    out += kStyle;
    out += extraStyle;
    return out + "</head>\n<body>\n";
}

std::string pageEnd() {
    return "</main>\n<footer class=\"muted\">" + text(texts::kMadeBy) + "</footer>\n</body>\n</html>\n";
}

}  // namespace fragtide::exports::html
