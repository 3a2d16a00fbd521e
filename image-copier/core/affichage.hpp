#pragma once
// Where a picture goes in the image area: scaled down to fit, never enlarged,
// centred. Everything in twips.

namespace ostrelle {

struct ZoneImage {
    static constexpr double gauche = 2100;
    static constexpr double haut = 60;
    static constexpr double largeur = 3200;
    static constexpr double hauteur = 2400;
};

struct PlacementImage {
    double gauche = 0;
    double haut = 0;
    double largeur = 0;
    double hauteur = 0;
    bool etire = false; // the picture is drawn at this size rather than its own
};

// A picture of its own size largeur × hauteur (twips).
PlacementImage placerImage(double largeur, double hauteur);

} // namespace ostrelle
