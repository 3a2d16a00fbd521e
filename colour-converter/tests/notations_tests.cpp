#include "colour-converter/core/notations.hpp"

#include <gtest/gtest.h>

using namespace tintara;

TEST(Notations, ChiffresDesComposantes)
{
    struct Cas {
        int c;
        const char* hex;
        const char* hex2;
        const char* dec;
    } cas[] = {
        {0, "0", "00", "0"},     {9, "9", "09", "9"},       {10, "A", "0A", "10"},  {15, "F", "0F", "15"},
        {16, "10", "10", "16"},  {171, "AB", "AB", "171"},  {255, "FF", "FF", "255"},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(hex(c.c), c.hex) << c.c;
        EXPECT_EQ(hex2(c.c), c.hex2) << c.c;
        EXPECT_EQ(dec(c.c), c.dec) << c.c;
    }
}

// Positions count from the top (0 is full intensity); the VB and HTML forms
// get a leading zero from position 240 (component 15) down.
TEST(Notations, PositionsVersTextes)
{
    struct Cas {
        const char* nom;
        int r, g, b;
        Notations attendu;
    } cas[] = {
        {"tout en bas", 255, 255, 255, {"RGB(&H0, &H0, &H0)", "RGB(0, 0, 0)", "&H000000", "#000000"}},
        {"rouge seul", 0, 255, 255, {"RGB(&HFF, &H0, &H0)", "RGB(255, 0, 0)", "&H0000FF", "#FF0000"}},
        {"bleu seul", 255, 255, 0, {"RGB(&H0, &H0, &HFF)", "RGB(0, 0, 255)", "&HFF0000", "#0000FF"}},
        {"limite du complement", 240, 239, 0, {"RGB(&HF, &H10, &HFF)", "RGB(15, 16, 255)", "&HFF100F", "#0F10FF"}},
        {"gris moyen", 127, 127, 127, {"RGB(&H80, &H80, &H80)", "RGB(128, 128, 128)", "&H808080", "#808080"}},
        {"exemple", 0, 245, 255, {"RGB(&HFF, &HA, &H0)", "RGB(255, 10, 0)", "&H000AFF", "#FF0A00"}},
        {"tout en haut", 0, 0, 0, {"RGB(&HFF, &HFF, &HFF)", "RGB(255, 255, 255)", "&HFFFFFF", "#FFFFFF"}},
    };
    for (const auto& c : cas)
        EXPECT_EQ(notations(c.r, c.g, c.b), c.attendu) << c.nom;
}

TEST(Notations, ValeurCouleurRougeDansLOctetBas)
{
    EXPECT_EQ(rgb(1, 2, 3), 1u + 256u * 2u + 65536u * 3u);
    const Couleur c = rgb(12, 34, 56);
    EXPECT_EQ(rouge(c), 12);
    EXPECT_EQ(vert(c), 34);
    EXPECT_EQ(bleu(c), 56);
    EXPECT_EQ(inverse(rgb(255, 10, 0)), rgb(0, 245, 255));
}

TEST(Notations, TextesDesCopies)
{
    EXPECT_EQ(ligneCopieVb("RGB(&HFF, &HA, &H0)", "RGB(255, 10, 0)", "&H000AFF"),
              "'Valeur RGB(hexa) : RGB(&HFF, &HA, &H0) - Valeur RGB(dec) : RGB(255, 10, 0) - Valeur directe VB : &H000AFF");
    EXPECT_EQ(texteCopieHtml("#FF0A00"), "#FF0A00");
    // Only the last six characters count; a short box gives what there is.
    EXPECT_EQ(texteCopieHtml("xx808080"), "#808080");
    EXPECT_EQ(texteCopieHtml("AB"), "#AB");
    EXPECT_EQ(texteCopieHtml(""), "#");
}
