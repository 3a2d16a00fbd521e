// clipbrd: shows what the clipboard holds right now, text or picture, and
// follows each change. The suite's "Presse-papiers" buttons start it.
#include "clipboard-viewer/visionneuse.hpp"

#include "common/ui/polices.hpp"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Presse-papiers"));
    velmaro::enregistrerSubstituts();
    clipbrd::Visionneuse fenetre;
    fenetre.show();
    return app.exec();
}
