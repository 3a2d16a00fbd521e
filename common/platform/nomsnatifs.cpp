#include "common/platform/nomsnatifs.hpp"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#ifndef Q_OS_WIN
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace velmaro {

namespace {

constexpr char16_t premierOctetGarde = 0xDC80;
constexpr char16_t dernierOctetGarde = 0xDCFF;

// Whether the unit at i is a byte kept as a lone surrogate, not the second half of a pair.
bool octetGarde(const QChar* d, qsizetype i)
{
    const char16_t u = d[i].unicode();
    return u >= premierOctetGarde && u <= dernierOctetGarde && (i == 0 || !d[i - 1].isHighSurrogate());
}

#ifndef Q_OS_WIN
QString raisonSysteme(int erreur)
{
    return QString::fromLocal8Bit(std::strerror(erreur));
}

QDateTime moment(std::int64_t secondes, std::int64_t nanosecondes)
{
    return QDateTime::fromMSecsSinceEpoch(secondes * 1000 + nanosecondes / 1000000);
}
#endif

} // namespace

QString depuisNomNatif(const QByteArray& octets)
{
#ifdef Q_OS_WIN
    return QFile::decodeName(octets);
#else
    const auto* p = reinterpret_cast<const unsigned char*>(octets.constData());
    const qsizetype n = octets.size();
    QString nom;
    nom.reserve(n);
    qsizetype i = 0;
    while (i < n) {
        const unsigned c = p[i];
        if (c < 0x80) {
            nom += QChar(char16_t(c));
            ++i;
            continue;
        }
        // Strict UTF-8: no overlong form, no surrogate, nothing above U+10FFFF.
        int longueur = 0;
        char32_t point = 0, minimum = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            longueur = 2;
            point = c & 0x1F;
            minimum = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            longueur = 3;
            point = c & 0x0F;
            minimum = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            longueur = 4;
            point = c & 0x07;
            minimum = 0x10000;
        }
        bool valide = longueur > 0 && i + longueur <= n;
        for (int k = 1; valide && k < longueur; ++k) {
            const unsigned suite = p[i + k];
            valide = (suite & 0xC0) == 0x80;
            point = (point << 6) | (suite & 0x3F);
        }
        valide = valide && point >= minimum && point <= 0x10FFFF && (point < 0xD800 || point > 0xDFFF);
        if (!valide) {
            nom += QChar(char16_t(0xDC00 + c));
            ++i;
            continue;
        }
        if (point < 0x10000) {
            nom += QChar(char16_t(point));
        } else {
            nom += QChar(QChar::highSurrogate(point));
            nom += QChar(QChar::lowSurrogate(point));
        }
        i += longueur;
    }
    return nom;
#endif
}

QByteArray versNomNatif(const QString& nom)
{
#ifdef Q_OS_WIN
    return QFile::encodeName(nom);
#else
    QByteArray octets;
    octets.reserve(nom.size());
    const QChar* d = nom.constData();
    qsizetype debut = 0;
    for (qsizetype i = 0; i < nom.size(); ++i) {
        if (!octetGarde(d, i))
            continue;
        octets += QStringView(d + debut, i - debut).toUtf8();
        octets += char(d[i].unicode() - 0xDC00);
        debut = i + 1;
    }
    octets += QStringView(d + debut, nom.size() - debut).toUtf8();
    return octets;
#endif
}

QString nomLisible(const QString& nom)
{
#ifdef Q_OS_WIN
    return nom;
#endif
    const QChar* d = nom.constData();
    QString lisible;
    for (qsizetype i = 0; i < nom.size(); ++i) {
        if (octetGarde(d, i))
            lisible += QStringLiteral("\\x") + QString::number(d[i].unicode() - 0xDC00, 16).toUpper();
        else
            lisible += d[i];
    }
    return lisible;
}

bool ouvrirFichier(QFile& fichier, const QString& chemin, QIODevice::OpenMode mode, QString* raison)
{
#ifdef Q_OS_WIN
    fichier.setFileName(chemin);
    if (fichier.open(mode))
        return true;
    if (raison)
        *raison = fichier.errorString();
    return false;
#else
    int drapeaux = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    if ((mode & QIODevice::ReadWrite) == QIODevice::ReadWrite)
        drapeaux |= O_RDWR;
    else if (mode & QIODevice::WriteOnly)
        drapeaux |= O_WRONLY;
    else
        drapeaux |= O_RDONLY;
    const int fd = ::open(versNomNatif(chemin).constData(), drapeaux);
    if (fd < 0) {
        if (raison)
            *raison = raisonSysteme(errno);
        return false;
    }
    // Not blocking was for the opening; reads of a file wait as usual.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!fichier.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        if (raison)
            *raison = fichier.errorString();
        return false;
    }
    return true;
#endif
}

EtatFichier etatFichier(const QString& chemin)
{
    EtatFichier etat;
#ifdef Q_OS_WIN
    const QFileInfo info(chemin);
    etat.existe = info.exists();
    etat.ordinaire = info.isFile();
    etat.dossier = info.isDir();
    etat.taille = info.size();
    etat.creation = info.birthTime();
    etat.modification = info.lastModified();
    etat.acces = info.lastRead();
#else
    const QByteArray nom = versNomNatif(chemin);
    struct statx x {};
    if (::statx(AT_FDCWD, nom.constData(), 0, STATX_BASIC_STATS | STATX_BTIME, &x) == 0) {
        etat.existe = true;
        etat.ordinaire = S_ISREG(x.stx_mode);
        etat.dossier = S_ISDIR(x.stx_mode);
        etat.taille = static_cast<qint64>(x.stx_size);
        if (x.stx_mask & STATX_BTIME)
            etat.creation = moment(x.stx_btime.tv_sec, x.stx_btime.tv_nsec);
        etat.modification = moment(x.stx_mtime.tv_sec, x.stx_mtime.tv_nsec);
        etat.acces = moment(x.stx_atime.tv_sec, x.stx_atime.tv_nsec);
        return etat;
    }
    // Systems without statx.
    struct stat s {};
    if (errno != ENOSYS || ::stat(nom.constData(), &s) != 0)
        return etat;
    etat.existe = true;
    etat.ordinaire = S_ISREG(s.st_mode);
    etat.dossier = S_ISDIR(s.st_mode);
    etat.taille = static_cast<qint64>(s.st_size);
    etat.modification = moment(s.st_mtim.tv_sec, s.st_mtim.tv_nsec);
    etat.acces = moment(s.st_atim.tv_sec, s.st_atim.tv_nsec);
#endif
    return etat;
}

QString cheminCanonique(const QString& chemin)
{
#ifdef Q_OS_WIN
    return QFileInfo(chemin).canonicalFilePath();
#else
    char* resolu = ::realpath(versNomNatif(chemin).constData(), nullptr);
    if (!resolu)
        return {};
    const QString canonique = depuisNomNatif(QByteArray(resolu));
    std::free(resolu);
    return canonique;
#endif
}

QString urlDeFichier(const QString& chemin)
{
#ifdef Q_OS_WIN
    return QUrl::fromLocalFile(chemin).toString();
#else
    const QByteArray absolu = versNomNatif(QDir::isAbsolutePath(chemin) ? chemin : QDir::current().filePath(chemin));
    // Decoded where the bytes are text; what is not stays percent-encoded.
    return QUrl::fromEncoded("file://" + absolu.toPercentEncoding("/")).toString();
#endif
}

} // namespace velmaro
