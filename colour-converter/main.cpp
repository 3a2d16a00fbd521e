#include "colour-converter/ui/fenprin.hpp"
#include "common/platform/services.hpp"
#include "common/ui/polices.hpp"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tintara"));
    velmaro::enregistrerSubstituts();
    QApplication::setFont(velmaro::policeParDefaut());
    tintara::FenPrin f(velmaro::realServices());
    f.show();
    return app.exec();
}
