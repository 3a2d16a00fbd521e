#pragma once
#include "common/platform/erreur.hpp"

#include <QDateTime>
#include <QString>
#include <cstdint>

class QWidget;

namespace velmaro {

// The file system kept another time than the one asked: the time lies out of
// the range it can hold, and the file's earlier times were put back. The
// range is the one it holds within what a file time can say; invalid times
// when it couldn't be found.
class ErreurLimites : public ErreurService {
public:
    ErreurLimites(const QDateTime& debut, const QDateTime& fin)
        : ErreurService(QStringLiteral("Date hors des limites de ce système de fichiers")), debut_(debut), fin_(fin)
    {
    }
    const QDateTime& debut() const { return debut_; }
    const QDateTime& fin() const { return fin_; }

private:
    QDateTime debut_;
    QDateTime fin_;
};

// Writes file times given as Windows file times (100 ns since 1601-01-01 UTC);
// a time given as 0 is left unchanged, the last-access time always is.
// Failures throw ErreurService with the system's reason; what is written is
// read back, and a time the system kept otherwise throws ErreurLimites.
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
