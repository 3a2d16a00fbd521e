#include "common/platform/services.hpp"
#include "common/ui/demarrage.hpp"
#include "floppy/ui/feuille1.hpp"
#include "floppy/ui/images.hpp"

#include <QApplication>

int main(int argc, char** argv)
{
    velmaro::preparerPlateforme(argc, argv);
    QApplication app(argc, argv);
    if (const auto fin = velmaro::demarrer(QStringLiteral("Merlidan"), QStringLiteral("merlidan")))
        return *fin;
    merlidan::Feuille1 f(velmaro::realServices());
    f.show();
    return app.exec();
}
