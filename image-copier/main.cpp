// Ostrelle: image browser and icon copier.
#include "common/ui/demarrage.hpp"
#include "image-copier/ui/fenprin.hpp"

#include <QApplication>

int main(int argc, char** argv)
{
    velmaro::preparerPlateforme(argc, argv);
    QApplication app(argc, argv);
    if (const auto fin = velmaro::demarrer(QStringLiteral("Ostrelle"), QStringLiteral("ostrelle")))
        return *fin;
    ostrelle::FenPrin f(velmaro::realServices());
    f.show();
    return app.exec();
}
