#include "common/ui/demarrage.hpp"

#include "common/platform/services.hpp"
#include "common/ui/icones.hpp"
#include "common/ui/polices.hpp"

#include <QApplication>

#include <cstdio>

namespace velmaro {

std::optional<int> demarrer(const QString& nom, const QString& identifiant)
{
    QApplication::setApplicationName(nom);
    QApplication::setWindowIcon(iconeProgramme(identifiant));
    enregistrerSubstituts();
    QApplication::setFont(policeParDefaut());
    if (QApplication::arguments().contains(QStringLiteral("--program-folder"))) {
        std::printf("%s\n", qPrintable(realServices().programFolder.path()));
        return 0;
    }
    return std::nullopt;
}

} // namespace velmaro
