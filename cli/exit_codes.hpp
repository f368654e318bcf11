#pragma once

#include "common/result.hpp"

// fragtide-report's exit status, one table for every failure (docs/cli.md lists it too).
namespace fragtide::cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitUnreadable = 1;    // the log could not be read (or outgrew memory); an unknown --player
inline constexpr int kExitUsage = 2;         // the command line cannot be used
inline constexpr int kExitInternal = 3;      // a fault of the program itself (last-resort catch)

// The exit status for a failure of this kind.
int exitCodeFor(ErrorKind kind);

}  // namespace fragtide::cli
