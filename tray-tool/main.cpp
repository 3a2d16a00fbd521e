// Somnelle: three icons in the notification area, no window until the
// standby screen. "--dry-run" prints power requests and launches instead of
// making them.
#include "common/ui/demarrage.hpp"
#include "tray-tool/ui/essai.hpp"
#include "tray-tool/ui/fentray.hpp"

#include <QApplication>

int main(int argc, char** argv)
{
    velmaro::preparerPlateforme(argc, argv);
    QApplication app(argc, argv);
    if (const auto fin = velmaro::demarrer(QStringLiteral("Somnelle"), QStringLiteral("somnelle")))
        return *fin;
    // The standby screen is the only window ever shown; closing it must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    velmaro::Services& reels = velmaro::realServices();
    somnelle::PuissanceEssai puissanceEssai;
    somnelle::LanceurEssai lanceurEssai;
    const bool essai = QApplication::arguments().contains(QStringLiteral("--dry-run"));
    velmaro::Services services =
        essai ? velmaro::Services{reels.clipboard, lanceurEssai, reels.messages, reels.dialogs, puissanceEssai,
                                  reels.fileTimes, reels.tray, reels.registry, reels.programFolder, reels.clock}
              : reels;

    if (!somnelle::zoneNotificationPresente(services))
        return 1;
    somnelle::FenTray fenTray(services);
    fenTray.module().iconesApresDemande = essai;
    return app.exec();
}
