#include "common/platform/dossiers.hpp"

#include "common/platform/nomsnatifs.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace velmaro {

QStringList nomsDeFichiers(const QString& dossier)
{
    QStringList noms;
    DIR* d = ::opendir(versNomNatif(dossier).constData());
    if (!d)
        return noms;
    const int fd = ::dirfd(d);
    while (const dirent* e = ::readdir(d)) {
        if (e->d_name[0] == '.') // hidden, and "." and ".."
            continue;
        bool fichier = e->d_type == DT_REG;
        // A link counts by what it points to; some file systems tell no kind.
        if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
            struct stat etat {};
            fichier = ::fstatat(fd, e->d_name, &etat, 0) == 0 && S_ISREG(etat.st_mode);
        }
        if (fichier)
            noms << depuisNomNatif(QByteArray(e->d_name));
    }
    ::closedir(d);
    return noms;
}

} // namespace velmaro
