// Differential fuzz target: every line of any bytes must read the same through the CS:GO and
// Counter-Strike 2 server-log reader as through its regular-expression reference, and must never
// crash the reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/reference/reference_matcher.hpp"
#include "engine/readers/cs2_server_log.hpp"
#include "engine/reference/hl_server_log_reference.hpp"

// The ordinary tests link several targets into one program and rename each entry point.
#ifndef FRAGTIDE_FUZZ_ENTRY
#define FRAGTIDE_FUZZ_ENTRY LLVMFuzzerTestOneInput
#endif

extern "C" int FRAGTIDE_FUZZ_ENTRY(const std::uint8_t* data, std::size_t size) {
    using namespace fragtide;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const std::string_view line : engine::reference::referenceLines(bytes)) {
        const auto fast = engine::readCs2ServerLogLine(line);
        // The reference recurses per byte; past this length it could overflow the stack.
        if (line.size() <= 2048 && reference::toReference(fast) != reference::readCs2ServerLogLine(line))
            std::abort();
    }
    return 0;
}
