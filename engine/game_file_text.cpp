#include "engine/game_file_text.hpp"

#include "engine/display_text.hpp"

namespace fragtide::engine {
namespace {

// \xHH is no TOML escape, so before parsing it becomes \uF7HH, a private-use character a log
// text has no reason to hold, and after parsing that character becomes the byte again.
constexpr char32_t kByteBase = 0xF700;

bool isHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

}  // namespace

Prepared prepare(std::string_view in) {
    Prepared out;
    out.text.reserve(in.size());
    out.shifts.resize(2);
    std::uint32_t line = 1, column = 1;  // of `in`, counted in characters
    std::size_t lineStart = 0;           // in out.text
    enum class State { Plain, Comment, Basic, MultiBasic, Literal, MultiLiteral } state = State::Plain;
    const auto at = [&](std::size_t i, std::string_view s) { return in.substr(i, s.size()) == s; };
    const auto refuse = [&](std::string message) {
        out.refusal = std::pair{FilePlace{line, column}, std::move(message)};
        return out;
    };
    const auto replace = [&](const std::string& with, std::uint32_t added) {
        out.shifts[line].emplace_back(static_cast<std::uint32_t>(out.text.size() - lineStart + 1), added);
        out.text += with;
        ++column;
    };
    for (std::size_t i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (static_cast<unsigned char>(c) >= 0x80) {
            char32_t cp = 0;
            const std::size_t length = decodeUtf8(in, i, cp);
            if (length == 0)
                return refuse("not valid UTF-8; in a \"...\" text, write \\xHH for a byte that is not UTF-8");
            char escape[16];
            switch (state) {
            case State::Plain:
                return refuse("not valid TOML: outside quotes and comments only ASCII characters may stand");
            case State::Literal:
            case State::MultiLiteral:
                return refuse("a '...' text may hold only ASCII characters here; write it in \"...\" quotes");
            case State::Comment:
                replace("?", 0);
                break;
            case State::Basic:
            case State::MultiBasic:
                std::snprintf(escape, sizeof escape, cp > 0xFFFF ? "\\U%08X" : "\\u%04X", static_cast<unsigned>(cp));
                replace(escape, cp > 0xFFFF ? 9 : 5);
                break;
            }
            i += length - 1;
            continue;
        }
        std::size_t take = 1;
        switch (state) {
        case State::Plain:
            if (c == '#')
                state = State::Comment;
            else if (at(i, "\"\"\""))
                state = State::MultiBasic, take = 3;
            else if (c == '"')
                state = State::Basic;
            else if (at(i, "'''"))
                state = State::MultiLiteral, take = 3;
            else if (c == '\'')
                state = State::Literal;
            break;
        case State::Comment:
            if (c == '\n')
                state = State::Plain;
            break;
        case State::Basic:
        case State::MultiBasic:
            if (c == '\\' && i + 3 < in.size() && in[i + 1] == 'x' && isHex(in[i + 2]) && isHex(in[i + 3])) {
                out.shifts[line].emplace_back(static_cast<std::uint32_t>(out.text.size() - lineStart + 1), 2);
                out.text += "\\uF7";
                out.text += in.substr(i + 2, 2);
                i += 3;
                column += 4;
                continue;
            }
            if (c == '\\' && i + 1 < in.size() && static_cast<unsigned char>(in[i + 1]) >= 0x80)
                return refuse("not valid TOML: a backslash begins an escape such as \\n, \\\" or \\xHH");
            if (c == '\\' && i + 1 < in.size() && in[i + 1] != '\n' && in[i + 1] != '\r')
                take = 2;  // an escaped character, a quote or backslash among them
            else if (state == State::Basic && (c == '"' || c == '\n'))
                state = State::Plain;
            else if (state == State::MultiBasic && at(i, "\"\"\""))
                state = State::Plain, take = 3;
            break;
        case State::Literal:
            if (c == '\'' || c == '\n')
                state = State::Plain;
            break;
        case State::MultiLiteral:
            if (at(i, "'''"))
                state = State::Plain, take = 3;
            break;
        }
        for (std::size_t k = 0; k < take && i < in.size(); ++k, ++i) {
            out.text += in[i];
            if (in[i] == '\n') {
                ++line;
                column = 1;
                lineStart = out.text.size();
                out.shifts.emplace_back();
            } else {
                ++column;
            }
        }
        --i;
    }
    return out;
}

// The bytes a parsed string stands for: each U+F7HH back to the byte HH.
std::string bytesOf(std::string_view parsed) {
    std::string out;
    out.reserve(parsed.size());
    for (std::size_t i = 0; i < parsed.size(); ++i) {
        const auto b = [&](std::size_t k) { return static_cast<unsigned char>(parsed[k]); };
        if (b(i) == 0xEF && i + 2 < parsed.size() && (b(i + 1) & 0xC0) == 0x80 && (b(i + 2) & 0xC0) == 0x80) {
            const char32_t cp = (char32_t{0xF} << 12) | (char32_t{b(i + 1) & 0x3Fu} << 6) | (b(i + 2) & 0x3Fu);
            if ((cp & 0xFF00) == kByteBase) {
                out += static_cast<char>(cp & 0xFF);
                i += 2;
                continue;
            }
        }
        out += parsed[i];
    }
    return out;
}

}  // namespace fragtide::engine
