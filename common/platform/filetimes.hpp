#pragma once
#include <QString>
#include <cstdint>

namespace velmaro {

// Writes file times given as Windows file times (100 ns since 1601-01-01 UTC).
// Failures throw ErreurService.
class FileTimes {
public:
    virtual ~FileTimes() = default;
    virtual void setTimes(const QString& chemin, std::uint64_t creation, std::uint64_t ecriture) = 0;
    // Shows the system's property sheet of a file, where there is one.
    virtual void showProperties(const QString& chemin) = 0;
};

} // namespace velmaro
