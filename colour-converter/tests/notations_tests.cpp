#include "colour-converter/core/notations.hpp"

#include <gtest/gtest.h>

using namespace tintara;

// Positions count from the top (0 is full intensity); the VB and HTML forms
// get a leading zero from position 240 (component 15) down.
TEST(Notations, PositionsVersTextes)
{
    struct Cas { const char* nom; int r, g, b; Notations attendu; } cas[] = {
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

TEST(Notations, TextesDesCopies)
{
    EXPECT_EQ(rgb(255, 10, 0), 0x000AFFu); // red in the low byte
    EXPECT_EQ(ligneCopieVb("RGB(&HFF, &HA, &H0)", "RGB(255, 10, 0)", "&H000AFF"),
              "'Valeur RGB(hexa) : RGB(&HFF, &HA, &H0) - Valeur RGB(dec) : RGB(255, 10, 0) - Valeur directe VB : &H000AFF");
    EXPECT_EQ(texteCopieHtml("#FF0A00"), "#FF0A00");
    // Only the last six characters count; a short box gives what there is.
    EXPECT_EQ(texteCopieHtml("xx808080"), "#808080");
    EXPECT_EQ(texteCopieHtml("AB") + texteCopieHtml(""), "#AB#");
    EXPECT_EQ(hex2(9) + hex2(171), "09AB");
}
