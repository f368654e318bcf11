#include "settings/reg_file_document.hpp"

#include <algorithm>

namespace fragtide::settings {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isBlank(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t'; });
}

std::string_view trimSpaces(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// A quoted text starting at s[pos]; pos ends past the closing quote. Nothing for an unknown
// escape or a missing closing quote, so a truncated line is never taken for a shorter value.
std::optional<std::string> parseQuoted(std::string_view s, std::size_t& pos) {
    if (pos >= s.size() || s[pos] != '"')
        return std::nullopt;
    std::string text;
    for (std::size_t i = pos + 1; i < s.size(); ++i) {
        if (s[i] == '"') {
            pos = i + 1;
            return text;
        }
        if (s[i] == '\\') {
            if (i + 1 >= s.size() || (s[i + 1] != '\\' && s[i + 1] != '"'))
                return std::nullopt;
            ++i;
        }
        text += s[i];
    }
    return std::nullopt;
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

std::optional<unsigned> hexDigit(char c) {
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
    return std::nullopt;
}

std::optional<std::uint32_t> parseHexNumber(std::string_view s, std::size_t maxDigits) {
    if (s.empty() || s.size() > maxDigits)
        return std::nullopt;
    std::uint32_t n = 0;
    for (char c : s) {
        const auto d = hexDigit(c);
        if (!d) return std::nullopt;
        n = (n << 4) | *d;
    }
    return n;
}

// "0a,ff" -> the two bytes; "" -> none. Every item is exactly two digits.
std::optional<std::string> parseHexList(std::string_view s) {
    std::string bytes;
    if (trimSpaces(s).empty())
        return bytes;
    while (true) {
        const std::size_t comma = s.find(',');
        const std::string_view item = trimSpaces(s.substr(0, comma));
        const auto n = item.size() == 2 ? parseHexNumber(item, 2) : std::nullopt;
        if (!n)
            return std::nullopt;
        bytes += static_cast<char>(*n);
        if (comma == std::string_view::npos)
            return bytes;
        s.remove_prefix(comma + 1);
    }
}

std::optional<StoredValue> parseData(std::string_view data) {
    if (!data.empty() && data.front() == '"') {
        std::size_t pos = 0;
        auto text = parseQuoted(data, pos);
        if (!text || !isBlank(data.substr(pos)))
            return std::nullopt;
        return StoredValue{kRegSz, *text + '\0'};
    }
    data = trimSpaces(data);
    if (data.starts_with("dword:")) {
        const std::string_view digits = data.substr(6);
        const auto n = digits.size() == 8 ? parseHexNumber(digits, 8) : std::nullopt;
        if (!n)
            return std::nullopt;
        std::string bytes;
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((*n >> (8 * i)) & 0xFF);
        return StoredValue{kRegDword, bytes};
    }
    ValueType type = kRegBinary;
    if (data.starts_with("hex:")) {
        data.remove_prefix(4);
    } else if (data.starts_with("hex(")) {
        const std::size_t close = data.find("):");
        if (close == std::string_view::npos)
            return std::nullopt;
        const auto t = parseHexNumber(data.substr(4, close - 4), 8);
        if (!t)
            return std::nullopt;
        type = *t;
        data.remove_prefix(close + 2);
    } else {
        return std::nullopt;
    }
    auto bytes = parseHexList(data);
    if (!bytes)
        return std::nullopt;
    return StoredValue{type, std::move(*bytes)};
}

std::string hexList(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (i > 0) out += ',';
        out += kDigits[b >> 4];
        out += kDigits[b & 0x0F];
    }
    return out;
}

std::string hexNumber(std::uint32_t n, int minDigits) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    do {
        out.insert(out.begin(), kDigits[n & 0x0F]);
        n >>= 4;
    } while (n != 0 || static_cast<int>(out.size()) < minDigits);
    return out;
}

}  // namespace

RegFileDocument RegFileDocument::parse(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        std::string_view line = bytes.substr(0, lf);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        bytes.remove_prefix(lf == std::string_view::npos ? bytes.size() : lf + 1);
    }

    RegFileDocument doc;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Entry entry;
        entry.lines.push_back(lines[i]);
        std::string_view line = lines[i];
        if (i == 0 && line.starts_with(kUtf8Bom))
            line.remove_prefix(kUtf8Bom.size());
        const std::string_view trimmed = trimSpaces(line);
        if (trimmed.empty()) {
            entry.kind = Kind::Blank;
        } else if (trimmed == kHeader) {
            entry.kind = Kind::Header;
        } else if (trimmed.front() == '[' && trimmed.back() == ']') {
            entry.kind = Kind::Section;
            entry.name = trimmed.substr(1, trimmed.size() - 2);
        } else if (line.front() == '"' || line.front() == '@') {
            std::size_t pos = 1;
            std::optional<std::string> name = std::string();
            if (line.front() == '"') {
                pos = 0;
                name = parseQuoted(line, pos);
            }
            if (name && pos < line.size() && line[pos] == '=') {
                entry.kind = Kind::Value;
                entry.name = std::move(*name);
                std::string data(line.substr(pos + 1));
                // A long hex list goes on over lines that end in a backslash.
                if (trimSpaces(data).starts_with("hex")) {
                    while (!data.empty() && data.back() == '\\' && i + 1 < lines.size()) {
                        data.pop_back();
                        entry.lines.push_back(lines[++i]);
                        data += trimSpaces(entry.lines.back());
                    }
                }
                entry.value = parseData(data);
            }
        }
        doc.m_entries.push_back(std::move(entry));
    }
    return doc;
}

StoreResult<StoredValue> RegFileDocument::find(std::string_view section, std::string_view valueName) const {
    bool inSection = false;
    bool sectionSeen = false;
    const Entry* last = nullptr;
    for (const Entry& e : m_entries) {
        if (e.kind == Kind::Section) {
            inSection = sameRegistryName(e.name, section);
            sectionSeen = sectionSeen || inSection;
        } else if (inSection && e.kind == Kind::Value && sameRegistryName(e.name, valueName)) {
            last = &e;
        }
    }
    if (!last)
        return StoreError{StoreErrorKind::NotFound,
                          sectionSeen ? "no value '" + std::string(valueName) + "' in [" + std::string(section) + "]"
                                      : "no key [" + std::string(section) + "]"};
    if (!last->value)
        return StoreError{StoreErrorKind::Unreadable, "cannot read the line '" + last->lines.front() + "'"};
    return *last->value;
}

void RegFileDocument::set(std::string_view section, std::string_view valueName, const StoredValue& value) {
    Entry line{Kind::Value, {valueLine(valueName, value)}, std::string(valueName), value};

    bool inSection = false;
    bool replaced = false;
    std::size_t lastSection = m_entries.size();
    for (std::size_t i = 0; i < m_entries.size();) {
        Entry& e = m_entries[i];
        if (e.kind == Kind::Section) {
            inSection = sameRegistryName(e.name, section);
            if (inSection) lastSection = i;
        } else if (inSection && e.kind == Kind::Value && sameRegistryName(e.name, valueName)) {
            // Later duplicates would win on the next read, so only one line may remain.
            if (replaced) {
                m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(i));
                continue;
            }
            e = line;
            replaced = true;
        }
        ++i;
    }

    if (!replaced && lastSection < m_entries.size()) {
        std::size_t at = lastSection + 1;
        while (at < m_entries.size() && m_entries[at].kind != Kind::Section) ++at;
        while (at > lastSection + 1 && m_entries[at - 1].kind == Kind::Blank) --at;
        m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    } else if (!replaced) {
        if (!m_entries.empty() && m_entries.back().kind != Kind::Blank)
            m_entries.push_back(Entry{Kind::Blank, {""}, {}, {}});
        m_entries.push_back(Entry{Kind::Section, {"[" + std::string(section) + "]"}, std::string(section), {}});
        m_entries.push_back(std::move(line));
        m_entries.push_back(Entry{Kind::Blank, {""}, {}, {}});
    }

    if (m_entries.front().kind != Kind::Header) {
        m_entries.insert(m_entries.begin(), Entry{Kind::Blank, {""}, {}, {}});
        m_entries.insert(m_entries.begin(), Entry{Kind::Header, {std::string(kHeader)}, {}, {}});
    }
}

std::string RegFileDocument::serialize() const {
    std::string out;
    for (const Entry& e : m_entries)
        for (const std::string& l : e.lines)
            out += l + "\r\n";
    return out;
}

std::string RegFileDocument::valueLine(std::string_view valueName, const StoredValue& value) {
    std::string out = valueName.empty() ? "@" : quoted(valueName);
    out += '=';
    const std::string_view data = value.data;
    const std::string_view text = data.empty() ? data : data.substr(0, data.size() - 1);
    // Only a NUL-ended text without line breaks or inner NULs can be a quoted string; every
    // other REG_SZ (a size-0 one, say) keeps its exact bytes as hex(1).
    if (value.type == kRegSz && !data.empty() && data.back() == '\0' &&
        text.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos) {
        out += quoted(text);
    } else if (value.type == kRegDword && data.size() == 4) {
        std::uint32_t n = 0;
        for (int i = 3; i >= 0; --i)
            n = (n << 8) | static_cast<unsigned char>(data[static_cast<std::size_t>(i)]);
        out += "dword:" + hexNumber(n, 8);
    } else if (value.type == kRegBinary) {
        out += "hex:" + hexList(data);
    } else {
        out += "hex(" + hexNumber(value.type, 1) + "):" + hexList(data);
    }
    return out;
}

}  // namespace fragtide::settings
