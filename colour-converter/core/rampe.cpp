#include "colour-converter/core/rampe.hpp"

#include <cstdint>

namespace tintara {

void dessinerRampeBleue(Canevas& canevas, int rouge, int vert, int yPresse, int largeur, int hauteur)
{
    if (largeur <= 0 || hauteur <= 0)
        return;
    // Band edge k lies 2k units below the press; a unit is hauteur/512 rows.
    // Rounding each edge (not each height) keeps the bands edge to edge.
    auto bord = [&](int k) {
        const std::int64_t decalage = (std::int64_t{k} * unitesParBande * hauteur + unitesVerticales / 2) / unitesVerticales;
        return yPresse + static_cast<int>(decalage);
    };
    for (int i = 0; i < bandesRampe; ++i) {
        const int haut = bord(i);
        if (haut >= hauteur)
            break;
        const int bas = bord(i + 1);
        if (bas > haut)
            canevas.rectanglePlein(0, haut, largeur, bas - haut, rgb(rouge, vert, i));
    }
}

} // namespace tintara
