#pragma once
// How much longer the same work may take in the AddressSanitizer build, which
// is also built without optimisation: time bounds of tests on large input
// allow for it.
#if defined(__SANITIZE_ADDRESS__)
#define VELMARO_SOUS_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMARO_SOUS_ASAN 1
#endif
#endif

namespace velmaro::testing {

#ifdef VELMARO_SOUS_ASAN
constexpr int lenteurSousAsan = 5;
#else
constexpr int lenteurSousAsan = 1;
#endif

} // namespace velmaro::testing
