// Ostrelle: image browser and icon copier.
#include "common/ui/polices.hpp"
#include "image-copier/ui/fenprin.hpp"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ostrelle"));
    velmaro::enregistrerSubstituts();
    QApplication::setFont(velmaro::policeParDefaut());
    QApplication::setWindowIcon(ostrelle::iconeOstrelle());
    ostrelle::FenPrin f(velmaro::realServices());
    f.show();
    return app.exec();
}
