#include "engine/byte_buffer.hpp"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace fragtide::engine {

void ByteBuffer::prepare(std::size_t end) {
    end = std::min(end, m_capacity);
    if (end <= m_prepared)
        return;
#if defined(MADV_POPULATE_WRITE)
    static const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const auto from = reinterpret_cast<std::uintptr_t>(m_data + m_prepared) / page * page;
    const auto to = reinterpret_cast<std::uintptr_t>(m_data + end);
    (void)madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE);
#endif
    m_prepared = end;
}

}  // namespace fragtide::engine
