#pragma once
// Pictures read from files, and the files the window writes. Paths are the
// file list's exact ones (nomsnatifs.hpp). Failures throw
// velmaro::ErreurService with the text the user is shown.
#include "common/platform/nomsnatifs.hpp"
#include "image-copier/ui/metafichierqt.hpp"

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

namespace ostrelle {

// A picture as the image control shows it: a bitmap (BMP, DIB, RLE, JPEG,
// GIF, ICO...) or a metafile drawn at any size.
class ImageFichier {
public:
    // Reads a picture file; throws when it is not a picture that can be shown.
    // With `affichage` (its own size -> the size it is shown at), a bitmap
    // shown smaller than its own size is decoded at the shown size, at a
    // fraction of the cost where the format allows it (JPEG): image() at a
    // larger size is then scaled up from it.
    static ImageFichier charger(const QString& chemin, const std::function<QSize(QSize)>& affichage = {});

    bool estMetafichier() const { return metafichier_; }
    // The picture's own size in pixels.
    QSize taille() const { return taille_; }
    // The picture at a size (its own size when empty), from the decoded bitmap.
    QImage image(QSize taille = {}) const;

private:
    bool metafichier_ = false;
    QSize taille_;
    QImage bitmap_;
    MetafichierQt meta_;
};

// The platform's text for a file that is not there, and for one that is not a picture.
QString texteFichierIntrouvable(const QString& chemin);
QString texteImageIncorrecte(const QString& chemin);

// Throws unless a path is a regular file small enough to be read as a picture.
void verifierFichierImage(const QString& chemin);

// Copies a file through a temporary file beside the target, which then
// replaces it: a failed copy leaves an existing target as it was.
// Returns false, copying nothing, when the target is the source itself.
bool copierFichier(const QString& source, const QString& cible);

// Writes an image as a Windows BMP file under that exact name, through a
// temporary file as above.
void ecrireBmp(const QImage& image, const QString& cible);

} // namespace ostrelle
