#pragma once
// The icons of the chosen program or library file: the file is read and
// indexed once when it is chosen; each arrow click then draws the icon at the
// cursor into the picture box and moves the cursor.
#include "image-copier/core/curseur.hpp"
#include "image-copier/core/icones.hpp"

#include <QHash>
#include <QImage>
#include <QString>
#include <memory>

namespace ostrelle {

class BoiteImage;

// The largest file read as a picture or searched for icons: beyond it a file
// is no picture or library the program shows, and reading it all would only
// fill the memory.
constexpr qint64 tailleMaxFichier = qint64(256) << 20;

// The bytes of a one-image .ico decoded and brought to the large icon size
// (32 × 32) as the system draws icons; null when they can't be decoded.
QImage decoderIcone(const std::vector<std::uint8_t>& ico);

// An .ico file, read as the system reads it: the image closest to 32 × 32,
// at that size. Null when the file can't be read or holds no icon; only a
// regular file of at most tailleMaxFichier bytes is read.
QImage chargerFichierIco(const QString& chemin);

class Module1 {
public:
    EtatIcones etat;

    QString FichierIcones() const { return QString::fromStdString(etat.fichierIcones); }
    // Reads and indexes a file (a file that can't be read, a folder, a device
    // or a file larger than tailleMaxFichier has no icons).
    void choisirFichier(const QString& chemin);
    const RessourcesIcones* icones() const { return icones_.get(); }

    // Draws the icon at the cursor into the box, at its top-left corner, and
    // moves the cursor. Returns whether something was drawn.
    bool AfficherIcone(BoiteImage& picture);

private:
    QImage icone(int index);
    std::unique_ptr<RessourcesIcones> icones_;
    QHash<int, QImage> decodees_;
};

} // namespace ostrelle
