#include "engine/reference/reference_matcher.hpp"

#include <algorithm>

namespace fragtide::engine::reference {

int referenceMatch(ReferenceStore& store, std::string_view line, std::string_view middle,
                   std::string_view trailing, int killerFirst) {
    const std::size_t n = line.size(), m = middle.size(), t = trailing.size();
    const bool trailingHolds = t == 0 || (t <= n && line.substr(n - t) == trailing);
    int result = 0;
    std::string killer, victim;
    for (std::size_t p = 1; p <= n; ++p) {
        if (p - 1 + m > n || line.substr(p - 1, m) != middle || !trailingHolds)
            continue;
        const std::string_view head = line.substr(0, p);
        const std::string_view tail = line.substr(p - 1 + m);
        if (tail.size() < t)
            return 0;  // the occurrence runs into the trailing text: no match, no names
        const std::string_view farName = tail.substr(0, tail.size() - t);
        if (killerFirst != 0)
            killer = head, victim = farName;
        else
            victim = head, killer = farName;
        result = 1;
    }
    if (result) {
        store.killerName = killer;
        store.victimName = victim;
    }
    return result;
}

namespace {

std::string trimSpaces(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ')
        ++b;
    while (e > b && s[e - 1] == ' ')
        --e;
    return s.substr(b, e - b);
}

std::string stripPossessive(std::string s) {
    if (s.size() >= 2 && s[s.size() - 2] == '\'' && s[s.size() - 1] == 's')
        s.resize(s.size() - 2);
    return s;
}

}  // namespace

void referenceRecordKill(ReferenceStore& store, std::int64_t count, int slot) {
    if (count <= 0)
        return;
    store.weaponFrags[slot] += 1;
    store.victimName = stripPossessive(trimSpaces(store.victimName));
    store.killerName = stripPossessive(trimSpaces(store.killerName));
    if (store.killerName.empty())
        return;
    for (std::size_t i = 1; i < store.playerNames.size(); ++i) {
        if (store.playerNames[i] == store.killerName) {
            store.playerWeaponFrags[i][slot] += 1;
            return;
        }
    }
    store.playerNames.push_back(store.killerName);
    store.playerWeaponFrags.emplace_back();
    store.playerWeaponFrags.back()[slot] = 1;
}

void referenceAnalyzeLine(ReferenceStore& store, const rules::RuleSet* rules, std::string_view line) {
    // 25 slots, as the built-in games have at most; a game file's may have up to 50.
    const int slots = std::max(25, rules ? static_cast<int>(rules->slots.size()) : 0);
    for (int slot = 1; slot <= slots; ++slot) {
        std::int64_t count = 0;
        if (rules && slot <= static_cast<int>(rules->slots.size())) {
            for (const auto& rule : rules->slots[slot - 1].rules)
                count += referenceMatch(store, line, rule.middle, rule.trailing, rules->killerFirst);
        }
        referenceRecordKill(store, count, slot);
    }
}

std::vector<std::string> referenceLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            open = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            line += c;
            open = true;
        }
    }
    if (open)
        lines.push_back(line);
    return lines;
}

std::uint64_t referenceAnalyze(ReferenceStore& store, const rules::RuleSet* rules,
                               std::string_view bytes) {
    const std::vector<std::string> lines = referenceLines(bytes);
    for (const std::string& line : lines)
        referenceAnalyzeLine(store, rules, line);
    return lines.size();
}

}  // namespace fragtide::engine::reference
