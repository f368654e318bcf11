#include "ui/message_text.hpp"

#include "engine/display_text.hpp"

namespace fragtide::ui {

std::string withCapitalStart(std::string_view text) {
    if (text.empty())
        return {};
    // The first character's bytes: one for ASCII, else a lead byte and its continuation bytes.
    std::size_t length = 1;
    while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        ++length;
    std::string result = engine::toUpperDisplay(text.substr(0, length));
    result += text.substr(length);
    return result;
}

std::string startupErrorText(std::string_view description, int number) {
    std::string text(description);
    text += " (error number ";
    text += std::to_string(number);
    text += ")!";
    return withCapitalStart(text);
}

}  // namespace fragtide::ui
