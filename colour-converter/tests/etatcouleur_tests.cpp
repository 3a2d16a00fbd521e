#include "colour-converter/core/etatcouleur.hpp"

#include <gtest/gtest.h>

using namespace tintara;

namespace {
Notations textes(const EtatCouleur& e)
{
    const Affichage& a = e.affichage();
    return {a.text1, a.text2, a.text3, a.text4};
}

void attendrePositions(const EtatCouleur& e, int r, int g, int b, const char* cas)
{
    EXPECT_EQ(e.position(Reglage::R), r) << cas;
    EXPECT_EQ(e.position(Reglage::G), g) << cas;
    EXPECT_EQ(e.position(Reglage::B), b) << cas;
}
} // namespace

TEST(EtatCouleur, Depart)
{
    EtatCouleur e;
    EXPECT_EQ(textes(e), notationsDeDepart());
    EXPECT_EQ(e.affichage().text2, "RGB(255, 255,255)");
    EXPECT_EQ(e.affichage().picture1, rgb(255, 255, 255));
    EXPECT_EQ(e.affichage().picture2, rgb(255, 0, 0));
    EXPECT_EQ(e.affichage().picture3, rgb(0, 255, 0));
    EXPECT_EQ(e.affichage().picture4, rgb(0, 0, 255));
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
    for (int r : {0, 7, 127, 239, 240, 248, 255})
        for (int g : {0, 16, 240, 255})
            for (int b : {3, 239, 255}) {
                e.reglageChange(Reglage::G, g);
                e.reglageChange(Reglage::B, b);
                e.reglageChange(Reglage::R, r);
                EXPECT_EQ(textes(e), notations(r, g, b)) << r << ' ' << g << ' ' << b;
                EXPECT_EQ(e.affichage().picture1, rgb(255 - r, 255 - g, 255 - b));
            }
}

TEST(EtatCouleur, RetourEnHautDonneLeTexteEspace)
{
    EtatCouleur e;
    e.reglageChange(Reglage::B, 40);
    e.reglageChange(Reglage::B, 0);
    EXPECT_EQ(e.affichage().text2, "RGB(255, 255, 255)");
    EXPECT_EQ(e.affichage().text4, "#FFFFFF");
}

TEST(EtatCouleur, PositionsBornees)
{
    EtatCouleur e;
    e.reglageChange(Reglage::R, 300);
    e.reglageChange(Reglage::G, -5);
    attendrePositions(e, 255, 0, 0, "bornes");
    EXPECT_EQ(e.affichage().text2, "RGB(0, 255, 255)");
}

TEST(EtatCouleur, ModeCouleurNeChangeQueSonBandeau)
{
    struct Cas {
        const char* nom;
        Reglage x;
        Couleur picture2, picture3, picture4;
    } cas[] = {
        {"rouge", Reglage::R, rgb(155, 0, 0), rgb(0, 255, 0), rgb(0, 0, 255)},
        {"vert", Reglage::G, rgb(255, 0, 0), rgb(0, 155, 0), rgb(0, 0, 255)},
        {"bleu", Reglage::B, rgb(255, 0, 0), rgb(0, 255, 0), rgb(0, 0, 155)},
    };
    for (const auto& c : cas) {
        EtatCouleur e;
        e.reglageChange(c.x, 100);
        EXPECT_EQ(e.affichage().picture2, c.picture2) << c.nom;
        EXPECT_EQ(e.affichage().picture3, c.picture3) << c.nom;
        EXPECT_EQ(e.affichage().picture4, c.picture4) << c.nom;
        EXPECT_EQ(e.dernier(), c.x) << c.nom;
        EXPECT_EQ(e.publiees().couleur(), e.affichage().picture1) << c.nom;
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
        EtatCouleur e;
        for (Reglage x : {Reglage::R, Reglage::G, Reglage::B})
            if (x != c.dernier)
                e.reglageChange(x, depart[static_cast<int>(x)]);
        e.reglageChange(c.dernier, depart[static_cast<int>(c.dernier)]);
        e.cmdGrisClick();
        EXPECT_TRUE(e.modeGris()) << c.nom;
        attendrePositions(e, c.attendu, c.attendu, c.attendu, c.nom);
        EXPECT_EQ(textes(e), notations(c.attendu, c.attendu, c.attendu)) << c.nom;
        const int v = 255 - c.attendu;
        EXPECT_EQ(e.affichage().picture1, rgb(v, v, v)) << c.nom;
        EXPECT_EQ(e.affichage().picture2, rgb(v, 0, 0)) << c.nom;
        EXPECT_EQ(e.affichage().picture3, rgb(0, v, 0)) << c.nom;
        EXPECT_EQ(e.affichage().picture4, rgb(0, 0, v)) << c.nom;
        EXPECT_EQ(e.publiees().couleur(), rgb(v, v, v)) << c.nom;
        EXPECT_EQ(e.affichage().legendeCmdGris, "Couleurs") << c.nom;
        EXPECT_EQ(e.affichage().legendeFrame4, "Réglage des grisages") << c.nom;

        // Back to colour mode: captions only, nothing moves.
        const Affichage avant = e.affichage();
        e.cmdGrisClick();
        EXPECT_FALSE(e.modeGris()) << c.nom;
        attendrePositions(e, c.attendu, c.attendu, c.attendu, c.nom);
        EXPECT_EQ(textes(e), (Notations{avant.text1, avant.text2, avant.text3, avant.text4})) << c.nom;
        EXPECT_EQ(e.affichage().legendeCmdGris, "Niveaux de gris") << c.nom;
        EXPECT_EQ(e.affichage().legendeFrame4, "Réglage des couleurs") << c.nom;
    }
}

TEST(EtatCouleur, GrisAvantToutMouvement)
{
    EtatCouleur e;
    e.cmdGrisClick();
    attendrePositions(e, 0, 0, 0, "depart");
    EXPECT_EQ(textes(e), notations(0, 0, 0));
    EXPECT_EQ(e.affichage().text2, "RGB(255, 255, 255)"); // recomputed on the switch
    EXPECT_EQ(e.affichage().picture1, rgb(255, 255, 255));
    EXPECT_FALSE(e.dernier());
    EXPECT_EQ(e.publiees().r, 0);
}

TEST(EtatCouleur, ModeGrisEntraineLesDeuxAutres)
{
    for (Reglage x : {Reglage::R, Reglage::G, Reglage::B}) {
        EtatCouleur e;
        e.cmdGrisClick();
        e.reglageChange(x, 127);
        attendrePositions(e, 127, 127, 127, "gris");
        EXPECT_EQ(textes(e), notations(127, 127, 127));
        EXPECT_EQ(e.affichage().picture3, rgb(0, 128, 0));
        // Colour mode afterwards: the sliders move apart again.
        e.cmdGrisClick();
        e.reglageChange(Reglage::R, 0);
        attendrePositions(e, 0, 127, 127, "couleurs");
        EXPECT_EQ(e.dernier(), Reglage::R);
        EXPECT_EQ(e.affichage().text4, "#FF8080");
    }
}
