// The icon cursor walk and the image area fit rule.
#include "image-copier/core/affichage.hpp"
#include "image-copier/core/curseur.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ostrelle;

TEST(CurseurIcones, WalksLikeTheArrows)
{
    // The icons premier..nombre-1 exist; the cursor starts at debut. 'F'
    // chooses the file, '>' and '<' are the arrows. Each click gives what it
    // drew ("-" for nothing) and the cursor after it.
    struct Cas { const char* nom; int nombre; std::string clics, attendu; int premier = 0; std::int16_t debut = 0; };
    const std::vector<Cas> cas = {
        {"five icons forward and round", 5, "F>>>>>>", "0/1 1/2 2/3 3/4 4/5 -/0 0/1 "},
        {"back after the first shows the next one first", 5, "F<<<", "0/1 1/0 0/0 0/0 "},
        {"turning back in the middle", 5, "F>><<>", "0/1 1/2 2/3 3/2 2/1 1/2 "},
        {"a new file starts again at the first icon", 5, "F>>>F", "0/1 1/2 2/3 3/4 0/1 "},
        {"backward past the last icon stays put", 2, "F>><", "0/1 1/2 -/0 0/0 "},
        {"file without icons draws nothing", 0, "F>><", "-/0 -/0 -/0 -/0 "},
        {"one icon", 1, "F>>", "0/1 -/0 0/1 "},
        {"nothing is drawn when the first icon is missing", 3, ">", "-/0 ", 2, 2},
        // The cursor is 16-bit: it starts again instead of overflowing.
        {"the last 16-bit number", 40000, ">", "32767/0 ", 0, 32767},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        EtatIcones etat;
        etat.numeroIcone = c.debut;
        const auto existe = [&](int n) { return n >= c.premier && n < c.nombre; };
        std::string trace;
        for (char clic : c.clics) {
            // A file chosen starts again, forward; the window clears the flag once drawn.
            etat.reinitialiser = clic == 'F', etat.sensAvant = clic != '<';
            const auto dessinee = afficherIcone(etat, existe);
            trace += (dessinee ? std::to_string(*dessinee) : "-") + "/" + std::to_string(etat.numeroIcone) + " ";
        }
        EXPECT_EQ(trace, c.attendu);
    }
}

TEST(PlacementImage, ScaledDownToFitAndCentred)
{
    struct Cas { const char* nom; double largeur, hauteur; PlacementImage attendu; };
    const std::vector<Cas> cas = {
        {"wide picture limited by its width", 6000, 1200, {2100, 940, 3200, 640, true}},
        {"tall picture limited by its height", 1500, 3600, {3200, 60, 1000, 2400, true}},
        {"small picture kept at its size", 3000, 2000, {2200, 260, 3000, 2000, false}},
        {"exactly the area", 3200, 2400, {2100, 60, 3200, 2400, false}},
        {"one twip too wide", 3201, 2400, {2100, 60.375, 3200, 2399.25, true}},
        {"one twip too tall", 3200, 2401, {2100.67, 60, 3198.67, 2400, true}},
        {"same ratio as the area", 6400, 4800, {2100, 60, 3200, 2400, true}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const PlacementImage p = placerImage(c.largeur, c.hauteur);
        EXPECT_NEAR(p.largeur, c.attendu.largeur, 0.01);
        EXPECT_NEAR(p.hauteur, c.attendu.hauteur, 0.01);
        EXPECT_NEAR(p.gauche, c.attendu.gauche, 0.01);
        EXPECT_NEAR(p.haut, c.attendu.haut, 0.01);
        EXPECT_EQ(p.etire, c.attendu.etire);
    }
}
