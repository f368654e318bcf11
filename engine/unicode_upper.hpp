#pragma once

// The simple (one-to-one) Unicode upper-case mapping of one code point; the code point itself
// when it has none.
namespace fragtide::engine {

char32_t simpleUpper(char32_t c);

}  // namespace fragtide::engine
