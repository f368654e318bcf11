#include "engine/reference/line_template_reference.hpp"

#include <regex>
#include <vector>

namespace fragtide::engine::reference {

std::optional<ReferenceTemplateMatch> matchTemplate(std::string_view text, bool prefix, std::string_view line) {
    if (!LineTemplate::compile(text, prefix))
        return std::nullopt;
    static const std::pair<std::string_view, int> kNames[] = {
        {"killer", 0}, {"victim", 1}, {"weapon", 2}, {"killer_team", 3}, {"victim_team", 4}, {"player", 5},
        {"num", -1}, {"any", -1},
    };
    std::string pattern = prefix ? "^[0-9 :./|\\-\\[\\]]*?" : "^";
    std::vector<int> groups;  // the field of each capture group, -1 for none kept
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((text[i] == '{' || text[i] == '}') && i + 1 < text.size() && text[i + 1] == text[i]) {
            pattern += '\\';
            pattern += text[i++];
            continue;
        }
        if (text[i] == '{') {
            const std::size_t close = text.find('}', i);
            const std::string_view name = text.substr(i + 1, close - i - 1);
            for (const auto& [known, field] : kNames) {
                if (known == name) {
                    pattern += name == "num" ? "(-?[0-9]+?)" : "([\\s\\S]*?)";
                    groups.push_back(field);
                }
            }
            i = close;
            continue;
        }
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9')) {
            pattern += text[i];
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", byte);
            pattern += hex;
        }
    }
    pattern += '$';
    const std::regex re(pattern);
    std::match_results<std::string_view::const_iterator> m;
    if (!std::regex_match(line.begin(), line.end(), m, re))
        return std::nullopt;
    ReferenceTemplateMatch out;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (groups[g] >= 0)
            out.fields[groups[g]] = m[g + 1].str();
    }
    return out;
}

}  // namespace fragtide::engine::reference
