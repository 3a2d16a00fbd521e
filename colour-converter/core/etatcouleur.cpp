#include "colour-converter/core/etatcouleur.hpp"

#include <algorithm>

namespace tintara {

namespace {
constexpr const char* legendeVersGris = "Niveaux de gris";
constexpr const char* legendeVersCouleurs = "Couleurs";
constexpr const char* cadreCouleurs = "Réglage des couleurs";
constexpr const char* cadreGris = "Réglage des grisages";

// The other two sliders, in the order grey mode aligns them.
std::array<Reglage, 2> autres(Reglage x)
{
    switch (x) {
    case Reglage::R: return {Reglage::G, Reglage::B};
    case Reglage::G: return {Reglage::R, Reglage::B};
    case Reglage::B: break;
    }
    return {Reglage::R, Reglage::G};
}
} // namespace

Couleur PositionsPubliees::couleur() const
{
    return rgb(composante(r.value_or(0)), composante(g.value_or(0)), composante(b.value_or(0)));
}

EtatCouleur::EtatCouleur()
{
    const Notations depart = notationsDeDepart();
    affichage_.text1 = depart.rgbHexa;
    affichage_.text2 = depart.rgbDeci;
    affichage_.text3 = depart.vb;
    affichage_.text4 = depart.html;
    affichage_.legendeCmdGris = legendeVersGris;
    affichage_.legendeFrame4 = cadreCouleurs;
}

std::optional<Reglage> EtatCouleur::dernier() const
{
    if (dernierR_)
        return Reglage::R;
    if (dernierG_)
        return Reglage::G;
    if (dernierB_)
        return Reglage::B;
    return std::nullopt;
}

void EtatCouleur::reglageChange(Reglage x, int position)
{
    positions_[indice(x)] = std::clamp(position, positionMin, positionMax);
    procedureChangement(x);
}

void EtatCouleur::definirPosition(Reglage x, int position)
{
    if (positions_[indice(x)] == position)
        return;
    positions_[indice(x)] = position;
    procedureChangement(x);
}

void EtatCouleur::procedureChangement(Reglage x)
{
    dernierR_ = x == Reglage::R;
    dernierG_ = x == Reglage::G;
    dernierB_ = x == Reglage::B;
    if (modeGris_) {
        // Each real move re-enters here for that slider; the recursion ends
        // once all three stand at the same position.
        for (Reglage autre : autres(x))
            definirPosition(autre, position(x));
    }
    calculer(modeGris_ ? std::nullopt : std::optional<Reglage>(x));
}

void EtatCouleur::calculer(std::optional<Reglage> seulBandeau)
{
    const int r = composante(position(Reglage::R));
    const int g = composante(position(Reglage::G));
    const int b = composante(position(Reglage::B));
    hexR_ = hex(r);
    hexG_ = hex(g);
    hexB_ = hex(b);
    affichage_.text1 = "RGB(&H" + hexR_ + ", &H" + hexG_ + ", &H" + hexB_ + ")";
    affichage_.text2 = "RGB(" + dec(r) + ", " + dec(g) + ", " + dec(b) + ")";
    ajoutZeros();
    affichage_.text3 = "&H" + hexB_ + hexG_ + hexR_;
    affichage_.text4 = "#" + hexR_ + hexG_ + hexB_;

    affichage_.picture1 = rgb(r, g, b);
    if (!seulBandeau || *seulBandeau == Reglage::R)
        affichage_.picture2 = rgb(r, 0, 0);
    if (!seulBandeau || *seulBandeau == Reglage::G)
        affichage_.picture3 = rgb(0, g, 0);
    if (!seulBandeau || *seulBandeau == Reglage::B)
        affichage_.picture4 = rgb(0, 0, b);

    publiees_.r = position(Reglage::R);
    publiees_.g = position(Reglage::G);
    publiees_.b = position(Reglage::B);
}

void EtatCouleur::ajoutZeros()
{
    if (doitCompleter(position(Reglage::R)))
        hexR_ = "0" + hexR_;
    if (doitCompleter(position(Reglage::G)))
        hexG_ = "0" + hexG_;
    if (doitCompleter(position(Reglage::B)))
        hexB_ = "0" + hexB_;
}

void EtatCouleur::cmdGrisClick()
{
    if (modeGris_) {
        affichage_.legendeCmdGris = legendeVersGris;
        affichage_.legendeFrame4 = cadreCouleurs;
        modeGris_ = false;
        return;
    }
    affichage_.legendeCmdGris = legendeVersCouleurs;
    affichage_.legendeFrame4 = cadreGris;
    modeGris_ = true;
    if (const auto x = dernier()) {
        const int p = position(*x);
        for (Reglage autre : autres(*x))
            definirPosition(autre, p);
    }
    calculer(std::nullopt);
}

} // namespace tintara
