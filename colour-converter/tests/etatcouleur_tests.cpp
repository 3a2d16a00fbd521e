#include "colour-converter/core/etatcouleur.hpp"

#include <gtest/gtest.h>

using namespace tintara;

namespace {
Notations textes(const EtatCouleur& e)
{
    const Affichage& a = e.affichage();
    return {a.text1, a.text2, a.text3, a.text4};
}

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

TEST(EtatCouleur, Depart)
{
    EtatCouleur e;
    // The decimal text lacks a blank until the first computation.
    EXPECT_EQ(textes(e), (Notations{"RGB(&HFF, &HFF, &HFF)", "RGB(255, 255,255)", "&HFFFFFF", "#FFFFFF"}));
    EXPECT_EQ(pictures(e), (std::array{rgb(255, 255, 255), rgb(255, 0, 0), rgb(0, 255, 0), rgb(0, 0, 255)}));
    EXPECT_EQ(e.affichage().legendeCmdGris, "Niveaux de gris");
    EXPECT_EQ(e.affichage().legendeFrame4, "Réglage des couleurs");
    EXPECT_FALSE(e.modeGris());
    EXPECT_FALSE(e.dernier());
    EXPECT_FALSE(e.publiees().r);
    EXPECT_EQ(e.publiees().couleur(), rgb(255, 255, 255));
}

TEST(EtatCouleur, TextesSuiventLesReglages)
{
    // Any order of moves ends in the notations of the final positions.
    EtatCouleur e;
    for (int r : {0, 7, 239, 240, 255})
        for (int g : {0, 16, 240, 255})
            for (int b : {3, 239, 255}) {
                e.reglageChange(Reglage::G, g);
                e.reglageChange(Reglage::B, b);
                e.reglageChange(Reglage::R, r);
                EXPECT_EQ(textes(e), notations(r, g, b)) << r << ' ' << g << ' ' << b;
                EXPECT_EQ(e.affichage().picture1, rgb(255 - r, 255 - g, 255 - b));
                EXPECT_EQ(e.publiees().couleur(), rgb(255 - r, 255 - g, 255 - b));
            }
    // Out of range positions stop at the ends.
    e.reglageChange(Reglage::R, 300);
    e.reglageChange(Reglage::G, -5);
    EXPECT_EQ(positions(e), (std::array{255, 0, 255}));
    EXPECT_EQ(e.affichage().text2, "RGB(0, 255, 0)");
}

// Colour mode repaints only the moved slider's strip; grey mode all of them.
TEST(EtatCouleur, ModeCouleurNeChangeQueSonBandeau)
{
    struct Cas {
        const char* nom;
        Reglage x;
        std::array<Couleur, 4> pictures;
    } cas[] = {
        {"rouge", Reglage::R, {rgb(155, 255, 255), rgb(155, 0, 0), rgb(0, 255, 0), rgb(0, 0, 255)}},
        {"vert", Reglage::G, {rgb(255, 155, 255), rgb(255, 0, 0), rgb(0, 155, 0), rgb(0, 0, 255)}},
        {"bleu", Reglage::B, {rgb(255, 255, 155), rgb(255, 0, 0), rgb(0, 255, 0), rgb(0, 0, 155)}},
    };
    for (const auto& c : cas) {
        EtatCouleur e;
        e.reglageChange(c.x, 100);
        EXPECT_EQ(pictures(e), c.pictures) << c.nom;
        EXPECT_EQ(e.dernier(), c.x) << c.nom;
    }
}

TEST(EtatCouleur, AlignementEnPassantAuGris)
{
    // Positions before the switch are 10, 20, 30; the last moved one wins.
    struct Cas {
        const char* nom;
        Reglage dernier;
        int attendu;
    } cas[] = {
        {"rouge en dernier", Reglage::R, 10},
        {"vert en dernier", Reglage::G, 20},
        {"bleu en dernier", Reglage::B, 30},
    };
    const int depart[] = {10, 20, 30};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        EtatCouleur e;
        for (Reglage x : {Reglage::R, Reglage::G, Reglage::B})
            if (x != c.dernier)
                e.reglageChange(x, depart[static_cast<int>(x)]);
        e.reglageChange(c.dernier, depart[static_cast<int>(c.dernier)]);
        e.cmdGrisClick();
        EXPECT_TRUE(e.modeGris());
        const int p = c.attendu;
        const int v = 255 - p;
        EXPECT_EQ(positions(e), (std::array{p, p, p}));
        EXPECT_EQ(textes(e), notations(p, p, p));
        EXPECT_EQ(pictures(e), (std::array{rgb(v, v, v), rgb(v, 0, 0), rgb(0, v, 0), rgb(0, 0, v)}));
        EXPECT_EQ(e.publiees().couleur(), rgb(v, v, v));
        EXPECT_EQ(e.affichage().legendeCmdGris, "Couleurs");
        EXPECT_EQ(e.affichage().legendeFrame4, "Réglage des grisages");

        // Grey mode carries the other two along with any slider.
        e.reglageChange(c.dernier == Reglage::R ? Reglage::B : Reglage::R, 127);
        EXPECT_EQ(positions(e), (std::array{127, 127, 127}));
        EXPECT_EQ(e.affichage().picture3, rgb(0, 128, 0));

        // Back to colour mode: captions only, nothing moves; then sliders move apart again.
        const Notations avant = textes(e);
        e.cmdGrisClick();
        EXPECT_FALSE(e.modeGris());
        EXPECT_EQ(positions(e), (std::array{127, 127, 127}));
        EXPECT_EQ(textes(e), avant);
        EXPECT_EQ(e.affichage().legendeCmdGris, "Niveaux de gris");
        EXPECT_EQ(e.affichage().legendeFrame4, "Réglage des couleurs");
        e.reglageChange(Reglage::R, 0);
        EXPECT_EQ(positions(e), (std::array{0, 127, 127}));
        EXPECT_EQ(e.affichage().text4, "#FF8080");
    }
}

TEST(EtatCouleur, GrisAvantToutMouvement)
{
    EtatCouleur e;
    e.cmdGrisClick();
    EXPECT_EQ(positions(e), (std::array{0, 0, 0}));
    // Recomputed on the switch: the decimal text gets its blank.
    EXPECT_EQ(textes(e), (Notations{"RGB(&HFF, &HFF, &HFF)", "RGB(255, 255, 255)", "&HFFFFFF", "#FFFFFF"}));
    EXPECT_EQ(e.affichage().picture1, rgb(255, 255, 255));
    EXPECT_FALSE(e.dernier());
    EXPECT_EQ(e.publiees().r, 0);
}
