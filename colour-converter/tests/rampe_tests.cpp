#include "colour-converter/core/rampe.hpp"

#include <gtest/gtest.h>

#include <vector>

using namespace tintara;

namespace {
struct Rect { int x, y, l, h; Couleur c; };
class Enregistreur : public Canevas {
public:
    void rectanglePlein(int x, int y, int l, int h, Couleur c) override { rects.push_back({x, y, l, h, c}); }
    std::vector<Rect> rects;
};
} // namespace

// Bands edge to edge over the height of a 512-unit scale, from the press row
// down, the blue rising one step a band; none for an empty window.
TEST(RampeBleue, BandesJointives)
{
    struct Cas {
        const char* nom;
        int y, largeur, hauteur;
        int bandes;      // bands drawn
        int basDerniere; // row below the last band
        int dernierBleu;
    } cas[] = {
        {"depuis le haut, 512 lignes", 0, 640, 512, 256, 512, 255},
        {"depuis le milieu: la moitie", 300, 800, 600, 128, 600, 127},
        {"sur la rangee du bas", 599, 800, 600, 1, 601, 0},
        {"sous la fenetre", 600, 800, 600, 0, 600, -1},
        {"plus fines que le pixel", 0, 10, 100, 100, 100, 254},
        {"sans largeur", 0, 0, 600, 0, 0, -1},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Enregistreur e;
        dessinerRampeBleue(e, 12, 34, c.y, c.largeur, c.hauteur);
        ASSERT_EQ(static_cast<int>(e.rects.size()), c.bandes);
        int attendu = c.y, bleuPrecedent = -1;
        for (const Rect& r : e.rects) {
            EXPECT_TRUE(r.y == attendu && r.h > 0 && r.x == 0 && r.l == c.largeur) << r.y << ' ' << r.h;
            EXPECT_TRUE(rouge(r.c) == 12 && vert(r.c) == 34 && bleu(r.c) > bleuPrecedent) << r.y;
            bleuPrecedent = bleu(r.c);
            attendu = r.y + r.h;
        }
        EXPECT_EQ(attendu, c.basDerniere);
        EXPECT_EQ(bleuPrecedent, c.dernierBleu);
    }
}
