#include "msgbox-editor/core/apercu.hpp"

#include <gtest/gtest.h>

using namespace brevolet;

TEST(Saisie, NombresTapes)
{
    struct Cas {
        const char* texte;
        std::optional<double> valeur;
    } cas[] = {
        {"4", 4.0},       {"0.5", 0.5},     {"2,5", 2.5},      {" 12 ", 12.0},   {"-5", -5.0},
        {"+7", 7.0},      {".5", 0.5},      {"5.", 5.0},       {"1e2", 100.0},   {"1E-1", 0.1},
        {"", {}},         {"   ", {}},      {"Cent.", {}},     {"abc", {}},      {"-", {}},
        {".", {}},        {"1e", {}},       {"12a", {}},       {"1.2.3", {}},    {"1 2", {}},
        {"--1", {}},      {"0x10", {}},     {"inf", {}},       {"nan", {}},      {"e5", {}},
    };
    for (const auto& c : cas) {
        const std::optional<double> lu = lireNombre(c.texte);
        ASSERT_EQ(lu.has_value(), c.valeur.has_value()) << '"' << c.texte << '"';
        if (lu) {
            EXPECT_DOUBLE_EQ(*lu, *c.valeur) << '"' << c.texte << '"';
        }
    }
}

TEST(Saisie, BornesEtArrondiDeLaBarre)
{
    struct Cas {
        const char* nom;
        const char* texte;
        int maximum;
        double valeur;
        std::optional<std::string> corrige;
        int barre;
    } cas[] = {
        {"dans_les_bornes", "4", 60, 4, {}, 4},
        {"demi_vers_pair_bas", "0.5", 60, 0.5, {}, 0},
        {"demi_vers_pair_haut", "3.5", 60, 3.5, {}, 4},
        {"deux_et_demi", "2.5", 60, 2.5, {}, 2},
        {"trop_grand_x", "2000", 1280, 1280, "1280", 1280},
        {"negatif", "-5", 1280, 0, "0", 0},
        {"limite_exacte", "1024", 1024, 1024, {}, 1024},
        {"juste_au_dessus", "60.01", 60, 60, "60", 60},
        {"enorme", "1e999", 60, 60, "60", 60},
        {"zero_negatif", "-0", 60, 0, {}, 0},
    };
    for (const auto& c : cas) {
        const std::optional<Saisie> s = lireSaisie(c.texte, c.maximum);
        ASSERT_TRUE(s) << c.nom;
        EXPECT_DOUBLE_EQ(s->valeur, c.valeur) << c.nom;
        EXPECT_EQ(s->texteCorrige, c.corrige) << c.nom;
        EXPECT_EQ(s->positionBarre, c.barre) << c.nom;
    }
    EXPECT_FALSE(lireSaisie("Cent.", 1280));
}

TEST(Placement, CentreParDemiesEntieres)
{
    struct Cas {
        const char* nom;
        Rectangle fenetre;
        int largeur;
        int hauteur;
        Point attendu;
    } cas[] = {
        {"pair", {100, 50, 546, 428}, 200, 100, {100 + 273 - 100, 50 + 214 - 50}},
        {"impairs_tronques", {0, 0, 547, 429}, 201, 101, {273 - 100, 214 - 50}},
        {"fenetre_hors_ecran", {-300, -20, 546, 428}, 151, 87, {-300 + 273 - 75, -20 + 214 - 43}},
        {"boite_plus_grande", {10, 10, 100, 100}, 301, 201, {10 + 50 - 150, 10 + 50 - 100}},
    };
    for (const auto& c : cas)
        EXPECT_EQ(positionCentree(c.fenetre, c.largeur, c.hauteur), c.attendu) << c.nom;
}

TEST(Placement, AgrandissementGardeLeCentre)
{
    struct Cas {
        const char* nom;
        int ancienne;
        int mesuree;
        Agrandissement attendu;
    } cas[] = {
        {"grandit", 13, 53, {63, 40, -20}},
        {"grandit_impair", 13, 28, {38, 15, -7}},
        {"inchange", 13, 13, {23, 0, 0}},
        {"retrecit_impair", 26, 21, {31, -5, 2}},
    };
    for (const auto& c : cas) {
        const Agrandissement a = agrandir(c.ancienne, c.mesuree);
        EXPECT_EQ(a.hauteurTexte, c.attendu.hauteurTexte) << c.nom;
        EXPECT_EQ(a.croissance, c.attendu.croissance) << c.nom;
        EXPECT_EQ(a.decalageHaut, c.attendu.decalageHaut) << c.nom;
    }
}

