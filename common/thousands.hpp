#pragma once

#include <concepts>
#include <string>

// A count as people read it: 4213 as "4,213", -1234567 as "-1,234,567". The window's hint, the
// command line's notes and the exported page write counts this way; machine-read output (JSON,
// CSV) keeps plain digits. Never reads the locale, so every reader gets the same bytes.
namespace fragtide {

template <std::integral T>
std::string withThousands(T number) {
    std::string text = std::to_string(number);
    const std::size_t first = text.front() == '-' ? 1 : 0;
    for (std::size_t i = text.size(); i > first + 3; i -= 3)
        text.insert(i - 3, ",");
    return text;
}

}  // namespace fragtide
