// Differential fuzz target for line templates: the input's first line is a template, its first
// byte after that line says whether a prefix is allowed, and every further line must match (or not)
// with the same cuts as the template's plain std::regex reference. Lines are kept short: the
// reference recurses once per byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/readers/line_template.hpp"
#include "engine/reference/line_template_reference.hpp"

#ifndef FRAGTIDE_FUZZ_ENTRY
#define FRAGTIDE_FUZZ_ENTRY LLVMFuzzerTestOneInput
#endif

extern "C" int FRAGTIDE_FUZZ_ENTRY(const std::uint8_t* data, std::size_t size) {
    using namespace fragtide::engine;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t end = bytes.find('\n');
    if (end == std::string_view::npos || end + 1 >= bytes.size() || end > 200)
        return 0;
    const std::string_view text = bytes.substr(0, end);
    const bool prefix = (bytes[end + 1] & 1) != 0;
    bytes.remove_prefix(end + 2);
    const auto compiled = LineTemplate::compile(text, prefix);
    if (!compiled)
        return 0;
    while (!bytes.empty()) {
        const std::size_t cut = bytes.find('\n');
        const std::string_view line = bytes.substr(0, cut);
        bytes.remove_prefix(cut == std::string_view::npos ? bytes.size() : cut + 1);
        if (line.size() > 300)
            continue;
        const auto fast = compiled->match(line);
        const auto plain = reference::matchTemplate(text, prefix, line);
        if (fast.has_value() != plain.has_value())
            std::abort();
        for (std::size_t f = 0; fast && f < kTemplateFields; ++f) {
            if (fast->fields[f] != plain->fields[f])
                std::abort();
        }
    }
    return 0;
}
