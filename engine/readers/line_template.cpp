#include "engine/readers/line_template.hpp"

#include <algorithm>
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

constexpr auto kPrefixBytes = [] {
    std::array<bool, 256> table{};
    for (const char c : std::string_view("0123456789 :./|-[]"))
        table[static_cast<unsigned char>(c)] = true;
    return table;
}();

bool isPrefixByte(char c) { return kPrefixBytes[static_cast<unsigned char>(c)]; }

Error templateError(std::string message) { return {ErrorKind::InvalidInput, std::move(message)}; }

}  // namespace

// What one match has learned. A placeholder of text that failed from `pos` fails from any later
// position too (it could take every text the later one could), and a number that failed from the
// first digit `pos` fails from any digit after it in that run: so each part scans each byte of the
// line about once, and nothing is tried twice.
// Positions are 32 bits (a line is far shorter than 4 GiB), to keep the state in a few cache lines.
struct LineTemplate::Run {
    std::string_view line;
    std::array<std::uint32_t, kMaxParts> failedFrom;  // Text: fails from here on; Num: see step
    std::array<std::uint32_t, kMaxParts> numEnd;      // Num: the end of failedFrom's run of digits
    std::array<std::uint32_t, kMaxParts> begin, end;  // each part's cut, set on success
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
        if (t.m_parts[i].field >= 0)
            t.m_captures.emplace_back(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(t.m_parts[i].field));
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
    run.begin[part] = static_cast<std::uint32_t>(pos);
    switch (p.kind) {
    case Kind::Literal: {
        const std::size_t len = p.literal.size();
        // Most literals are a separator or two: the first byte decides before any call.
        if (n - pos < len || line[pos] != p.literal[0] ||
            (len > 1 && std::memcmp(line.data() + pos + 1, p.literal.data() + 1, len - 1) != 0))
            return false;
        run.end[part] = static_cast<std::uint32_t>(pos + len);
        return step(run, part + 1, pos + len);
    }
    case Kind::Text: {
        std::uint32_t& failed = run.failedFrom[part];
        // Shortest first. Ends from `failed` on were all tried by the call that failed there.
        const std::size_t stop = std::min<std::size_t>(n + 1, failed);
        const Part* next = part + 1 < m_parts.size() ? &m_parts[part + 1] : nullptr;
        // Last, or before the last text, only one end can let the line match: take it at once.
        if (!next || (next->kind == Kind::Literal && part + 2 == m_parts.size())) {
            const std::size_t tail = next ? next->literal.size() : 0;
            if (n - pos >= tail && n - tail < stop && step(run, part + 1, n - tail)) {
                run.begin[part] = static_cast<std::uint32_t>(pos);
                run.end[part] = static_cast<std::uint32_t>(n - tail);
                return true;
            }
            failed = std::min<std::uint32_t>(failed, static_cast<std::uint32_t>(pos));
            return false;
        }
        for (std::size_t q = pos; q < stop; ++q) {
            if (next && next->kind == Kind::Literal) {
                // Only where the next text starts can the rest match: skip to its first byte. Fields
                // are short, so a plain loop first; memchr for what is left of a long one.
                const char want = next->literal[0];
                const std::size_t near = std::min(n, q + 32);
                while (q < near && line[q] != want)
                    ++q;
                if (q == near) {
                    const void* at = q < n ? std::memchr(line.data() + q, want, n - q) : nullptr;
                    if (!at)
                        break;
                    q = static_cast<std::size_t>(static_cast<const char*>(at) - line.data());
                }
                if (q >= stop)
                    break;
            }
            if (step(run, part + 1, q)) {
                run.begin[part] = static_cast<std::uint32_t>(pos);
                run.end[part] = static_cast<std::uint32_t>(q);
                return true;
            }
        }
        failed = std::min<std::uint32_t>(failed, static_cast<std::uint32_t>(pos));
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
        std::uint32_t& ff = run.failedFrom[part];
        std::uint32_t& fe = run.numEnd[part];
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
                run.begin[part] = static_cast<std::uint32_t>(pos);
                run.end[part] = static_cast<std::uint32_t>(q);
                return true;
            }
        }
        ff = static_cast<std::uint32_t>(first);
        fe = static_cast<std::uint32_t>(runEnd);
        return false;
    }
    case Kind::Prefix:
        for (std::size_t q = pos;; ++q) {
            if (step(run, part + 1, q)) {
                run.end[part] = static_cast<std::uint32_t>(q);
                return true;
            }
            if (q >= n || !isPrefixByte(line[q]))
                return false;
        }
    }
    return false;
}

bool LineTemplate::firstPath(Run& run) const {
    const std::string_view line = run.line;
    const std::size_t n = line.size();
    // Literals are mostly a separator or two: compare the first byte inline, call only for more.
    const auto literalAt = [&](const std::string& literal, std::size_t at) {
        const std::size_t len = literal.size();
        return n - at >= len && line[at] == literal[0] &&
               (len == 1 || std::memcmp(line.data() + at + 1, literal.data() + 1, len - 1) == 0);
    };
    const auto findLiteral = [&](const std::string& literal, std::size_t from) {
        for (std::size_t at = from; at < n; ++at) {
            if (line[at] == literal[0] && literalAt(literal, at))
                return at;
        }
        return std::string_view::npos;
    };
    std::size_t pos = 0;
    for (std::size_t part = 0; part < m_parts.size(); ++part) {
        const Part& p = m_parts[part];
        const Part* next = part + 1 < m_parts.size() ? &m_parts[part + 1] : nullptr;
        const bool nextIsLast = part + 2 == m_parts.size();
        std::size_t q = pos;
        switch (p.kind) {
        case Kind::Literal:
            if (!literalAt(p.literal, pos))
                return false;
            q = pos + p.literal.size();
            break;
        case Kind::Text:
            if (!next) {
                q = n;
            } else if (next->kind == Kind::Literal && nextIsLast) {
                if (n - pos < next->literal.size())
                    return false;
                q = n - next->literal.size();
            } else if (next->kind == Kind::Literal) {
                q = findLiteral(next->literal, pos);
                if (q == std::string_view::npos)
                    return false;
            }
            break;
        case Kind::Num:
        case Kind::Prefix: {
            const bool number = p.kind == Kind::Num;
            if (number && q < n && line[q] == '-')
                ++q;
            if (number && (q >= n || !isDigit(line[q])))
                return false;
            if (number)
                ++q;
            // The shortest run after which the next part can start.
            if (!next) {
                while (q < n && (number ? isDigit(line[q]) : isPrefixByte(line[q])))
                    ++q;
                if (q != n)
                    return false;
            } else if (next->kind == Kind::Literal) {
                while (!literalAt(next->literal, q)) {
                    if (q >= n || !(number ? isDigit(line[q]) : isPrefixByte(line[q])))
                        return false;
                    ++q;
                }
            }
            break;
        }
        }
        run.begin[part] = static_cast<std::uint32_t>(pos);
        run.end[part] = static_cast<std::uint32_t>(q);
        pos = q;
    }
    return pos == n;
}

std::optional<TemplateMatch> LineTemplate::match(std::string_view line) const {
    // A line without the longest text cannot match; when the template opens with a text (after the
    // prefix), the first steps' comparison is the cheaper test.
    const bool opensWithText = !m_parts.empty() && (m_parts[0].kind == Kind::Literal ||
                                                    (m_parts[0].kind == Kind::Prefix && m_parts.size() > 1 &&
                                                     m_parts[1].kind == Kind::Literal));
    if (!opensWithText && !longestLiteral().empty() && line.find(longestLiteral()) == std::string_view::npos)
        return std::nullopt;
    if (line.size() >= 0xFFFFFFFFu)
        return std::nullopt;  // longer than any line the reader hands out
    Run run;
    run.line = line;
    // Most lines that match do so on the path the search tries first: walk it without the search's
    // bookkeeping, and search only when it fails.
    if (!firstPath(run)) {
        // numEnd is read only once failedFrom has been set.
        std::fill_n(run.failedFrom.begin(), m_parts.size(), static_cast<std::uint32_t>(line.size() + 1));
        if (!step(run, 0, 0))
            return std::nullopt;
    }
    TemplateMatch match;
    for (const auto& [part, field] : m_captures)
        match.fields[field] = line.substr(run.begin[part], run.end[part] - run.begin[part]);
    return match;
}

}  // namespace fragtide::engine
