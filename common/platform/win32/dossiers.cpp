#include "common/platform/dossiers.hpp"

#include <QDirIterator>

namespace velmaro {

QStringList nomsDeFichiers(const QString& dossier)
{
    QStringList noms;
    QDirIterator entrees(dossier, QDir::Files);
    while (entrees.hasNext()) {
        entrees.next();
        noms << entrees.fileName();
    }
    return noms;
}

} // namespace velmaro
