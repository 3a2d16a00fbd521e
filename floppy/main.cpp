#include "common/platform/services.hpp"
#include "common/ui/polices.hpp"
#include "floppy/ui/feuille1.hpp"
#include "floppy/ui/images.hpp"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Merlidan"));
    QApplication::setWindowIcon(merlidan::iconeMerlidan());
    velmaro::enregistrerSubstituts();
    QApplication::setFont(velmaro::policeParDefaut());
    merlidan::Feuille1 f(velmaro::realServices());
    f.show();
    return app.exec();
}
