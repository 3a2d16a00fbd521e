#include "common/platform/services.hpp"
#include "common/ui/polices.hpp"
#include "file-times/ui/principal.hpp"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvent"));
    velmaro::enregistrerSubstituts();
    QApplication::setFont(velmaro::policeParDefaut());
    kalvent::Principal f(velmaro::realServices());
    f.show();
    return app.exec();
}
