#pragma once
// Rounding as the Visual Basic run time does it: a half goes to the even neighbour.
#include <cmath>
#include <cstdint>

namespace velmaro {

inline double arrondiPair(double x)
{
    return std::nearbyint(x); // default FE_TONEAREST mode: ties to even
}

} // namespace velmaro
