#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Cuts a stream of log bytes into lines. CR, LF and CR LF each end one line; a last line without
// an ending is still a line; bytes are passed on untouched (NUL and 0xFF included).
//
// Feed blocks in order, then call finish(). A CR at the end of one block and an LF at the start
// of the next are one ending. Lines handed to the callback are views valid only during the call.
// Memory grows only with the longest line that spans a block boundary.
namespace fragtide::engine {

class LineSplitter {
public:
    template <typename OnLine>
    void feed(std::string_view block, OnLine&& onLine);
    template <typename OnLine>
    void finish(OnLine&& onLine);

private:
    std::string m_carry;      // the unfinished line of earlier blocks
    bool m_hasCarry = false;  // a line has begun (it may still be empty)
    bool m_skipLf = false;    // the previous block ended in CR
};

// Every line of a whole buffer.
std::vector<std::string_view> splitLines(std::string_view bytes);

// Scans for the next CR or LF from `from`; bytes.size() when there is none.
std::size_t findLineEnd(std::string_view bytes, std::size_t from);

// Counts the line endings of one block of a stream (CR, LF and CR LF each one ending).
// `previousWasCr` carries whether the previous block ended in CR (start it false), so that a
// CR LF split between two blocks counts once. A last line without an ending is not counted.
std::uint64_t countLineEnds(std::string_view block, bool& previousWasCr);

template <typename OnLine>
void LineSplitter::feed(std::string_view block, OnLine&& onLine) {
    std::size_t pos = 0;
    if (m_skipLf && !block.empty()) {
        m_skipLf = false;
        if (block[0] == '\n')
            pos = 1;
    }
    while (pos < block.size()) {
        const std::size_t end = findLineEnd(block, pos);
        if (end == block.size()) {
            m_carry.append(block.substr(pos));
            m_hasCarry = true;
            return;
        }
        if (m_hasCarry) {
            m_carry.append(block.substr(pos, end - pos));
            onLine(std::string_view(m_carry));
            m_carry.clear();
            m_hasCarry = false;
        } else {
            onLine(block.substr(pos, end - pos));
        }
        pos = end + 1;
        if (block[end] == '\r') {
            if (pos == block.size())
                m_skipLf = true;  // the LF of a CR LF may open the next block
            else if (block[pos] == '\n')
                ++pos;
        }
    }
}

template <typename OnLine>
void LineSplitter::finish(OnLine&& onLine) {
    if (m_hasCarry)
        onLine(std::string_view(m_carry));
    m_carry.clear();
    m_hasCarry = false;
    m_skipLf = false;
}

}  // namespace fragtide::engine
