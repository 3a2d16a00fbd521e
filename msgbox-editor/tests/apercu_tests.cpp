#include "msgbox-editor/core/apercu.hpp"

#include <gtest/gtest.h>

using namespace brevolet;

TEST(Saisie, NombresTapes)
{
    struct Cas { const char* texte; std::optional<double> valeur; } cas[] = {
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
        {"demi_vers_pair_haut", "3.5", 60, 3.5, {}, 4},
        {"deux_et_demi", "2.5", 60, 2.5, {}, 2},
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
