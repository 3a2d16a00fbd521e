#pragma once
#include <QDateTime>
#include <cstdint>

namespace velmaro {

// Time and chance, so that tests can pin them.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // Uniform in [0, 1), like the Rnd function.
    virtual double random() = 0;
};

} // namespace velmaro
