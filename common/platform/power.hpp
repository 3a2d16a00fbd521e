#pragma once

namespace velmaro {

// Asks the operating system to end the machine's run. Failures throw ErreurService.
class Power {
public:
    virtual ~Power() = default;
    virtual void shutdown() = 0;
    virtual void reboot() = 0;
};

} // namespace velmaro
