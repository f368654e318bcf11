#include "cli/exit_codes.hpp"

namespace fragtide::cli {
namespace {

struct Row {
    ErrorKind kind;
    int exitCode;
};

constexpr Row kTable[] = {
    {ErrorKind::NotFound, kExitUnreadable},
    {ErrorKind::PermissionDenied, kExitUnreadable},
    {ErrorKind::NotAFile, kExitUnreadable},
    {ErrorKind::Io, kExitUnreadable},
    {ErrorKind::TooLong, kExitUnreadable},
    {ErrorKind::OutOfMemory, kExitUnreadable},
    {ErrorKind::InvalidInput, kExitUsage},
};

}  // namespace

int exitCodeFor(ErrorKind kind) {
    for (const Row& row : kTable) {
        if (row.kind == kind)
            return row.exitCode;
    }
    return kExitInternal;
}

}  // namespace fragtide::cli
