#include "common/platform/services.hpp"
#include "common/ui/demarrage.hpp"
#include "file-times/ui/principal.hpp"

#include <QApplication>

int main(int argc, char** argv)
{
    velmaro::preparerPlateforme(argc, argv);
    QApplication app(argc, argv);
    if (const auto fin = velmaro::demarrer(QStringLiteral("Kalvent"), QStringLiteral("kalvent")))
        return *fin;
    kalvent::Principal f(velmaro::realServices());
    f.show();
    return app.exec();
}
