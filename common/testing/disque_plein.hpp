#pragma once
// A write made as on a full disk: in a child process whose files can't grow
// past a few bytes, so that the limit touches nothing else in the test.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>

namespace velmaro::testing {

// What the write reported; nothing when the child could not run it.
inline std::optional<bool> ecrireDisquePlein(const std::function<bool()>& ecrire, rlim_t octets = 64)
{
    const pid_t enfant = ::fork();
    if (enfant < 0)
        return std::nullopt;
    if (enfant == 0) {
        ::signal(SIGXFSZ, SIG_IGN); // the write fails instead of killing
        const rlimit limite{octets, octets};
        if (::setrlimit(RLIMIT_FSIZE, &limite) != 0)
            ::_exit(2);
        ::_exit(ecrire() ? 1 : 0);
    }
    int etat = 0;
    if (::waitpid(enfant, &etat, 0) != enfant || !WIFEXITED(etat) || WEXITSTATUS(etat) > 1)
        return std::nullopt;
    return WEXITSTATUS(etat) == 1;
}

} // namespace velmaro::testing
