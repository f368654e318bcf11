#include "engine/readers/line_template.hpp"

#include <cstring>

namespace fragtide::engine {
namespace {

struct Placeholder {
    std::string_view name;
    int field;  // TemplateField, or -1
    bool number;
};

constexpr Placeholder kPlaceholders[] = {
    {"killer", static_cast<int>(TemplateField::Killer), false},
    {"victim", static_cast<int>(TemplateField::Victim), false},
    {"weapon", static_cast<int>(TemplateField::Weapon), false},
    {"killer_team", static_cast<int>(TemplateField::KillerTeam), false},
    {"victim_team", static_cast<int>(TemplateField::VictimTeam), false},
    {"player", static_cast<int>(TemplateField::Player), false},
    {"num", -1, true},
    {"any", -1, false},
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isPrefixByte(char c) { return isDigit(c) || (c != '\0' && std::strchr(" :./|-[]", c) != nullptr); }

Error templateError(std::string message) { return {ErrorKind::InvalidInput, std::move(message)}; }

}  // namespace

// What one match has learned. A placeholder of text that failed from `pos` fails from any later
// position too (it could take every text the later one could), and a number that failed from the
// first digit `pos` fails from any digit after it in that run: so each part scans each byte of the
// line about once, and nothing is tried twice.
struct LineTemplate::Run {
    std::string_view line;
    std::array<std::size_t, kMaxParts> failedFrom;      // Text: fails from here on; Num: see step
    std::array<std::size_t, kMaxParts> numEnd;          // Num: the end of failedFrom's run of digits
    std::array<std::size_t, kMaxParts> begin, end;      // each part's cut, set on success
};

Result<LineTemplate> LineTemplate::compile(std::string_view text, bool prefix) {
    LineTemplate t;
    if (prefix)
        t.m_parts.push_back({Kind::Prefix, -1, {}});
    const auto literal = [&t]() -> std::string& {
        if (t.m_parts.empty() || t.m_parts.back().kind != Kind::Literal)
            t.m_parts.push_back({Kind::Literal, -1, {}});
        return t.m_parts.back().literal;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c == '{' || c == '}') && i + 1 < text.size() && text[i + 1] == c) {
            literal() += c;
            ++i;
            continue;
        }
        if (c == '}')
            return templateError("a lone '}' at byte " + std::to_string(i + 1) + "; write }} for a brace");
        if (c != '{') {
            literal() += c;
            continue;
        }
        const std::size_t close = text.find('}', i);
        if (close == std::string_view::npos)
            return templateError("a '{' at byte " + std::to_string(i + 1) + " opens no placeholder; write {{ for a brace");
        const std::string_view name = text.substr(i + 1, close - i - 1);
        const Placeholder* found = nullptr;
        for (const Placeholder& p : kPlaceholders) {
            if (p.name == name)
                found = &p;
        }
        if (!found)
            return templateError("unknown placeholder {" + std::string(name) +
                                 "}; use {killer}, {victim}, {weapon}, {killer_team}, {victim_team}, {player}, "
                                 "{num} or {any}");
        if (found->field >= 0) {
            bool& has = t.m_has[static_cast<std::size_t>(found->field)];
            if (has)
                return templateError("{" + std::string(name) + "} appears twice");
            has = true;
        }
        t.m_parts.push_back({found->number ? Kind::Num : Kind::Text, static_cast<std::int8_t>(found->field), {}});
        i = close;
    }
    if (t.m_parts.size() > kMaxParts)
        return templateError("more than " + std::to_string(kMaxParts) + " parts (texts and placeholders)");
    for (std::size_t i = 0; i < t.m_parts.size(); ++i) {
        if (t.m_parts[i].kind == Kind::Literal &&
            (t.m_longestPart >= t.m_parts.size() ||
             t.m_parts[i].literal.size() > t.m_parts[t.m_longestPart].literal.size()))
            t.m_longestPart = i;
    }
    return t;
}

bool LineTemplate::step(Run& run, std::size_t part, std::size_t pos) const {
    const std::string_view line = run.line;
    const std::size_t n = line.size();
    if (part == m_parts.size())
        return pos == n;
    const Part& p = m_parts[part];
    run.begin[part] = pos;
    switch (p.kind) {
    case Kind::Literal: {
        const std::size_t len = p.literal.size();
        if (n - pos < len || std::memcmp(line.data() + pos, p.literal.data(), len) != 0)
            return false;
        run.end[part] = pos + len;
        return step(run, part + 1, pos + len);
    }
    case Kind::Text: {
        std::size_t& failed = run.failedFrom[part];
        // Shortest first. Ends from `failed` on were all tried by the call that failed there.
        const std::size_t stop = std::min(n + 1, failed);
        const Part* next = part + 1 < m_parts.size() ? &m_parts[part + 1] : nullptr;
        for (std::size_t q = pos; q < stop; ++q) {
            if (next && next->kind == Kind::Literal) {
                // Only where the next text starts can the rest match: skip to its first byte.
                const void* at = std::memchr(line.data() + q, next->literal[0], n - q);
                if (!at)
                    break;
                q = static_cast<std::size_t>(static_cast<const char*>(at) - line.data());
                if (q >= stop)
                    break;
            }
            if (step(run, part + 1, q)) {
                run.begin[part] = pos;
                run.end[part] = q;
                return true;
            }
        }
        failed = std::min(failed, pos);
        return false;
    }
    case Kind::Num: {
        std::size_t first = pos;
        if (first < n && line[first] == '-')
            ++first;
        if (first >= n || !isDigit(line[first]))
            return false;
        // A number that failed from its first digit `ff` tried every end up to the run's end `fe`:
        // a start inside that run fails, and an earlier start in it stops where `ff` began.
        std::size_t& ff = run.failedFrom[part];
        std::size_t& fe = run.numEnd[part];
        if (ff <= first && first < fe)
            return false;
        std::size_t runEnd = first;
        for (std::size_t q = first + 1;; ++q) {
            if (q > n || !isDigit(line[q - 1])) {
                runEnd = q - 1;
                break;
            }
            if (first < ff && q == ff + 1) {
                runEnd = fe;
                break;
            }
            if (step(run, part + 1, q)) {
                run.begin[part] = pos;
                run.end[part] = q;
                return true;
            }
        }
        ff = first;
        fe = runEnd;
        return false;
    }
    case Kind::Prefix:
        for (std::size_t q = pos;; ++q) {
            if (step(run, part + 1, q)) {
                run.end[part] = q;
                return true;
            }
            if (q >= n || !isPrefixByte(line[q]))
                return false;
        }
    }
    return false;
}

std::optional<TemplateMatch> LineTemplate::match(std::string_view line) const {
    // A line without the longest text cannot match; when the template opens with a text, the first
    // step's comparison is the cheaper test.
    if (!m_parts.empty() && m_parts[0].kind != Kind::Literal && !longestLiteral().empty() &&
        line.find(longestLiteral()) == std::string_view::npos)
        return std::nullopt;
    Run run;
    run.line = line;
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        run.failedFrom[i] = line.size() + 1;  // nothing failed yet
        run.numEnd[i] = 0;
    }
    if (!step(run, 0, 0))
        return std::nullopt;
    TemplateMatch match;
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        if (m_parts[i].field >= 0)
            match.fields[static_cast<std::size_t>(m_parts[i].field)] =
                line.substr(run.begin[i], run.end[i] - run.begin[i]);
    }
    return match;
}

}  // namespace fragtide::engine
