#pragma once

#include <string>
#include <utility>
#include <variant>

// Failures travel as values through the core: Result<T> holds a T or an Error. Under C++23 this
// becomes std::expected<T, E>; call sites stay the same.
//
// The one result type of the whole core. Subsystems whose callers branch on other kinds of failure
// (the settings store: too large, write failed) give it an error type of their own as `E`; the
// shape, and so every call site, stays the same.
namespace fragtide {

enum class ErrorKind {
    NotFound,          // the file or folder does not exist
    PermissionDenied,  // it exists but may not be read or written
    NotAFile,          // a folder or another thing that is not a regular file
    Io,                // the system reported a read or write failure
    InvalidInput,      // the caller passed something that cannot be used
    TooLong,           // the input passes a limit the program keeps (a log line too long to read)
    OutOfMemory,       // what the input holds does not fit in memory (millions of distinct names)
};

struct Error {
    ErrorKind kind;
    std::string message;  // what happened, to what: "cannot read 'ctf.log': permission denied"
};

template <typename T, typename E = Error>
class [[nodiscard]] Result {
public:
    Result(T value) : m_v(std::in_place_index<0>, std::move(value)) {}
    Result(E error) : m_v(std::in_place_index<1>, std::move(error)) {}

    bool has_value() const { return m_v.index() == 0; }
    explicit operator bool() const { return has_value(); }

    T& value() & { return std::get<0>(m_v); }
    const T& value() const& { return std::get<0>(m_v); }
    T&& value() && { return std::get<0>(std::move(m_v)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const E& error() const { return std::get<1>(m_v); }

private:
    std::variant<T, E> m_v;
};

// For operations that produce nothing but may fail.
struct Ok {};
using Status = Result<Ok>;

}  // namespace fragtide
