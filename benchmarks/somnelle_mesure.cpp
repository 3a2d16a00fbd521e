// Somnelle as its main starts it, for the start-up, idle and standby
// measures: the offscreen platform has no notification area, so the icons go
// to a stand-in; power requests and launches are printed, never made.
// "--veille" opens the standby screen at once, as a click on its icon does.
#include "common/testing/fakes.hpp"
#include "common/ui/demarrage.hpp"
#include "tray-tool/ui/essai.hpp"
#include "tray-tool/ui/fentray.hpp"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (const auto fin = velmaro::demarrer(QStringLiteral("Somnelle"), QStringLiteral("somnelle")))
        return *fin;
    QApplication::setQuitOnLastWindowClosed(false);

    velmaro::Services& reels = velmaro::realServices();
    velmaro::testing::FakeTray zone;
    somnelle::PuissanceEssai puissance;
    somnelle::LanceurEssai lanceur;
    velmaro::Services services{reels.clipboard, lanceur,    reels.messages,      reels.dialogs, puissance,
                               reels.fileTimes, zone,       reels.registry,      reels.programFolder, reels.clock};
    if (!somnelle::zoneNotificationPresente(services))
        return 1;
    somnelle::FenTray fenTray(services);
    if (QApplication::arguments().contains(QStringLiteral("--veille")))
        fenTray.module().montrerFond();
    return app.exec();
}
