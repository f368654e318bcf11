#include "export/html_text.hpp"

#include "engine/display_text.hpp"

namespace fragtide::exports {

std::string htmlText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + 8);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        switch (byte) {
        case '&': out += "&amp;"; continue;
        case '<': out += "&lt;"; continue;
        case '>': out += "&gt;"; continue;
        case '"': out += "&quot;"; continue;
        case '\'': out += "&#39;"; continue;
        default: break;
        }
        if (byte < 0x20 || byte == 0x7f) {
            // U+2400 + byte (U+2421 for DEL): E2 90 80+x in UTF-8.
            const unsigned picture = byte == 0x7f ? 0x21 : byte;
            out += "\xE2\x90";
            out += static_cast<char>(0x80 + picture);
        } else if (byte == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
            out += "\xEF\xBF\xBD";  // U+0080..U+009F: controls no page should carry
            ++i;
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

std::string htmlFromLog(std::string_view bytes) { return htmlText(engine::displayText(bytes)); }

}  // namespace fragtide::exports
