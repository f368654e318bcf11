#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace fragtide::engine {

// Bytes of a batch. Unlike a vector it does not zero what it grows by (every byte is about to be
// overwritten by a read), and it grows with realloc, which for large blocks moves pages instead
// of copying them, so a long line does not briefly need twice its memory.
class ByteBuffer {
public:
    ByteBuffer() = default;
    ByteBuffer(const ByteBuffer&) = delete;
    ByteBuffer& operator=(const ByteBuffer&) = delete;
    ~ByteBuffer() { std::free(m_data); }

    char* data() { return m_data; }
    std::size_t size() const { return m_size; }
    // False when the memory cannot be had; the size is then unchanged. Never grows past `most`.
    bool resize(std::size_t size, std::size_t most) {
        if (size > m_capacity) {
            const std::size_t capacity = std::min(std::max(size, m_capacity * 2), std::max(size, most));
            char* grown = static_cast<char*>(std::realloc(m_data, capacity));
            if (!grown)
                return false;
            m_data = grown;
            m_capacity = capacity;
            m_prepared = std::min(m_prepared, m_size);  // moved or copied: what holds bytes is there
        }
        m_size = size;
        return true;
    }
    std::size_t capacity() const { return m_capacity; }
    // Room for `capacity` bytes at least, so that growing up to it never moves the bytes.
    bool reserve(std::size_t capacity) {
        const std::size_t size = m_size;
        if (!resize(capacity, capacity))
            return false;
        m_size = size;
        return true;
    }
    // Gives the memory back; the buffer is then empty.
    void release() {
        std::free(m_data);
        m_data = nullptr;
        m_size = m_capacity = m_prepared = 0;
    }
    // Makes the pages up to `end` (at most the capacity) ready to be written, all at once rather
    // than one page fault at a time on the first read into them. Only a hint: nothing changes
    // where it fails.
    void prepare(std::size_t end);
    void dropFront(std::size_t n) {
        if (n < m_size)  // an empty buffer's data() may be null, which memmove must not get
            std::memmove(m_data, m_data + n, m_size - n);
        m_size -= std::min(n, m_size);
    }

private:
    char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
    std::size_t m_prepared = 0;  // bytes from the start whose pages prepare() made ready
};

}  // namespace fragtide::engine
