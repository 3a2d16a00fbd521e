#include "image-copier/ui/metafichierqt.hpp"

namespace ostrelle {
class Metafichier {};

MetafichierQt::MetafichierQt() = default;
MetafichierQt::~MetafichierQt() = default;
MetafichierQt::MetafichierQt(const MetafichierQt&) = default;
MetafichierQt& MetafichierQt::operator=(const MetafichierQt&) = default;
bool MetafichierQt::charger(const QString&, QString* erreur)
{
    if (erreur) *erreur = QStringLiteral("Métafichier illisible");
    return false;
}
bool MetafichierQt::chargerOctets(const QByteArray&, QString* erreur)
{
    if (erreur) *erreur = QStringLiteral("Métafichier illisible");
    return false;
}
bool MetafichierQt::estCharge() const { return false; }
QSize MetafichierQt::tailleNaturelle() const { return {}; }
QImage MetafichierQt::image(QSize) const { return {}; }
void MetafichierQt::dessiner(QPainter&, const QRectF&) const {}
QString MetafichierQt::avertissement() const { return {}; }
} // namespace ostrelle
