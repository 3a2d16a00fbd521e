#include "image-copier/core/affichage.hpp"

#include <algorithm>

namespace ostrelle {

PlacementImage placerImage(double largeur, double hauteur)
{
    PlacementImage p;
    p.largeur = largeur;
    p.hauteur = hauteur;
    if (largeur > ZoneImage::largeur || hauteur > ZoneImage::hauteur) {
        // The ratio is a single-precision number, as the control's sizes are.
        const float rapport = std::max(static_cast<float>(largeur) / static_cast<float>(ZoneImage::largeur),
                                       static_cast<float>(hauteur) / static_cast<float>(ZoneImage::hauteur));
        p.etire = true;
        p.largeur = static_cast<float>(largeur) / rapport;
        p.hauteur = static_cast<float>(hauteur) / rapport;
    }
    p.haut = (ZoneImage::hauteur - p.hauteur) / 2 + ZoneImage::haut;
    p.gauche = (ZoneImage::largeur - p.largeur) / 2 + ZoneImage::gauche;
    return p;
}

} // namespace ostrelle
