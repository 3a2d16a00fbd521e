#include "image-copier/ui/module1.hpp"

#include "common/platform/nomsnatifs.hpp"
#include "image-copier/ui/controles.hpp"

#include <QByteArray>
#include <QFile>

namespace ostrelle {

namespace {

// The whole of a regular file, or nothing: a pipe would block the window,
// a device or an oversized file never end or fill the memory.
std::vector<std::uint8_t> lireOctets(const QString& chemin)
{
    const velmaro::EtatFichier etat = velmaro::etatFichier(chemin);
    if (!etat.ordinaire || etat.taille > tailleMaxFichier)
        return {};
    QFile fichier;
    if (!velmaro::ouvrirFichier(fichier, chemin, QIODevice::ReadOnly))
        return {};
    std::vector<std::uint8_t> octets(static_cast<std::size_t>(etat.taille));
    qint64 lus = 0;
    while (lus < etat.taille) {
        const qint64 n = fichier.read(reinterpret_cast<char*>(octets.data()) + lus, etat.taille - lus);
        if (n <= 0)
            break;
        lus += n;
    }
    if (fichier.error() != QFileDevice::NoError)
        return {};
    // A file that shrank meanwhile is what was there.
    octets.resize(static_cast<std::size_t>(lus));
    return octets;
}

} // namespace

QImage decoderIcone(const std::vector<std::uint8_t>& ico)
{
    if (ico.size() <= 22)
        return {};
    const QByteArray octets(reinterpret_cast<const char*>(ico.data()), static_cast<qsizetype>(ico.size()));
    QImage image = QImage::fromData(octets, "ICO");
    if (image.isNull() && octets.mid(22, 4) == QByteArray("\x89PNG", 4))
        image = QImage::fromData(octets.mid(22), "PNG");
    if (image.isNull())
        return {};
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.size() != QSize(tailleGrandeIcone, tailleGrandeIcone))
        image = image.scaled(tailleGrandeIcone, tailleGrandeIcone, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

QImage chargerFichierIco(const QString& chemin)
{
    const RessourcesIcones ressources(lireOctets(chemin));
    if (ressources.format() != FormatIcones::Ico)
        return {};
    return decoderIcone(ressources.icone(0));
}

void Module1::choisirFichier(const QString& chemin)
{
    etat.fichierIcones = chemin.toStdString();
    icones_ = std::make_unique<RessourcesIcones>(lireOctets(chemin));
    decodees_.clear();
}

QImage Module1::icone(int index)
{
    if (!icones_ || index < 0 || static_cast<std::size_t>(index) >= icones_->nombre())
        return {};
    const auto trouvee = decodees_.constFind(index);
    if (trouvee != decodees_.constEnd())
        return *trouvee;
    const QImage image = decoderIcone(icones_->icone(static_cast<std::size_t>(index)));
    decodees_.insert(index, image);
    return image;
}

bool Module1::AfficherIcone(BoiteImage& picture)
{
    const std::optional<int> index = afficherIcone(etat, [this](int n) { return !icone(n).isNull(); });
    if (!index)
        return false;
    picture.dessiner(icone(*index));
    return true;
}

} // namespace ostrelle
