#include "tray-tool/core/dessin.hpp"

#include "common/core/arrondi.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

namespace somnelle {

namespace {

constexpr std::int16_t tracesAvantEffacement = 272;

// A pen is at least one pixel wide.
int largeurPlume(double x) { return std::max(1, N(x)); }

} // namespace

int N(double x) { return static_cast<int>(velmaro::arrondiPair(x)); }

DessinVeille::DessinVeille(ReglagesVeille& reglages, std::function<double()> alea)
    : reglages_(reglages), alea_(std::move(alea))
{
}

float DessinVeille::random()
{
    // Single precision, strictly below 1 even when the double rounds up.
    const float r = static_cast<float>(alea_());
    if (!(r >= 0.0f))
        return 0.0f;
    return r < 1.0f ? r : std::nextafter(1.0f, 0.0f);
}

void DessinVeille::Form_Load(float largeurEcran, float hauteurEcran)
{
    LargeurEcran = largeurEcran;
    HauteurEcran = hauteurEcran;
    plume_ = largeurPlume(largeurEcran / 300.0f);
    reglages_.CompteurTraces = 0;
}

void DessinVeille::epaisseur(float S)
{
    const ReglagesVeille& r = reglages_;
    if (r.Fin)
        plume_ = 2;
    else if (r.Moyen)
        plume_ = largeurPlume(S / 600.0f);
    else if (r.Ordinaire)
        plume_ = largeurPlume(S / 300.0f);
    else if (r.Gros)
        plume_ = largeurPlume(S / 150.0f);
}

void DessinVeille::Timer1_Timer(Canevas& canevas, float largeurEcranActuelle)
{
    const float W = LargeurEcran;
    const float H = HauteurEcran;
    auto couleur = [this] {
        const float r1 = random();
        const float r2 = random();
        const float r3 = random();
        return RGB(N(255.0f * r1), N(255.0f * r2), N(255.0f * r3));
    };
    const Couleur C1 = couleur();
    const Couleur remplissage = C1;
    float R = random() * (W / 6.0f);
    if (R < W / 18.0f)
        R = W / 18.0f;

    const ReglagesVeille& r = reglages_;
    if (r.Ronds) {
        plume_ = 1;
        const float x = W * random();
        const float y = H * random();
        canevas.cercle(x, y, R, C1, remplissage, plume_);
    } else if (r.Doubles) {
        epaisseur(largeurEcranActuelle);
        const float x = W * random();
        const float y = H * random();
        const Couleur C2 = couleur();
        canevas.cercle(x, y, R, C2, remplissage, plume_);
    } else if (r.Lignes) {
        epaisseur(largeurEcranActuelle);
        const float x1 = W * random();
        const float y1 = H * random();
        const float x2 = W * random() + R;
        const float y2 = H * random() + R;
        canevas.ligne(x1, y1, x2, y2, C1, plume_);
    } else if (r.Noir) {
        canevas.effacer();
    }

    if (++reglages_.CompteurTraces == tracesAvantEffacement) {
        canevas.effacer();
        reglages_.CompteurTraces = 0;
    }
}

} // namespace somnelle
