#pragma once

#include <cstddef>

// Copying bytes out of a file mapping without dying when the file shrinks meanwhile.
//
// Reading a page of a mapping that lies past the file's end (another program truncated it, as
// log rotation does) raises SIGBUS, which ends the program. copyMapped catches exactly that, on
// the calling thread and only during its copy, and reports it; any other SIGBUS goes to whatever
// handled it before. POSIX systems only.
namespace fragtide::engine {

#if !defined(_WIN32)
// Copies `size` bytes from `from` (inside a file mapping) to `to`; false when part of `from` is
// no longer backed by the file. `to` then holds an unspecified part of the bytes.
bool copyMapped(char* to, const char* from, std::size_t size);
#endif

}  // namespace fragtide::engine
