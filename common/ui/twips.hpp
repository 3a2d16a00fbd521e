#pragma once
// Layout unit of every window table: 15 twips make one pixel at 96 dots per inch.
#include <QRect>
#include <QSize>
#include <cmath>

namespace velmaro {

constexpr int twipsParPixel = 15;

constexpr int px(int twips)
{
    // Round half away from zero, like the run time's own conversion.
    return twips >= 0 ? (twips + twipsParPixel / 2) / twipsParPixel
                      : -((-twips + twipsParPixel / 2) / twipsParPixel);
}

inline QRect twips(int gauche, int haut, int largeur, int hauteur)
{
    return QRect(px(gauche), px(haut), px(largeur), px(hauteur));
}

inline QSize twipsTaille(int largeur, int hauteur)
{
    return QSize(px(largeur), px(hauteur));
}

} // namespace velmaro
