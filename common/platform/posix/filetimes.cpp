#include "common/platform/posix/posixservices.hpp"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace velmaro {

void PosixFileTimes::setTimes(const QString& chemin, std::uint64_t /*creation*/, std::uint64_t ecriture)
{
    // 100 ns ticks since 1601 to the Unix epoch.
    constexpr std::int64_t ecart = 116444736000000000LL;
    const std::int64_t unix100 = static_cast<std::int64_t>(ecriture) - ecart;
    std::int64_t secondes = unix100 / 10000000;
    std::int64_t reste = unix100 % 10000000;
    if (reste < 0) {
        reste += 10000000;
        --secondes;
    }
    struct timespec temps[2];
    temps[0].tv_sec = 0;
    temps[0].tv_nsec = UTIME_OMIT;
    temps[1].tv_sec = static_cast<time_t>(secondes);
    temps[1].tv_nsec = static_cast<long>(reste * 100);
    const QByteArray nom = QFile::encodeName(chemin);
    if (utimensat(AT_FDCWD, nom.constData(), temps, 0) != 0)
        throw ErreurService(QString::fromLocal8Bit(std::strerror(errno)));
}

void PosixFileTimes::showProperties(const QString& chemin)
{
    throw ErreurService(QStringLiteral("Les propriétés du fichier ne peuvent pas être affichées ici : %1").arg(chemin));
}

} // namespace velmaro
