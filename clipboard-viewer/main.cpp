// clipbrd: shows what the clipboard holds right now, text or picture, and
// follows each change. The suite's "Presse-papiers" buttons start it.
#include "clipboard-viewer/visionneuse.hpp"

#include "common/ui/demarrage.hpp"

#include <QApplication>

int main(int argc, char** argv)
{
    velmaro::preparerPlateforme(argc, argv);
    QApplication app(argc, argv);
    if (const auto fin = velmaro::demarrer(QStringLiteral("Presse-papiers"), QStringLiteral("clipbrd")))
        return *fin;
    clipbrd::Visionneuse fenetre;
    fenetre.show();
    return app.exec();
}
