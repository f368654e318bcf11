#include "engine/mapped_copy.hpp"

#if !defined(_WIN32)

#include <atomic>
#include <csetjmp>
#include <csignal>
#include <cstring>
#include <mutex>

namespace fragtide::engine {
namespace {

// Where the copy on this thread goes when its source vanishes; null outside copyMapped. An
// initial-exec thread-local of the program itself, so the handler may read it. Volatile: to the
// compiler, memcpy reads no such variable, and the store before it would be dropped.
thread_local sigjmp_buf* volatile t_recover = nullptr;
struct sigaction g_before {};

void onSigbus(int signal, siginfo_t* info, void* context) {
    if (sigjmp_buf* recover = t_recover) {
        t_recover = nullptr;
        siglongjmp(*recover, 1);
    }
    // Not a copy of ours: as if this handler were not there.
    if (g_before.sa_flags & SA_SIGINFO) {
        g_before.sa_sigaction(signal, info, context);
    } else if (g_before.sa_handler != SIG_IGN && g_before.sa_handler != SIG_DFL) {
        g_before.sa_handler(signal);
    } else {
        // The fault happens again on return and now ends the program, as it would have.
        std::signal(SIGBUS, SIG_DFL);
    }
}

void installOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction action {};
        action.sa_sigaction = onSigbus;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        sigaction(SIGBUS, &action, &g_before);
    });
}

}  // namespace

bool copyMapped(char* to, const char* from, std::size_t size) {
    installOnce();
    sigjmp_buf recover;
    // The signal mask is saved: the handler runs with SIGBUS blocked, and siglongjmp lifts that.
    if (sigsetjmp(recover, 1) != 0)
        return false;
    t_recover = &recover;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    std::memcpy(to, from, size);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    t_recover = nullptr;
    return true;
}

}  // namespace fragtide::engine

#endif
