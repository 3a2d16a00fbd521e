// Brevolet: composes a message box and hands back the line of Visual Basic
// code that shows it.
#include "common/platform/services.hpp"
#include "common/ui/demarrage.hpp"
#include "msgbox-editor/ui/fenprin.hpp"

#include <QApplication>

int main(int argc, char** argv)
{
    velmaro::preparerPlateforme(argc, argv);
    QApplication app(argc, argv);
    if (const auto fin = velmaro::demarrer(QStringLiteral("Brevolet"), QStringLiteral("brevolet")))
        return *fin;
    brevolet::FenPrin f(velmaro::realServices());
    f.show();
    return app.exec();
}
