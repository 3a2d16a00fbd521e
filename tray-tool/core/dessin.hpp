#pragma once
// The drawing rules of the standby screen: one shape every step, at random
// places in random colours, from the standby settings; the picture is wiped
// every 272 steps. Coordinates and radii are in twips, pen widths in pixels.
#include "tray-tool/core/reglages.hpp"

#include <cstdint>
#include <functional>

namespace somnelle {

// A colour value: red + 256 * green + 65536 * blue.
using Couleur = std::uint32_t;

constexpr Couleur RGB(int rouge, int vert, int bleu)
{
    return static_cast<Couleur>(rouge) | (static_cast<Couleur>(vert) << 8) | (static_cast<Couleur>(bleu) << 16);
}

// What the standby window draws on. Shapes stay until cleared.
class Canevas {
public:
    virtual ~Canevas() = default;
    // Paints everything black.
    virtual void effacer() = 0;
    // A disc of the fill colour with an outline of the given colour, the
    // pen centred on the circle.
    virtual void cercle(double x, double y, double rayon, Couleur contour, Couleur remplissage, int plume) = 0;
    virtual void ligne(double x1, double y1, double x2, double y2, Couleur couleur, int plume) = 0;
};

// The nearest integer, a half going to the even neighbour.
int N(double x);

class DessinVeille {
public:
    // alea: uniform numbers in [0, 1).
    DessinVeille(ReglagesVeille& reglages, std::function<double()> alea);

    // The drawing part of the load: screen size in twips, pen width, counter.
    void Form_Load(float largeurEcran, float hauteurEcran);

    // One step; the screen width in twips is read again for the pen width.
    void Timer1_Timer(Canevas& canevas, float largeurEcranActuelle);

    int plume() const { return plume_; }
    float LargeurEcran = 0;
    float HauteurEcran = 0;

private:
    float random();
    void epaisseur(float largeurEcran);

    ReglagesVeille& reglages_;
    std::function<double()> alea_;
    int plume_ = 1;
};

} // namespace somnelle
