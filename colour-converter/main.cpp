#include "colour-converter/ui/fenprin.hpp"
#include "common/platform/services.hpp"
#include "common/ui/demarrage.hpp"

#include <QApplication>

int main(int argc, char** argv)
{
    velmaro::preparerPlateforme(argc, argv);
    QApplication app(argc, argv);
    if (const auto fin = velmaro::demarrer(QStringLiteral("Tintara"), QStringLiteral("tintara")))
        return *fin;
    tintara::FenPrin f(velmaro::realServices());
    f.show();
    return app.exec();
}
