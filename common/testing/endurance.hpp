#pragma once
// Long runs of a window's timer: how much memory the process holds, to check
// that it stays steady. Under AddressSanitizer freed memory waits in a
// quarantine and the resident size says little, so the sanitizer's count of
// live heap bytes is used there instead. Also the slowdown that time bounds
// of tests on large input allow for in that build.
#include <cstddef>
#include <fstream>

#if defined(__SANITIZE_ADDRESS__)
#define VELMARO_SOUS_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMARO_SOUS_ASAN 1
#endif
#endif

#ifdef VELMARO_SOUS_ASAN
// From the sanitizer's run time (its header is not installed with every compiler).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

#include <unistd.h>

namespace velmaro::testing {

#ifdef VELMARO_SOUS_ASAN
constexpr bool sousAsan = true;
#else
constexpr bool sousAsan = false;
#endif

// How much longer the same work may take in the sanitizer build, which is
// also built without optimisation.
constexpr int lenteurSousAsan = sousAsan ? 5 : 1;

// Resident memory of the process, in bytes (second field of /proc/self/statm).
inline std::size_t memoireResidente()
{
    std::ifstream statm("/proc/self/statm");
    std::size_t total = 0;
    std::size_t residentes = 0;
    statm >> total >> residentes;
    return residentes * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// The memory a leak would make grow: live heap bytes under the sanitizer,
// the resident size otherwise.
inline std::size_t memoireOccupee()
{
#ifdef VELMARO_SOUS_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return memoireResidente();
#endif
}

} // namespace velmaro::testing
