#include "engine/reference/quake3_log_reference.hpp"

#include <regex>
#include <vector>

namespace fragtide::reference {
namespace {

const std::regex& killForm() {
    static const std::regex form(R"re(^[0-9 :.|]*Kill:((?: -?\d+){3,}): (.*?) killed (.*) by ([^\s|]+)(.*)$)re");
    return form;
}

const std::regex& userinfoForm() {
    static const std::regex form(R"re(^[0-9 :.|]*ClientUserinfoChanged: (-?\d+) (.*)$)re");
    return form;
}

const std::regex& disconnectForm() {
    static const std::regex form(R"re(^[0-9 :.|]*ClientDisconnect: (-?\d+)(.*)$)re");
    return form;
}

const std::regex& initGameForm() {
    static const std::regex form(R"re(^[0-9 :.|]*InitGame:(.*)$)re");
    return form;
}

std::string withoutColours(const std::string& name) {
    static const std::regex colour(R"re(\^[A-Za-z0-9])re");
    return std::regex_replace(name, colour, "");
}

// A client number's value, or nothing outside 0..255 (no such client has a team).
std::optional<long> clientOf(const std::string& number) {
    if (number.empty() || number[0] == '-')
        return number.find_first_not_of("-0") == std::string::npos ? std::optional<long>(0) : std::nullopt;
    const std::size_t first = number.find_first_not_of('0');
    if (first == std::string::npos)
        return 0;
    if (number.size() - first > 3)
        return std::nullopt;
    const long value = std::stol(number.substr(first));
    return value <= 255 ? std::optional<long>(value) : std::nullopt;
}

// Two numbers as integers: sign and leading zeros aside.
std::string valueOf(const std::string& number) {
    const bool negative = !number.empty() && number[0] == '-';
    const std::size_t first = number.find_first_not_of('0', negative ? 1 : 0);
    if (first == std::string::npos)
        return "0";
    return (negative ? "-" : "") + number.substr(first);
}

std::optional<std::string> teamValue(const std::string& info) {
    std::vector<std::string> fields(1);
    for (const char c : info) {
        if (c == '\\')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    std::size_t first = 0;
    if (!info.empty() && info[0] == '\\')
        first = 1;
    if (info.empty())
        return std::nullopt;
    for (std::size_t i = first; i + 1 < fields.size(); i += 2) {
        if (fields[i] == "t")
            return fields[i + 1];
    }
    return std::nullopt;
}

}  // namespace

std::optional<Quake3Event> Quake3Reference::read(std::string_view view) {
    const std::string line(view);
    std::smatch m;
    if (std::regex_match(line, m, killForm())) {
        std::vector<std::string> numbers;
        static const std::regex number(R"re(-?\d+)re");
        const std::string group = m[1].str();
        for (std::sregex_iterator it(group.begin(), group.end(), number), end; it != end; ++it)
            numbers.push_back(it->str());
        const std::string weapon = m[4].str();
        if (weapon.size() >= 15 && weapon.compare(weapon.size() - 15, 15, "MOD_CHANGE_TEAM") == 0)
            return std::nullopt;
        const std::string k = valueOf(numbers[0]);
        const std::string v = valueOf(numbers[1]);
        if (k == "1022" || k == v)
            return Quake3Event{engine::HlEventKind::Suicide, withoutColours(m[3].str()), "", weapon};
        Quake3Event event{engine::HlEventKind::Kill, withoutColours(m[2].str()), withoutColours(m[3].str()), weapon};
        const auto kc = clientOf(numbers[0]);
        const auto vc = clientOf(numbers[1]);
        if (kc && vc && m_teams.contains(*kc) && m_teams.contains(*vc) && m_teams[*kc] == m_teams[*vc] &&
            (m_teams[*kc] == "1" || m_teams[*kc] == "2"))
            event.kind = engine::HlEventKind::TeamKill;
        return event;
    }
    if (std::regex_match(line, m, userinfoForm())) {
        if (const auto client = clientOf(m[1].str())) {
            m_teams.erase(*client);
            if (const auto team = teamValue(m[2].str()))
                m_teams[*client] = *team;
        }
    } else if (std::regex_match(line, m, disconnectForm())) {
        if (const auto client = clientOf(m[1].str()))
            m_teams.erase(*client);
    } else if (std::regex_match(line, m, initGameForm())) {
        m_teams.clear();
    }
    return std::nullopt;
}

}  // namespace fragtide::reference
