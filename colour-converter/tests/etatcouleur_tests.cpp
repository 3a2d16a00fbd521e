#include "colour-converter/core/etatcouleur.hpp"

#include <gtest/gtest.h>

using namespace tintara;

namespace {
std::array<int, 3> positions(const EtatCouleur& e)
{
    return {e.position(Reglage::R), e.position(Reglage::G), e.position(Reglage::B)};
}

std::array<Couleur, 4> pictures(const EtatCouleur& e)
{
    const Affichage& a = e.affichage();
    return {a.picture1, a.picture2, a.picture3, a.picture4};
}
} // namespace

TEST(EtatCouleur, TextesSuiventLesReglages)
{
    // Any order of moves ends in the notations of the final positions, stopped at the ends.
    EtatCouleur e;
    for (int r : {0, 7, 239, 240, 300})
        for (int g : {-5, 16, 240, 255})
            for (int b : {3, 239, 255}) {
                e.reglageChange(Reglage::G, g);
                e.reglageChange(Reglage::B, b);
                e.reglageChange(Reglage::R, r);
                const int R = std::min(r, 255), G = std::max(g, 0);
                const Affichage& a = e.affichage();
                EXPECT_EQ((Notations{a.text1, a.text2, a.text3, a.text4}), notations(R, G, b)) << r << ' ' << g;
                EXPECT_EQ(e.publiees().couleur(), rgb(255 - R, 255 - G, 255 - b));
            }
}

// A first move in colour mode repaints only its slider's strip. Grey mode,
// entered after moves to 10, 20, 30, aligns the others on the last moved one
// and repaints all; back in colour mode the sliders move apart again.
TEST(EtatCouleur, BandeauxEtModeGris)
{
    const struct {
        Reglage x;
        std::array<Couleur, 4> pictures;
    } cas[] = {
        {Reglage::R, {rgb(155, 255, 255), rgb(155, 0, 0), rgb(0, 255, 0), rgb(0, 0, 255)}},
        {Reglage::G, {rgb(255, 155, 255), rgb(255, 0, 0), rgb(0, 155, 0), rgb(0, 0, 255)}},
        {Reglage::B, {rgb(255, 255, 155), rgb(255, 0, 0), rgb(0, 255, 0), rgb(0, 0, 155)}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(static_cast<int>(c.x));
        EtatCouleur e;
        e.reglageChange(c.x, 100);
        EXPECT_EQ(pictures(e), c.pictures);
        for (Reglage x : {Reglage::R, Reglage::G, Reglage::B, c.x})
            e.reglageChange(x, 10 + 10 * static_cast<int>(x));
        e.cmdGrisClick();
        const int p = 10 + 10 * static_cast<int>(c.x), v = 255 - p;
        EXPECT_EQ(positions(e), (std::array{p, p, p}));
        EXPECT_EQ(pictures(e), (std::array{rgb(v, v, v), rgb(v, 0, 0), rgb(0, v, 0), rgb(0, 0, v)}));
        EXPECT_EQ(e.publiees().couleur(), rgb(v, v, v));
        EXPECT_EQ(e.affichage().legendeCmdGris + " / " + e.affichage().legendeFrame4, "Couleurs / Réglage des grisages");
        e.reglageChange(c.x == Reglage::R ? Reglage::B : Reglage::R, 127);
        EXPECT_EQ(positions(e), (std::array{127, 127, 127}));

        e.cmdGrisClick();
        EXPECT_EQ(e.affichage().legendeCmdGris + " / " + e.affichage().legendeFrame4,
                  "Niveaux de gris / Réglage des couleurs");
        e.reglageChange(Reglage::R, 0);
        EXPECT_EQ(positions(e), (std::array{0, 127, 127}));
        EXPECT_EQ(e.affichage().text4, "#FF8080");
    }
}

TEST(EtatCouleur, GrisAvantToutMouvement)
{
    EtatCouleur e;
    EXPECT_FALSE(e.publiees().r);
    EXPECT_EQ(e.publiees().couleur(), rgb(255, 255, 255));
    e.cmdGrisClick();
    EXPECT_EQ(positions(e), (std::array{0, 0, 0}));
    // Recomputed on the switch: the decimal text gets its blank.
    EXPECT_EQ(e.affichage().text2, "RGB(255, 255, 255)");
    EXPECT_EQ(e.publiees().r, 0);
}
