#pragma once
// Drawing rules of the full-screen view: the blue ramp painted on the view's
// black background under the current red and green.
#include "colour-converter/core/notations.hpp"

namespace tintara {

// Where the full-screen view draws; the ui implements it with QPainter.
class Canevas {
public:
    virtual ~Canevas() = default;
    // Fills the pixel rectangle whose top-left corner is (x, y).
    virtual void rectanglePlein(int x, int y, int largeur, int hauteur, Couleur couleur) = 0;
};

constexpr int bandesRampe = 256;
// The window is ruled 512 units high for the ramp; each band is 2 units.
constexpr int unitesVerticales = 512;
constexpr int unitesParBande = 2;

// 256 bands, from the press row downwards, each as wide as the window: blue
// rising from 0 to 255 under the given red and green. Rows are pixels of a
// client area largeur x hauteur; bands below the bottom edge are not drawn.
void dessinerRampeBleue(Canevas& canevas, int rouge, int vert, int yPresse, int largeur, int hauteur);

} // namespace tintara
