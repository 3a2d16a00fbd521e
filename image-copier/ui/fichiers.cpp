#include "image-copier/ui/fichiers.hpp"

#include "common/platform/erreur.hpp"
#include "common/platform/nomsnatifs.hpp"
#include "image-copier/ui/module1.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

namespace ostrelle {

using velmaro::ErreurService;

namespace {

// A path as the messages show it: native separators, bytes that are no text
// written readably, and a name too long for a message box cut in its middle.
QString natif(const QString& chemin)
{
    constexpr int longueurMax = 260;
    const QString texte = velmaro::nomLisible(QDir::toNativeSeparators(chemin));
    if (texte.size() <= longueurMax)
        return texte;
    return texte.left(longueurMax / 2) + QStringLiteral("…") + texte.right(longueurMax / 2);
}

// NAME_MAX of the usual file systems (bytes on Linux, UTF-16 units on Windows).
constexpr int longueurNomMax = 255;

bool nomTropLong(const QString& chemin)
{
    for (const QString& nom : QDir::fromNativeSeparators(chemin).split(QLatin1Char('/'))) {
        if (QFile::encodeName(nom).size() > longueurNomMax)
            return true;
    }
    return false;
}

// No write permission at all: read-only for every user, root included, as
// the read-only attribute is on Windows.
bool lectureSeule(const QFileInfo& info)
{
    return (info.permissions() & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther)) == 0;
}

// An existing target that can't be replaced, told before anything is written.
void verifierCible(const QString& cible)
{
    const QFileInfo info(cible);
    if (cible.trimmed().isEmpty() || cible.contains(QLatin1Char('*')) || cible.contains(QLatin1Char('?')))
        throw ErreurService(QStringLiteral("Nom de fichier incorrect : %1").arg(natif(cible)));
    if (nomTropLong(cible))
        throw ErreurService(QStringLiteral("Nom de fichier trop long : %1").arg(natif(cible)));
    if (info.isDir())
        throw ErreurService(QStringLiteral("Accès refusé : %1 est un dossier").arg(natif(cible)));
    // A device or a pipe would be replaced by a plain file.
    if (info.exists() && !info.isFile())
        throw ErreurService(QStringLiteral("Accès refusé : %1 n'est pas un fichier").arg(natif(cible)));
    if (info.exists() && (!info.isWritable() || lectureSeule(info)))
        throw ErreurService(QStringLiteral("Accès refusé : %1 est en lecture seule").arg(natif(cible)));
    if (!info.absoluteDir().exists())
        throw ErreurService(QStringLiteral("Chemin d'accès introuvable : %1").arg(natif(info.absolutePath())));
}

void ouvrirTemporaire(QSaveFile& sortie, const QString& cible)
{
    if (!sortie.open(QIODevice::WriteOnly))
        throw ErreurService(QStringLiteral("Impossible de créer le fichier %1 (%2)")
                                .arg(natif(cible), sortie.errorString()));
}

// What is still buffered is written first, so that a full disk is told as such.
void valider(QSaveFile& sortie, const QString& cible)
{
    if (!sortie.flush()) {
        const QString raison = sortie.errorString();
        sortie.cancelWriting();
        throw ErreurService(QStringLiteral("Impossible d'écrire le fichier %1 (%2)").arg(natif(cible), raison));
    }
    if (!sortie.commit())
        throw ErreurService(QStringLiteral("Impossible d'écrire le fichier %1 (%2)")
                                .arg(natif(cible), sortie.errorString()));
}

} // namespace

QString texteFichierIntrouvable(const QString& chemin)
{
    return QStringLiteral("Fichier introuvable : %1").arg(natif(chemin));
}

QString texteImageIncorrecte(const QString& chemin)
{
    return QStringLiteral("Image incorrecte : %1").arg(natif(chemin));
}

namespace {

// The file opened for reading by its exact name.
void ouvrirLecture(QFile& fichier, const QString& chemin)
{
    QString raison;
    if (!velmaro::ouvrirFichier(fichier, chemin, QIODevice::ReadOnly, &raison))
        throw ErreurService(QStringLiteral("Impossible de lire le fichier %1 (%2)").arg(natif(chemin), raison));
}

} // namespace

void verifierFichierImage(const QString& chemin)
{
    const velmaro::EtatFichier etat = velmaro::etatFichier(chemin);
    if (!etat.ordinaire)
        throw ErreurService(texteFichierIntrouvable(chemin));
    if (etat.taille > tailleMaxFichier)
        throw ErreurService(QStringLiteral("Fichier trop grand pour être une image : %1").arg(natif(chemin)));
    // A file that can't be read is told as such, not as a damaged picture.
    QFile essai;
    ouvrirLecture(essai, chemin);
    char octet = 0;
    if (essai.read(&octet, 1) < 0)
        throw ErreurService(QStringLiteral("Impossible de lire le fichier %1 (%2)").arg(natif(chemin), essai.errorString()));
}

ImageFichier ImageFichier::charger(const QString& chemin, const std::function<QSize(QSize)>& affichage)
{
    verifierFichierImage(chemin);
    const QFileInfo info(chemin);
    ImageFichier resultat;
    const bool extensionWmf = info.suffix().compare(QLatin1String("wmf"), Qt::CaseInsensitive) == 0;
    if (!extensionWmf) {
        // The content decides, as it does for the system's picture loader.
        QFile fichier;
        ouvrirLecture(fichier, chemin);
        QImageReader lecteur(&fichier);
        lecteur.setDecideFormatFromContent(true);
        const bool icone = lecteur.format() == "ico";
        const QSize propre = lecteur.size();
        if (!icone && affichage && propre.isValid()) {
            const QSize montree = affichage(propre);
            if (montree.isValid() && !montree.isEmpty() && montree.width() <= propre.width() &&
                montree.height() <= propre.height() && montree != propre)
                lecteur.setScaledSize(montree);
        }
        // An icon is shown the way the system draws it: its large icon image.
        QImage image = icone ? chargerFichierIco(chemin) : lecteur.read();
        if (!image.isNull()) {
            resultat.bitmap_ = image;
            resultat.taille_ = lecteur.scaledSize().isValid() && propre.isValid() ? propre : image.size();
            return resultat;
        }
        if (lecteur.error() == QImageReader::FileNotFoundError || lecteur.error() == QImageReader::DeviceError) {
            QFile essai;
            ouvrirLecture(essai, chemin);
        }
    }
    QString erreur;
    if (resultat.meta_.charger(chemin, &erreur) && !resultat.meta_.tailleNaturelle().isEmpty()) {
        resultat.metafichier_ = true;
        resultat.taille_ = resultat.meta_.tailleNaturelle();
        return resultat;
    }
    throw ErreurService(texteImageIncorrecte(chemin));
}

QImage ImageFichier::image(QSize taille) const
{
    if (taille.isEmpty())
        taille = taille_;
    if (metafichier_)
        return meta_.image(taille);
    if (taille == bitmap_.size())
        return bitmap_;
    return bitmap_.scaled(taille, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

bool copierFichier(const QString& source, const QString& cible)
{
    if (!velmaro::etatFichier(source).ordinaire)
        throw ErreurService(texteFichierIntrouvable(source));
    const QString canonique = velmaro::cheminCanonique(cible);
    if (!canonique.isEmpty() && canonique == velmaro::cheminCanonique(source))
        return false;
    verifierCible(cible);

    QFile entree;
    ouvrirLecture(entree, source);
    QSaveFile sortie(cible);
    ouvrirTemporaire(sortie, cible);
    QByteArray bloc;
    for (;;) {
        bloc = entree.read(1 << 16);
        if (bloc.isEmpty()) {
            if (entree.error() != QFileDevice::NoError || !entree.atEnd()) {
                sortie.cancelWriting();
                throw ErreurService(QStringLiteral("Impossible de lire le fichier %1 (%2)")
                                        .arg(natif(source), entree.errorString()));
            }
            break;
        }
        if (sortie.write(bloc) != bloc.size()) {
            const QString raison = sortie.errorString();
            sortie.cancelWriting();
            throw ErreurService(QStringLiteral("Impossible d'écrire le fichier %1 (%2)").arg(natif(cible), raison));
        }
    }
    valider(sortie, cible);
    return true;
}

void ecrireBmp(const QImage& image, const QString& cible)
{
    verifierCible(cible);
    QSaveFile sortie(cible);
    ouvrirTemporaire(sortie, cible);
    QImageWriter ecrivain(&sortie, "bmp");
    if (!ecrivain.write(image.convertToFormat(QImage::Format_RGB32))) {
        const QString raison = ecrivain.errorString();
        sortie.cancelWriting();
        throw ErreurService(QStringLiteral("Impossible d'écrire le fichier %1 (%2)").arg(natif(cible), raison));
    }
    valider(sortie, cible);
}

} // namespace ostrelle
