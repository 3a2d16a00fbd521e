#include "common/platform/posix/posixservices.hpp"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QUrl>

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

} // namespace

bool PosixFileTimes::setTimes(const QString& chemin, std::uint64_t creation, std::uint64_t ecriture)
{
    const QByteArray nom = QFile::encodeName(chemin);
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
    struct timespec temps[2];
    temps[0].tv_sec = 0;
    temps[0].tv_nsec = UTIME_OMIT;
    if (ecriture == 0) {
        temps[1].tv_sec = 0;
        temps[1].tv_nsec = UTIME_OMIT;
    } else {
        temps[1] = versTimespec(ecriture);
    }
    const int resultat = ::futimens(fd, temps);
    const int erreur = errno;
    ::close(fd);
    if (resultat != 0)
        throw ErreurService(raisonSysteme(erreur));
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
    appel << QStringList{QUrl::fromLocalFile(chemin).toString()} << QString();
    const QDBusMessage reponse = session.call(appel, QDBus::Block, 5000);
    return reponse.type() == QDBusMessage::ReplyMessage;
}

} // namespace velmaro
