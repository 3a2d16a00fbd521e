#pragma once
#include <QString>
#include <cstdint>

class QWidget;

namespace velmaro {

// Writes file times given as Windows file times (100 ns since 1601-01-01 UTC);
// a time given as 0 is left unchanged, the last-access time always is.
// Failures throw ErreurService with the system's reason.
class FileTimes {
public:
    virtual ~FileTimes() = default;
    // Opens the file for writing and sets its creation and last-write times.
    // Returns false when the last-write time was written but this system
    // keeps no creation time that can be set.
    virtual bool setTimes(const QString& chemin, std::uint64_t creation, std::uint64_t ecriture) = 0;
    // Asks the system to show a file's property sheet; false when nothing
    // answered, so that the caller can show its own.
    virtual bool showProperties(QWidget* proprietaire, const QString& chemin) = 0;
};

} // namespace velmaro
