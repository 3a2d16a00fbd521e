#include "common/platform/posix/posixservices.hpp"

#include "common/platform/nomsnatifs.hpp"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmaro {

namespace {

// The system's reason in the words the suite's French windows use; what is
// rare keeps the C library's text.
QString raisonSysteme(int erreur)
{
    switch (erreur) {
    case ENOENT:
        return QStringLiteral("Le fichier spécifié est introuvable");
    case ENOTDIR:
        return QStringLiteral("Le chemin d'accès spécifié est introuvable");
    case EACCES:
    case EPERM:
        return QStringLiteral("Accès refusé");
    case EROFS:
        return QStringLiteral("Le support est protégé en écriture");
    case ENAMETOOLONG:
        return QStringLiteral("Le nom de fichier est trop long");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("Le fichier est utilisé par un autre processus");
    case EISDIR:
        return QStringLiteral("Ce n'est pas un fichier ordinaire");
    default:
        return QString::fromLocal8Bit(std::strerror(erreur));
    }
}

// 100 ns ticks since 1601 to a Unix time.
struct timespec versTimespec(std::uint64_t fileTime)
{
    constexpr std::int64_t ecart = 116444736000000000LL;
    const std::int64_t unix100 = static_cast<std::int64_t>(fileTime) - ecart;
    std::int64_t secondes = unix100 / 10000000;
    std::int64_t reste = unix100 % 10000000;
    if (reste < 0) {
        reste += 10000000;
        --secondes;
    }
    struct timespec t {};
    t.tv_sec = static_cast<time_t>(secondes);
    t.tv_nsec = static_cast<long>(reste * 100);
    return t;
}

// Whether the system kept the time asked. Steps of up to two seconds are the
// file system's precision (FAT counts in twos), not its range.
bool memeMoment(const struct timespec& garde, const struct timespec& demande)
{
    const std::int64_t secondes = static_cast<std::int64_t>(garde.tv_sec) - demande.tv_sec;
    if (secondes < -3 || secondes > 3)
        return false;
    const std::int64_t ecart = secondes * 1000000000LL + (garde.tv_nsec - demande.tv_nsec);
    return ecart > -2000000000LL && ecart < 2000000000LL;
}

// Sets the last-write time alone; the time the system kept, if it answered.
bool ecrireModification(int fd, const struct timespec& moment, struct timespec* garde)
{
    struct timespec temps[2];
    temps[0].tv_sec = 0;
    temps[0].tv_nsec = UTIME_OMIT;
    temps[1] = moment;
    struct stat etat {};
    if (::futimens(fd, temps) != 0 || ::fstat(fd, &etat) != 0)
        return false;
    *garde = etat.st_mtim;
    return true;
}

// The range of times the file system holds, within what a file time can
// say: it keeps its own limit for a time beyond it. Found on the file
// itself, whose time the caller puts back.
std::pair<QDateTime, QDateTime> limitesDuSysteme(int fd)
{
    constexpr std::uint64_t fileTimeMax = 0x7FFFFFFFFFFFFFFFULL;
    struct timespec debut {}, fin {};
    if (!ecrireModification(fd, versTimespec(1), &debut) || !ecrireModification(fd, versTimespec(fileTimeMax), &fin))
        return {};
    return {QDateTime::fromSecsSinceEpoch(debut.tv_sec, Qt::UTC), QDateTime::fromSecsSinceEpoch(fin.tv_sec, Qt::UTC)};
}

} // namespace

bool PosixFileTimes::setTimes(const QString& chemin, std::uint64_t creation, std::uint64_t ecriture)
{
    const QByteArray nom = versNomNatif(chemin);
    struct stat etat {};
    if (::stat(nom.constData(), &etat) != 0)
        throw ErreurService(raisonSysteme(errno));
    if (!S_ISREG(etat.st_mode))
        throw ErreurService(QStringLiteral("Ce n'est pas un fichier ordinaire"));
    // A file without any write permission is read-only for everybody, root
    // included, as the read-only attribute is on Windows.
    if ((etat.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        throw ErreurService(QStringLiteral("Le fichier est en lecture seule"));

    // Opened for writing, as the times are written on Windows; nothing is written to it.
    const int fd = ::open(nom.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        throw ErreurService(raisonSysteme(errno));
    struct stat avant {};
    if (ecriture != 0 && ::fstat(fd, &avant) != 0) {
        const int erreur = errno;
        ::close(fd);
        throw ErreurService(raisonSysteme(erreur));
    }
    // What the system kept is read back: a time beyond its range is kept as
    // its limit, without an error.
    const struct timespec demande = versTimespec(ecriture);
    struct timespec garde {};
    if (ecriture != 0 && !ecrireModification(fd, demande, &garde)) {
        const int erreur = errno;
        ::close(fd);
        throw ErreurService(raisonSysteme(erreur));
    }
    if (ecriture != 0 && !memeMoment(garde, demande)) {
        const auto [debut, fin] = limitesDuSysteme(fd);
        struct timespec remis {};
        const bool remisEnPlace = ecrireModification(fd, avant.st_mtim, &remis);
        const int erreur = errno;
        ::close(fd);
        if (!remisEnPlace)
            throw ErreurService(raisonSysteme(erreur));
        throw ErreurLimites(debut, fin);
    }
    ::close(fd);
    // No Linux file system lets a program set the birth time.
    return creation == 0;
}

bool PosixFileTimes::showProperties(QWidget* /*proprietaire*/, const QString& chemin)
{
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected())
        return false;
    const QString service = QStringLiteral("org.freedesktop.FileManager1");
    QDBusConnectionInterface* bus = session.interface();
    if (!bus)
        return false;
    const bool present = bus->isServiceRegistered(service).value() ||
                         bus->activatableServiceNames().value().contains(service);
    if (!present)
        return false;
    QDBusMessage appel = QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/FileManager1"),
                                                        service, QStringLiteral("ShowItemProperties"));
    appel << QStringList{urlDeFichier(chemin)} << QString();
    const QDBusMessage reponse = session.call(appel, QDBus::Block, 5000);
    return reponse.type() == QDBusMessage::ReplyMessage;
}

} // namespace velmaro
