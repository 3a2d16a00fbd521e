#include "common/platform/dossiers.hpp"

#include "common/platform/win32/systeme.hpp"

#include <QDir>

namespace velmaro {

QStringList nomsDeFichiers(const QString& dossier)
{
    QStringList noms;
    for (const std::string& nom : win32::nomsDeFichiers(QDir::toNativeSeparators(dossier).toStdString()))
        noms << QString::fromStdString(nom);
    return noms;
}

} // namespace velmaro
