// Differential fuzz target: every line of any bytes must read the same through the StdLog reader as
// through its plain reference, and must never crash the reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/reference/reference_matcher.hpp"
#include "engine/readers/stdlog.hpp"
#include "engine/reference/stdlog_reference.hpp"

// The ordinary tests link several targets into one program and rename each entry point.
#ifndef FRAGTIDE_FUZZ_ENTRY
#define FRAGTIDE_FUZZ_ENTRY LLVMFuzzerTestOneInput
#endif

extern "C" int FRAGTIDE_FUZZ_ENTRY(const std::uint8_t* data, std::size_t size) {
    using namespace fragtide;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const std::string_view line : engine::reference::referenceLines(bytes)) {
        if (reference::toReference(engine::readStdLogLine(line)) != reference::readStdLogLine(line))
            std::abort();
    }
    return 0;
}
