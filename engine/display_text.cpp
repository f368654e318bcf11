#include "engine/display_text.hpp"

#include "engine/unicode_upper.hpp"

namespace fragtide::engine {
namespace {

// Windows-1252 0x80..0x9F; the five bytes the code page leaves undefined map to themselves.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The Quake character set's low half as the nearest printable characters; the high half (the same
// glyphs in a coloured font) reads through the same table. Keep docs/engine.md in step.
constexpr char32_t kQuakeLow[32] = {
    '.', '_', '_', '_', '_', '.', '_', '_', '_', '_', '_', '_', '_', '>', '.', '.',  // dots, boxes, arrow
    '[', ']', '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 0x00B7, '<', '=', '>',  // brackets, digits, bar
};
constexpr char32_t kQuakeDelete = '<';  // 0x7F: a left arrow

char32_t quakeChar(unsigned char b) {
    b &= 0x7F;
    if (b < 0x20)
        return kQuakeLow[b];
    return b == 0x7F ? kQuakeDelete : char32_t{b};
}

char32_t windows1252Char(unsigned char b) {
    return b >= 0x80 && b <= 0x9F ? kCp1252High[b - 0x80] : char32_t{b};
}


// How many bytes at `pos` form the start of a well-formed sequence that the input cuts short or
// breaks: the maximal subpart that one U+FFFD stands for (at least 1).
std::size_t invalidSubpart(std::string_view s, std::size_t pos) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    std::size_t len;
    unsigned char lo = 0x80, hi = 0xBF;  // the range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF)
        len = 2;
    else if (b0 >= 0xE0 && b0 <= 0xEF)
        len = 3, lo = b0 == 0xE0 ? 0xA0 : 0x80, hi = b0 == 0xED ? 0x9F : 0xBF;
    else if (b0 >= 0xF0 && b0 <= 0xF4)
        len = 4, lo = b0 == 0xF0 ? 0x90 : 0x80, hi = b0 == 0xF4 ? 0x8F : 0xBF;
    else
        return 1;
    std::size_t n = 1;
    for (; n < len && pos + n < s.size(); ++n) {
        const auto b = static_cast<unsigned char>(s[pos + n]);
        if (n == 1 ? (b < lo || b > hi) : (b & 0xC0) != 0x80)
            break;
    }
    return n;
}

std::string utf8Text(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    char32_t c;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t len = decodeUtf8(bytes, pos, c);
        if (len != 0) {
            out.append(bytes.substr(pos, len));
            pos += len;
        } else {
            appendUtf8(out, 0xFFFD);
            pos += invalidSubpart(bytes, pos);
        }
    }
    return out;
}

std::string byteTable(std::string_view bytes, char32_t (*toChar)(unsigned char)) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char ch : bytes)
        appendUtf8(out, toChar(static_cast<unsigned char>(ch)));
    return out;
}

}  // namespace

std::size_t decodeUtf8(std::string_view s, std::size_t pos, char32_t& out) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(pos);
    if (b0 < 0x80) {
        out = b0;
        return 1;
    }
    std::size_t len;
    char32_t c;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2, c = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3, c = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4, c = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (pos + len > s.size())
        return 0;
    for (std::size_t i = 1; i < len; ++i) {
        const unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    out = c;
    return len;
}


bool isValidUtf8(std::string_view bytes) {
    char32_t c;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t len = decodeUtf8(bytes, pos, c);
        if (len == 0)
            return false;
        pos += len;
    }
    return true;
}

std::string displayText(std::string_view bytes) {
    if (isValidUtf8(bytes))
        return std::string(bytes);
    return byteTable(bytes, windows1252Char);
}

std::string displayText(std::string_view bytes, NameDisplay display) {
    switch (display) {
    case NameDisplay::Utf8:
        return utf8Text(bytes);
    case NameDisplay::Windows1252:
        return byteTable(bytes, windows1252Char);
    case NameDisplay::Quake:
        return byteTable(bytes, quakeChar);
    case NameDisplay::Automatic:
        break;
    }
    return displayText(bytes);
}

namespace {

struct DisplayWord {
    NameDisplay display;
    std::string_view word;
};

constexpr DisplayWord kDisplayWords[] = {
    {NameDisplay::Automatic, "auto"},
    {NameDisplay::Utf8, "utf-8"},
    {NameDisplay::Windows1252, "windows-1252"},
    {NameDisplay::Quake, "quake"},
};

}  // namespace

std::string_view nameDisplayWord(NameDisplay display) {
    for (const DisplayWord& entry : kDisplayWords) {
        if (entry.display == display)
            return entry.word;
    }
    return kDisplayWords[0].word;
}

std::optional<NameDisplay> parseNameDisplay(std::string_view word) {
    for (const DisplayWord& entry : kDisplayWords) {
        if (entry.word == word)
            return entry.display;
    }
    return std::nullopt;
}

namespace {

// `text` with every code point mapped by `map`; a byte of no valid sequence is kept as it is.
template <typename Map>
std::string mapCodePoints(std::string_view text, Map map) {
    std::string out;
    out.reserve(text.size());
    char32_t c;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t len = decodeUtf8(text, pos, c);
        if (len == 0) {  // not display text after all: keep the byte rather than lose it
            out += text[pos++];
            continue;
        }
        appendUtf8(out, map(c));
        pos += len;
    }
    return out;
}

// The character whose simple upper case is `c`, looked for at the distances the cased scripts
// use (Latin-1, Greek and Cyrillic +32, Latin Extended pairs +1, Cyrillic Ѐ-Џ +80, Armenian +48).
char32_t simpleLower(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 32;
    if (c < 0xC0)
        return c;
    for (const char32_t distance : {32u, 1u, 80u, 48u}) {
        const char32_t candidate = c + distance;
        if (simpleUpper(candidate) == c)
            return candidate;
    }
    return c;
}

}  // namespace

std::string toUpperDisplay(std::string_view text) {
    return mapCodePoints(text, simpleUpper);
}

std::string toLowerDisplay(std::string_view text) {
    return mapCodePoints(text, simpleLower);
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace fragtide::engine
