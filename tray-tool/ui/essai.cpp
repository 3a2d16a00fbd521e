#include "tray-tool/ui/essai.hpp"

namespace somnelle {

namespace {

void ecrire(std::FILE* sortie, const QString& ligne)
{
    std::fprintf(sortie, "somnelle --dry-run: %s\n", ligne.toLocal8Bit().constData());
    std::fflush(sortie);
}

} // namespace

void PuissanceEssai::shutdown() { ecrire(sortie_, QStringLiteral("shutdown (ExitWindowsEx 65)")); }
void PuissanceEssai::reboot() { ecrire(sortie_, QStringLiteral("reboot (ExitWindowsEx 66)")); }

void LanceurEssai::start(const QString& programme, const QStringList& arguments)
{
    QString ligne = QStringLiteral("start \"%1\"").arg(programme);
    for (const QString& a : arguments)
        ligne += QStringLiteral(" \"%1\"").arg(a);
    ecrire(sortie_, ligne);
}

void LanceurEssai::openUrl(const QUrl& adresse)
{
    ecrire(sortie_, QStringLiteral("open %1").arg(adresse.toString()));
}

} // namespace somnelle
